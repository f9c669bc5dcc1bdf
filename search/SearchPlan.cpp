#include "search/SearchPlan.h"

#include <algorithm>
#include <bit>

#include "report/Format.h"
#include "report/RunTexts.h"
#include "search/DesignSearch.h"

namespace rockpile {

namespace {

// Texts of a sequence are kept up to this count; longer ones are formatted as needed.
constexpr std::uint64_t kKeptTexts = 1 << 16;

std::uint64_t CountOf(const OptimizationItem& item)
{
    return static_cast<std::uint64_t>(std::max<std::int64_t>(item.count, 1));
}

// The Ra text of edt_ra (FormatResultFields(...).ra for a result holding this Ra).
std::string RaText(double ra, int precisionMode)
{
    if (precisionMode < kTwoDecimals || precisionMode > kHundreds) return {};
    return FormatResult(ra, precisionMode, 7);
}

}  // namespace

SearchPlan::Sequence SearchPlan::SequenceOf(const OptimizationItem& item, bool keepTexts)
{
    // The values as the loops take them: min, then Next of the one before.
    Sequence sequence;
    const std::uint64_t count = CountOf(item);
    sequence.values.reserve(count);
    double value = item.min;
    for (std::uint64_t i = 0; i < count; ++i, value = item.Next(value)) sequence.values.push_back(value);
    if (keepTexts && count <= kKeptTexts) {
        sequence.texts.reserve(count);
        for (double v : sequence.values) sequence.texts.push_back(FormatFixed(v, 10, 2));
    }
    return sequence;
}

std::string SearchPlan::TextOf(const Sequence& sequence, std::uint64_t index)
{
    if (index < sequence.texts.size()) return sequence.texts[index];
    return FormatFixed(sequence.values[index], 10, 2);
}

SearchPlan::SearchPlan(const SearchItems& items, const PileInput& page, int precisionMode)
    : precisionMode_(precisionMode), count_(CandidateCount(items))
{
    input_.sectionType = SectionType::Circular;
    input_.strengthMode = StrengthMode::CompressiveStrength;
    input_.coefficientMode = CoefficientMode::Automatic;
    input_.interpolationBasis = page.interpolationBasis;
    input_.boredPile = page.boredPile;
    input_.reductionFactor = page.reductionFactor;
    input_.softRockExposed = page.softRockExposed;
    input_.layers = {page.layers.empty() ? RockLayer{} : page.layers.front()};
    input_.d = page.d;
    input_.c = page.c;
    input_.a = page.a;
    input_.b = page.b;
    weathering_ = page.layers.empty() ? std::string() : page.layers.front().weathering;
    pageClassText_ = input_.layers.front().integrityText;
    pageIndexText_ = input_.layers.front().kv;

    const std::uint64_t depths = CountOf(items[itemrow::SocketDepth]);
    const std::uint64_t frks = CountOf(items[itemrow::Frk]);

    // Bases in the order of row 8, each followed by its classes or indices.
    const OptimizationItem& basisItem = items[itemrow::Basis];
    double code = basisItem.min;
    perBlock_ = 0;
    for (std::int64_t i = 0; i < basisItem.count; ++i, code = basisItem.Next(code)) {
        Basis basis;
        basis.code = code == 1 ? 1 : 2;
        basis.first = perBlock_;
        if (basis.code == 1) {
            if (classes_.values.empty()) classes_ = SequenceOf(items[itemrow::IntegrityClass], false);
            basis.count = classes_.values.size();
            lastClassText_ = kIntegrityClasses[static_cast<int>(classes_.values.back()) - 1];
        } else {
            if (indices_.values.empty()) indices_ = SequenceOf(items[itemrow::IntegrityIndex], true);
            basis.count = indices_.values.size();
            lastIndexText_ = TextOf(indices_, indices_.values.size() - 1);
        }
        perBlock_ += basis.count;
        bases_.push_back(basis);
    }

    depthInMultiples_ = items[itemrow::SocketDepth].inMultiples;
    depths_ = SequenceOf(items[itemrow::SocketDepth], false);
    frks_ = SequenceOf(items[itemrow::Frk], true);

    const OptimizationItem& types = items[itemrow::SectionType];
    double type = types.min;
    std::uint64_t first = 0;
    for (std::int64_t i = 0; i < types.count; ++i, type = types.Next(type)) {
        Segment segment;
        segment.section = static_cast<std::uint8_t>(type);
        switch (segment.section) {
        case 1: segment.outerRow = itemrow::Diameter; break;
        case 2:
            segment.outerRow = itemrow::Diameter;
            segment.innerRow = itemrow::EllipseStraight;
            break;
        case 3:
            segment.outerRow = itemrow::RectangleLong;
            segment.innerRow = itemrow::RectangleShort;
            break;
        default: segment.outerRow = itemrow::SquareSide; break;
        }
        for (int row : {segment.outerRow, segment.innerRow})
            if (row > 0 && sizes_[row].values.empty())
                sizes_[row] = SequenceOf(items[static_cast<std::size_t>(row)], false);
        segment.innerCount = segment.innerRow < 0 ? 1 : sizes_[segment.innerRow].values.size();
        segment.count = sizes_[segment.outerRow].values.size() * segment.innerCount * depths * frks * perBlock_;
        segment.first = first;
        first += segment.count;
        segments_.push_back(segment);
    }
}

SearchPlan::Cursor::Cursor(const SearchPlan& plan) : plan_(plan), input_(plan.input_) {}

void SearchPlan::Cursor::MoveTo(std::uint64_t index)
{
    const SearchPlan& plan = plan_;
    index_ = index;

    Digits at = at_;
    if (at.segment == SIZE_MAX || index < plan.segments_[at.segment].first ||
        index - plan.segments_[at.segment].first >= plan.segments_[at.segment].count) {
        at.segment = 0;
        while (at.segment + 1 < plan.segments_.size() &&
               index - plan.segments_[at.segment].first >= plan.segments_[at.segment].count)
            ++at.segment;
    }
    const Segment& segment = plan.segments_[at.segment];
    std::uint64_t rest = index - segment.first;
    at.slot = rest % plan.perBlock_;
    rest /= plan.perBlock_;
    at.frk = rest % plan.frks_.values.size();
    rest /= plan.frks_.values.size();
    at.depth = rest % plan.depths_.values.size();
    rest /= plan.depths_.values.size();
    at.inner = rest % segment.innerCount;
    at.outer = rest / segment.innerCount;
    at.laterBlock = index >= plan.perBlock_;

    RockLayer& layer = input_.layers.front();
    const bool newSegment = at.segment != at_.segment;
    const bool newSizes = newSegment || at.outer != at_.outer || at.inner != at_.inner;
    if (newSegment) {
        section_ = segment.section;
        input_.sectionType = section_ == 4 ? SectionType::Rectangle : static_cast<SectionType>(section_);
    }
    if (newSizes) {
        const double first = plan.sizes_[segment.outerRow].values[at.outer];
        const double second = segment.innerRow < 0 ? (section_ == 4 ? first : 0.0)
                                                   : plan.sizes_[segment.innerRow].values[at.inner];
        size1_ = first;
        size2_ = second;
        input_.d = FormatGeneral(first);
        input_.c = section_ == 1 ? std::string("0") : FormatGeneral(second);
        input_.a = input_.d;
        input_.b = input_.c;
    }
    if (newSizes || at.depth != at_.depth) {
        // The multiples of row 6 refer to d, the smaller side of a rectangle, the side
        // of a square.
        const double size = section_ == 3 ? std::min(size1_, size2_) : size1_;
        const double value = plan.depths_.values[at.depth];
        const double h = plan.depthInMultiples_ ? value * size : value;
        depth_ = h / 1000;
        layer.lr = FormatFixed(depth_, 10, 2);
    }
    if (at.frk != at_.frk) {
        frk_ = plan.frks_.values[at.frk];
        layer.frk = TextOf(plan.frks_, at.frk);
    }
    if (at.slot != at_.slot || at.laterBlock != at_.laterBlock) {
        std::size_t b = 0;
        while (b + 1 < plan.bases_.size() && at.slot >= plan.bases_[b + 1].first) ++b;
        const Basis& basis = plan.bases_[b];
        const std::uint64_t k = at.slot - basis.first;
        basis_ = basis.code;
        if (basis.code == 1) {
            const double cls = plan.classes_.values[k];
            input_.interpolationBasis = InterpolationBasis::IntegrityClass;
            integrityClass_ = static_cast<std::uint8_t>(cls);
            kv_ = 0;
            layer.integrityText = kIntegrityClasses[static_cast<int>(cls) - 1];
            // Index candidates come after the classes of a block: only an earlier block
            // has written the index cell.
            const bool indexWritten = at.laterBlock && plan.bases_.back().code == 2;
            layer.kv = indexWritten ? plan.lastIndexText_ : plan.pageIndexText_;
        } else {
            input_.interpolationBasis = InterpolationBasis::IntegrityIndex;
            integrityClass_ = 0;
            kv_ = plan.indices_.values[k];
            layer.kv = TextOf(plan.indices_, k);
            // The classes of a block come before its indices.
            layer.integrityText = plan.bases_.front().code == 1 ? plan.lastClassText_ : plan.pageClassText_;
        }
    }
    at_ = at;
}

void SearchPlan::Cursor::ExchangedSizes(const ComputeOutcome& outcome, double& size1, double& size2,
                                        bool& depthZeroed) const
{
    size1 = size1_;
    size2 = size2_;
    depthZeroed = false;
    for (const Correction& correction : outcome.corrections) {
        if (correction.kind == Correction::Kind::ExchangeSides) {
            size1 = correction.newA;
            size2 = correction.newB;
        } else if (correction.row == 0 && correction.column == col::Lr) {
            depthZeroed = true;  // the cell now reads "0.00"
        }
    }
}

CandidateKeys SearchPlan::Cursor::Keys(const ComputeOutcome& outcome)
{
    double size1 = 0;
    double size2 = 0;
    bool depthZeroed = false;
    ExchangedSizes(outcome, size1, size2, depthZeroed);
    // The key is the number of the text FormatGeneral writes; sizes repeat over the
    // inner loops, so the last conversion is kept.
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(size1);
    if (!haveSizeKey_ || bits != sizeKeyBits_) {
        haveSizeKey_ = true;
        sizeKeyBits_ = bits;
        sizeKey_ = ReadNumber(FormatGeneral(size1));
    }
    // edt_ra: the number of the text is the key of the sort and the filter.
    return CandidateKeys{ReadNumber(RaText(outcome.result.ra, plan_.precisionMode_)), sizeKey_};
}

CandidateRow SearchPlan::Cursor::Row(const ComputeOutcome& outcome, bool withKeys) const
{
    CandidateRow row;
    row.section = section_;
    row.basis = basis_;
    row.integrityClass = integrityClass_;
    row.kv = kv_;
    row.frk = frk_;
    row.depth = depth_;
    bool depthZeroed = false;
    ExchangedSizes(outcome, row.size1, row.size2, depthZeroed);
    if (depthZeroed) row.depth = 0;
    if (withKeys) row.dKey = ReadNumber(FormatGeneral(row.size1));

    // The texts come from the compute run's own formatting: each column's text depends
    // on its own field alone.
    const LayerResult& computed = outcome.result.layers.front();
    row.c1 = ReadNumber(LayerCellText(computed, col::C1));
    row.c2 = ReadNumber(LayerCellText(computed, col::C2));
    row.raCell = ReadNumber(LayerCellText(computed, col::Ra));
    row.rpaCell = ReadNumber(LayerCellText(computed, col::Rpa));
    row.sumRria = ReadNumber(LayerCellText(computed, col::SumRria));
    row.ra = outcome.result.ra;
    if (withKeys) row.raKey = ReadNumber(RaText(row.ra, plan_.precisionMode_));
    return row;
}

PileInput SearchPlan::InputAt(std::uint64_t index) const
{
    Cursor cursor(*this);
    cursor.MoveTo(index);
    return cursor.input();
}

CandidateRow SearchPlan::RowAt(std::uint64_t index) const
{
    Cursor cursor(*this);
    cursor.MoveTo(index);
    return cursor.Row(ComputePile(cursor.input()));
}

const SearchPlan::Segment& SearchPlan::SegmentOf(std::uint64_t index) const
{
    std::size_t at = 0;
    while (at + 1 < segments_.size() && index - segments_[at].first >= segments_[at].count) ++at;
    return segments_[at];
}

std::uint8_t SearchPlan::SectionAt(std::uint64_t index) const { return SegmentOf(index).section; }

double SearchPlan::DepthAt(std::uint64_t index) const
{
    // The digits of the position as Cursor::MoveTo reads them, down to the sizes.
    const Segment& segment = SegmentOf(index);
    std::uint64_t rest = (index - segment.first) / perBlock_ / frks_.values.size();
    const std::uint64_t depth = rest % depths_.values.size();
    rest /= depths_.values.size();
    const double value = depths_.values[depth];
    if (!depthInMultiples_) return value / 1000;
    const double first = sizes_[segment.outerRow].values[rest / segment.innerCount];
    double size = first;
    if (segment.section == 3) size = std::min(first, sizes_[segment.innerRow].values[rest % segment.innerCount]);
    return value * size / 1000;
}

}  // namespace rockpile

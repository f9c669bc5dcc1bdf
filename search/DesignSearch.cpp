#include "search/DesignSearch.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <vector>

#include "report/Format.h"
#include "report/RunTexts.h"

namespace rockpile {

namespace {

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t SaturatingMultiply(std::uint64_t a, std::uint64_t b)
{
    if (a != 0 && b > kSaturated / a) return kSaturated;
    return a * b;
}

std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) { return b > kSaturated - a ? kSaturated : a + b; }

std::uint64_t CountOf(const OptimizationItem& item) { return static_cast<std::uint64_t>(std::max<std::int64_t>(item.count, 1)); }

// Runs the loops of one search. Each level sets the fields of `input` it owns and
// hands on; the innermost level computes one candidate.
class Enumerator {
public:
    Enumerator(const SearchItems& items, const PileInput& page, int precisionMode, const SearchControl& control,
               SearchOutcome& outcome)
        : items_(items), precisionMode_(precisionMode), control_(control), outcome_(outcome)
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

        frkTexts_ = Texts(items_[itemrow::Frk]);
        const OptimizationItem& bases = items_[itemrow::Basis];
        double code = bases.min;
        for (std::int64_t i = 0; i < bases.count; ++i, code = bases.Next(code))
            if (code == 2) kvTexts_ = Texts(items_[itemrow::IntegrityIndex]);
    }

    // False when the search ended early (diagnostic or cancellation).
    bool Run()
    {
        const OptimizationItem& types = items_[itemrow::SectionType];
        double type = types.min;
        for (std::int64_t i = 0; i < types.count; ++i, type = types.Next(type)) {
            section_ = static_cast<std::uint8_t>(type);
            input_.sectionType = section_ == 4 ? SectionType::Rectangle : static_cast<SectionType>(section_);
            bool go = true;
            switch (section_) {
            case 1: go = Sizes(itemrow::Diameter, -1); break;
            case 2: go = Sizes(itemrow::Diameter, itemrow::EllipseStraight); break;
            case 3: go = Sizes(itemrow::RectangleLong, itemrow::RectangleShort); break;
            default: go = Sizes(itemrow::SquareSide, -1); break;
            }
            if (!go) return false;
        }
        return true;
    }

    PileInput& input() { return input_; }
    ComputeOutcome& last() { return last_; }
    bool anyComputed() const { return done_ > 0; }
    std::uint64_t done() const { return done_; }

private:
    static std::vector<std::string> Texts(const OptimizationItem& item)
    {
        std::vector<std::string> texts;
        texts.reserve(static_cast<std::size_t>(item.count));
        for (double value : item.Values()) texts.push_back(FormatFixed(value, 10, 2));
        return texts;
    }

    void SetSizes(double first, double second)
    {
        size1_ = first;
        size2_ = second;
        input_.d = FormatGeneral(first);
        input_.c = section_ == 1 ? std::string("0") : FormatGeneral(second);
        input_.a = input_.d;
        input_.b = input_.c;
    }

    // The size loops of the section: one item (circular, square) or two nested ones.
    bool Sizes(int outerRow, int innerRow)
    {
        const OptimizationItem& outer = items_[static_cast<std::size_t>(outerRow)];
        double first = outer.min;
        for (std::int64_t i = 0; i < outer.count; ++i, first = outer.Next(first)) {
            if (innerRow < 0) {
                SetSizes(first, section_ == 4 ? first : 0.0);
                if (!Depths(first)) return false;
                continue;
            }
            const OptimizationItem& inner = items_[static_cast<std::size_t>(innerRow)];
            double second = inner.min;
            for (std::int64_t j = 0; j < inner.count; ++j, second = inner.Next(second)) {
                SetSizes(first, second);
                if (!Depths(section_ == 3 ? std::min(first, second) : first)) return false;
            }
        }
        return true;
    }

    // Socket depth, then frk, basis and the class or index. `size` is the size the
    // multiples of row 6 refer to.
    bool Depths(double size)
    {
        const OptimizationItem& depths = items_[itemrow::SocketDepth];
        double value = depths.min;
        for (std::int64_t i = 0; i < depths.count; ++i, value = depths.Next(value)) {
            const double h = depths.inMultiples ? value * size : value;
            depth_ = h / 1000;
            input_.layers[0].lr = FormatFixed(depth_, 10, 2);

            const OptimizationItem& frks = items_[itemrow::Frk];
            double frk = frks.min;
            for (std::int64_t f = 0; f < frks.count; ++f, frk = frks.Next(frk)) {
                frk_ = frk;
                input_.layers[0].frk = frkTexts_[static_cast<std::size_t>(f)];
                if (!Bases()) return false;
            }
        }
        return true;
    }

    bool Bases()
    {
        const OptimizationItem& bases = items_[itemrow::Basis];
        double code = bases.min;
        for (std::int64_t i = 0; i < bases.count; ++i, code = bases.Next(code)) {
            if (code == 1) {
                input_.interpolationBasis = InterpolationBasis::IntegrityClass;
                const OptimizationItem& classes = items_[itemrow::IntegrityClass];
                double cls = classes.min;
                for (std::int64_t m = 0; m < classes.count; ++m, cls = classes.Next(cls)) {
                    input_.layers[0].integrityText = kIntegrityClasses[static_cast<int>(cls) - 1];
                    if (!Candidate(1, static_cast<std::uint8_t>(cls), 0)) return false;
                }
            } else {
                input_.interpolationBasis = InterpolationBasis::IntegrityIndex;
                const OptimizationItem& indices = items_[itemrow::IntegrityIndex];
                double kv = indices.min;
                for (std::int64_t k = 0; k < indices.count; ++k, kv = indices.Next(kv)) {
                    input_.layers[0].kv = kvTexts_[static_cast<std::size_t>(k)];
                    if (!Candidate(2, 0, kv)) return false;
                }
            }
        }
        return true;
    }

    double SizeKey(double size)
    {
        // The key is the number of the text FormatGeneral writes; sizes repeat over the
        // inner loops, so the last conversion is kept.
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(size);
        if (!haveKey_ || bits != keyBits_) {
            haveKey_ = true;
            keyBits_ = bits;
            key_ = ReadNumber(FormatGeneral(size));
        }
        return key_;
    }

    bool Candidate(std::uint8_t basis, std::uint8_t integrityClass, double kv)
    {
        if (control_.stop.stop_requested()) {
            outcome_.end = SearchEnd::Cancelled;
            return false;
        }
        last_ = ComputePile(input_);
        ++done_;
        if (last_.stopped()) {
            outcome_.end = SearchEnd::Diagnostic;
            return false;
        }

        CandidateRow row;
        row.section = section_;
        row.basis = basis;
        row.integrityClass = integrityClass;
        row.kv = kv;
        row.frk = frk_;
        row.depth = depth_;
        row.size1 = size1_;
        row.size2 = size2_;
        for (const Correction& correction : last_.corrections) {
            if (correction.kind == Correction::Kind::ExchangeSides) {
                row.size1 = correction.newA;
                row.size2 = correction.newB;
            } else if (correction.row == 0 && correction.column == col::Lr) {
                row.depth = 0;  // the cell now reads "0.00"
            }
        }
        row.dKey = SizeKey(row.size1);

        // The texts come from the compute run's own formatting, given only the values
        // the row shows: each column's text depends on its own field alone, and the
        // fields left at zero cost nothing to format.
        const LayerResult& layer = last_.result.layers.front();
        shown_.c1 = layer.c1;
        shown_.c2 = layer.c2;
        shown_.sumRria = layer.sumRria;
        shown_.ra = layer.ra;
        shown_.rpa = layer.rpa;
        shown_.carriesPileEnd = layer.carriesPileEnd;
        for (const CellWrite& write : LayerCellWrites(shown_, StrengthMode::CompressiveStrength)) {
            switch (write.column) {
            case col::C1: row.c1 = ReadNumber(write.text); break;
            case col::C2: row.c2 = ReadNumber(write.text); break;
            case col::Ra: row.raCell = ReadNumber(write.text); break;
            case col::Rpa: row.rpaCell = ReadNumber(write.text); break;
            case col::SumRria: row.sumRria = ReadNumber(write.text); break;
            default: break;
            }
        }
        // edt_ra: the number of the text is the key of the sort and the filter.
        row.ra = last_.result.ra;
        raOnly_.ra = row.ra;
        row.raKey = ReadNumber(FormatResultFields(raOnly_, precisionMode_).ra);
        outcome_.candidates.Append(row);

        if (control_.progress && control_.progressInterval > 0 && done_ % control_.progressInterval == 0)
            control_.progress(done_, outcome_.total);
        return true;
    }

    const SearchItems& items_;
    const int precisionMode_;
    const SearchControl& control_;
    SearchOutcome& outcome_;

    PileInput input_;
    ComputeOutcome last_;
    LayerResult shown_;  // the layer values a row shows
    PileResult raOnly_;  // Ra alone, as CandidateList formats it
    std::vector<std::string> frkTexts_;
    std::vector<std::string> kvTexts_;
    std::uint8_t section_ = 1;
    double size1_ = 0;
    double size2_ = 0;
    double depth_ = 0;
    double frk_ = 0;
    std::uint64_t done_ = 0;
    bool haveKey_ = false;
    std::uint64_t keyBits_ = 0;
    double key_ = 0;
};

}  // namespace

std::uint64_t CandidateCount(const SearchItems& items)
{
    std::uint64_t perFrk = 0;
    const OptimizationItem& bases = items[itemrow::Basis];
    double code = bases.min;
    for (std::int64_t i = 0; i < bases.count; ++i, code = bases.Next(code))
        perFrk = SaturatingAdd(perFrk, CountOf(items[code == 1 ? itemrow::IntegrityClass : itemrow::IntegrityIndex]));
    const std::uint64_t perSize = SaturatingMultiply(
        SaturatingMultiply(CountOf(items[itemrow::SocketDepth]), CountOf(items[itemrow::Frk])), perFrk);

    std::uint64_t total = 0;
    const OptimizationItem& types = items[itemrow::SectionType];
    double type = types.min;
    for (std::int64_t i = 0; i < types.count; ++i, type = types.Next(type)) {
        std::uint64_t sizes = 0;
        switch (static_cast<int>(type)) {
        case 1: sizes = CountOf(items[itemrow::Diameter]); break;
        case 2: sizes = SaturatingMultiply(CountOf(items[itemrow::Diameter]), CountOf(items[itemrow::EllipseStraight])); break;
        case 3: sizes = SaturatingMultiply(CountOf(items[itemrow::RectangleLong]), CountOf(items[itemrow::RectangleShort])); break;
        default: sizes = CountOf(items[itemrow::SquareSide]); break;
        }
        total = SaturatingAdd(total, SaturatingMultiply(sizes, perSize));
    }
    return total;
}

std::string SearchCompletedMessage(std::uint64_t n)
{
    return "计算完成，桩数：" + FormatGeneral(static_cast<double>(n)) + " 根";
}

SearchOutcome RunDesignSearch(const SearchItems& items, const PileInput& page, int precisionMode,
                              const SearchControl& control)
{
    SearchOutcome outcome;
    outcome.total = CandidateCount(items);
    outcome.candidates = CandidateList(page.layers.empty() ? std::string() : page.layers.front().weathering, precisionMode);
    if (outcome.total > control.maxCandidates) {
        outcome.end = SearchEnd::TooManyCandidates;
        outcome.message = "候选桩数" + FormatGeneral(static_cast<double>(outcome.total)) + " 根，超过上限" +
                          FormatGeneral(static_cast<double>(control.maxCandidates)) + " 根，请缩小取值范围";
        outcome.messageColour = kRed;
        return outcome;
    }
    outcome.candidates.Reserve(static_cast<std::size_t>(outcome.total));

    Enumerator enumerator(items, page, precisionMode, control, outcome);
    outcome.end = SearchEnd::Completed;
    const bool completed = enumerator.Run();
    if (outcome.end != SearchEnd::Cancelled && enumerator.anyComputed()) {
        outcome.lastInput = std::move(enumerator.input());
        outcome.lastOutcome = std::move(enumerator.last());
    }
    if (completed) {
        outcome.candidates.Number();
        outcome.message = SearchCompletedMessage(outcome.candidates.size());
        outcome.messageColour = kBlack;
        const std::uint64_t done = enumerator.done();
        if (control.progress && (control.progressInterval == 0 || done % control.progressInterval != 0))
            control.progress(done, outcome.total);
    } else if (outcome.end == SearchEnd::Diagnostic) {
        outcome.message = kRunAbortedText;
        outcome.messageColour = kRed;
    }
    return outcome;
}

}  // namespace rockpile

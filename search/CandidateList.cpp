#include "search/CandidateList.h"

#include <bit>
#include <numeric>

#include "core/ComputePile.h"
#include "report/Format.h"
#include "report/RunTexts.h"
#include "report/Texts.h"
#include "search/SearchPlan.h"

namespace rockpile {

namespace {

int DecimalDigits(std::size_t value)
{
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

std::string ShareText(double share) { return FormatFixed(share, 10, 0) + "%"; }

}  // namespace

const std::array<const char*, candcol::Count>& CandidateHeaderTexts()
{
    static const std::array<const char*, candcol::Count> headers = {
        "桩编号",   "截面类型", "d|a(mm)", "c|b(mm)", "Ra(kN)",   "hr(m)",   "frk(MPa)", "风化程度", "插值依据",
        "完整程度", "系数 c1",  "系数 c2", "Qsr(kN)", "侧阻占比", "Qpr(kN)", "端阻占比", "备注",
    };
    return headers;
}

std::array<std::string, candcol::Count> CandidateHeaders()
{
    std::array<std::string, candcol::Count> headers;
    for (int column = 0; column < candcol::Count; ++column)
        headers[static_cast<std::size_t>(column)] = PadLeft(CandidateHeaderTexts()[static_cast<std::size_t>(column)], ' ', 8);
    return headers;
}

CandidateList::CandidateList(std::string weathering, int precisionMode)
    : weathering_(std::move(weathering)), precisionMode_(precisionMode)
{
}

CandidateList::CandidateList(std::shared_ptr<const SearchPlan> plan, std::vector<CandidateKeys> keys)
    : plan_(std::move(plan)), keys_(std::move(keys))
{
    if (plan_) {
        weathering_ = plan_->weathering();
        precisionMode_ = plan_->precisionMode();
    }
}

CandidateRow CandidateList::row(std::size_t index) const
{
    return plan_ ? plan_->RowAt(index) : rows_[index];
}

std::string CandidateList::Text(std::size_t index, int column) const
{
    // Column 0 and the columns that do not depend on the candidate need no calculation.
    if (column == candcol::Number || column == candcol::Weathering || column == candcol::Remark || column < 0 ||
        column >= candcol::Count)
        return CellText(CandidateRow{}, index, column);
    return CellText(row(index), index, column);
}

std::string CandidateList::CellText(const CandidateRow& r, std::size_t index, int column) const
{
    switch (column) {
    case candcol::Number:
        return numbered_ ? PileNumber(index, size()) : std::to_string(index + 1);
    case candcol::Section: return std::string(SectionName(r.section, SectionNameStyle::Column));
    case candcol::Size1: return FormatGeneral(r.size1);
    case candcol::Size2: return r.section == 1 ? std::string("-") : FormatGeneral(r.size2);
    case candcol::Ra: {
        // edt_ra as the compute run writes it: only Ra enters its text.
        PileResult result;
        result.ra = r.ra;
        return FormatResultFields(result, precisionMode_).ra;
    }
    case candcol::Depth: return FormatFixed(r.depth, 10, 2);
    case candcol::Frk: return FormatFixed(r.frk, 10, 2);
    case candcol::Weathering: return weathering_;
    case candcol::Basis: return r.basis == 2 ? "2" : "1";
    case candcol::Integrity:
        if (r.basis == 2) return FormatFixed(r.kv, 10, 2);
        return (r.integrityClass >= 1 && r.integrityClass <= 5) ? kIntegrityClasses[r.integrityClass - 1] : "";
    case candcol::C1: return FormatFixed(r.c1, 10, 3);
    case candcol::C2: return FormatFixed(r.c2, 10, 3);
    case candcol::SideResistance: return FormatFixed(r.sumRria, 10, 0);
    case candcol::SideShare: return ShareText((1 - r.rpaCell / r.raCell) * 100);
    case candcol::EndResistance: return FormatFixed(r.rpaCell, 10, 0);
    case candcol::EndShare: return ShareText(r.rpaCell * 100 / r.raCell);
    default: return {};
    }
}

CandidateTexts CandidateList::Texts(std::size_t index) const
{
    const CandidateRow r = row(index);
    CandidateTexts texts;
    for (int column = 0; column < candcol::Count; ++column)
        texts[static_cast<std::size_t>(column)] = CellText(r, index, column);
    return texts;
}

namespace {

bool Same(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// Whether the text of `column` (by CellText) is the same for both rows of one list: the
// fields it is made of are equal. Column 0 depends on the row's position and is always
// made again.
bool SameText(const CandidateRow& a, const CandidateRow& b, int column)
{
    switch (column) {
    case candcol::Section: return a.section == b.section;
    case candcol::Size1: return Same(a.size1, b.size1);
    case candcol::Size2: return a.section == b.section && Same(a.size2, b.size2);
    case candcol::Ra: return Same(a.ra, b.ra);
    case candcol::Depth: return Same(a.depth, b.depth);
    case candcol::Frk: return Same(a.frk, b.frk);
    case candcol::Weathering:
    case candcol::Remark: return true;
    case candcol::Basis: return a.basis == b.basis;
    case candcol::Integrity: return a.basis == b.basis && Same(a.kv, b.kv) && a.integrityClass == b.integrityClass;
    case candcol::C1: return Same(a.c1, b.c1);
    case candcol::C2: return Same(a.c2, b.c2);
    case candcol::SideResistance: return Same(a.sumRria, b.sumRria);
    case candcol::SideShare:
    case candcol::EndShare: return Same(a.rpaCell, b.rpaCell) && Same(a.raCell, b.raCell);
    case candcol::EndResistance: return Same(a.rpaCell, b.rpaCell);
    default: return false;
    }
}

}  // namespace

// The cursor over the search of the list's plan, kept from row to row.
struct CandidateList::TextMaker::Walk {
    explicit Walk(const SearchPlan& plan) : cursor(plan) {}
    SearchPlan::Cursor cursor;
};

CandidateList::TextMaker::TextMaker(const CandidateList& list) : list_(list)
{
    if (list_.plan_) walk_ = std::make_unique<Walk>(*list_.plan_);
}

CandidateList::TextMaker::~TextMaker() = default;

const CandidateTexts& CandidateList::TextMaker::Texts(std::size_t index)
{
    CandidateRow r;
    if (walk_) {
        SearchPlan::Cursor& cursor = walk_->cursor;
        cursor.MoveTo(index);
        // The texts need neither the status events nor the sort keys.
        r = cursor.Row(ComputePile(cursor.input(), ComputeRecord::ResultOnly), false);
    } else {
        r = list_.rows_[index];
    }
    for (int column = 0; column < candcol::Count; ++column)
        if (!haveLast_ || !SameText(r, last_, column))
            texts_[static_cast<std::size_t>(column)] = list_.CellText(r, index, column);
    last_ = r;
    haveLast_ = true;
    return texts_;
}

double CandidateList::Key(std::size_t index, int column) const
{
    if (plan_) {
        if (column == candcol::Size1) return keys_[index].d;
        if (column == candcol::Ra) return keys_[index].ra;
        return 0;
    }
    if (column == candcol::Size1) return rows_[index].dKey;
    if (column == candcol::Ra) return rows_[index].raKey;
    return 0;
}

std::uint8_t CandidateList::Section(std::size_t index) const
{
    return plan_ ? plan_->SectionAt(index) : rows_[index].section;
}

double CandidateList::Depth(std::size_t index) const
{
    return plan_ ? plan_->DepthAt(index) : rows_[index].depth;
}

std::vector<std::uint32_t> SearchOrder(const CandidateList& list)
{
    std::vector<std::uint32_t> order(list.size());
    std::iota(order.begin(), order.end(), std::uint32_t{0});
    return order;
}

std::string PileNumber(std::size_t position, std::size_t rowCount)
{
    return "ZH-" + PadLeft(std::to_string(position + 1), '0', DecimalDigits(rowCount));
}

}  // namespace rockpile

#include "search/ResultFilter.h"

#include "report/Format.h"

namespace rockpile {

std::string FilterMessage(std::size_t kept)
{
    if (kept == 0) return "无满足条件桩，调整区间再筛选";
    return "筛选完成，桩数：" + FormatGeneral(static_cast<double>(kept)) + " 根";
}

FilterOutcome FilterCandidates(const CandidateList& list, std::span<const std::uint32_t> order, RaWindow window)
{
    FilterOutcome outcome;
    for (std::uint32_t row : order) {
        const double ra = list.Key(row, candcol::Ra);
        if (window.lo <= ra && ra <= window.hi) outcome.rows.push_back(row);
    }
    outcome.message = FilterMessage(outcome.rows.size());
    outcome.enableSave = !outcome.rows.empty();
    return outcome;
}

}  // namespace rockpile

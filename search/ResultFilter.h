#pragma once
// The Ra filter: the rows of the full list whose column-4 number lies in the window,
// in the full list's current order.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "search/CandidateList.h"
#include "search/SearchItems.h"

namespace rockpile {

struct FilterOutcome {
    std::vector<std::uint32_t> rows;  // the order of the filtered grid (row indices)
    std::string message;              // for lb_YHxingxi, black
    bool enableSave = false;          // "存盘" enabled when rows were kept, disabled otherwise
};

// "筛选完成，桩数：" + FormatGeneral(m) + " 根" when m rows pass, otherwise
// "无满足条件桩，调整区间再筛选".
std::string FilterMessage(std::size_t kept);

// Keeps the rows of `order` (the full list as shown) with lo <= Ra <= hi, where Ra is
// the number of the row's column-4 text. The window comes from ReadFilterWindow (or
// NormaliseRaWindow). Afterwards the caller shows the filtered grid, disables "筛选",
// sets SaveTarget to 1 when rows were kept, resets both sort states to 0 and the Ra
// header of Grid3_Youhuasaixuan to PadLeft("Ra(kN)", ' ', 8).
FilterOutcome FilterCandidates(const CandidateList& list, std::span<const std::uint32_t> order, RaWindow window);

}  // namespace rockpile

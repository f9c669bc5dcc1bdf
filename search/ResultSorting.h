#pragma once
// The header clicks of the result grids as pure logic on a row order.
//
// Only the d|a column (2) and the Ra column (4) sort. The first click on one of them
// sorts ascending by ExchangeSort; further clicks on the same header only reverse the
// rows, alternating descending and ascending. DSortState and RaSortState (0 not sorted
// by the column, 1 ascending, 2 descending) are shared by both grids; at most one of
// them is nonzero. A search and a filter set both to 0.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "search/CandidateList.h"

namespace rockpile {

struct SortStates {
    int dSortState = 0;
    int raSortState = 0;
    bool operator==(const SortStates&) const = default;
};

// What a header click does besides reordering the rows.
struct HeaderClickOutcome {
    std::string message;          // for lb_YHxingxi, always black
    bool sorted = false;          // the rows were sorted or reversed and the states changed
    bool selectFirstRow = false;  // select the clicked column's cell of row 0
    bool enableSave = false;      // enable "存盘"
    // The new header texts of columns 2 and 4 (already padded to 8), when sorted.
    std::optional<std::string> dHeader;
    std::optional<std::string> raHeader;
};

// The key of a row (an index into the rows) in a sortable column.
using SortKey = std::function<double(std::uint32_t row, int column)>;

// A click on the header of `column` of a grid whose rows are shown in `order`:
//   fewer than 2 rows: "无需排序", nothing else;
//   a column other than 2 and 4: "仅支持d、Ra排序", the first row selected;
//   column 2 or 4 with its state 0: ExchangeSort ascending, state 1, the other 0,
//   "d升序排列完成" / "Ra升序排列完成"; state 1: reverse, state 2, "d降序排列完成" /
//   "Ra降序排列完成"; state 2: reverse, state 1, the ascending message. In these three
//   cases the first row is selected, "存盘" is enabled and both headers are given.
HeaderClickOutcome ClickResultHeader(SortStates& states, int column, std::vector<std::uint32_t>& order,
                                     const SortKey& key);
// The same on the rows of a candidate list (keys of columns 2 and 4 from their texts).
HeaderClickOutcome ClickResultHeader(SortStates& states, int column, std::vector<std::uint32_t>& order,
                                     const CandidateList& list);

// The headers of columns 2 and 4 for sort states: "d|a(mm)" / "Ra(kN)" with "▲" or
// "▼" on the sorted one, each PadLeft(..., ' ', 8).
std::string DHeaderText(const SortStates& states);
std::string RaHeaderText(const SortStates& states);

// Rows in `order` rearranged by the ExchangeSort of their keys (in current order).
void ExchangeSortOrder(std::vector<std::uint32_t>& order, const std::vector<double>& keysInOrder);

}  // namespace rockpile

#pragma once
// The search item table as a user leaves it after editing some of its cells: the
// default table with the minimum, maximum and step of the named rows replaced. Shared
// by the search tests and the benchmarks; plain C++, no Qt.

#include <cstddef>
#include <vector>

#include "search/SearchItems.h"

namespace rockpile::testing {

// One row's three range cells, as typed.
struct CellEdit {
    int row;
    const char* min;
    const char* max;
    const char* step;
};

// The texts of the default item table with `edits` applied in order (a later edit of
// the same row wins).
inline SearchItemTexts EditedItemTexts(const std::vector<CellEdit>& edits)
{
    SearchItemTexts texts = SearchRowsOf(DefaultItemTable());
    for (const CellEdit& edit : edits) {
        ItemRowTexts& row = texts[static_cast<std::size_t>(edit.row)];
        row.min = edit.min;
        row.max = edit.max;
        row.step = edit.step;
    }
    return texts;
}

}  // namespace rockpile::testing

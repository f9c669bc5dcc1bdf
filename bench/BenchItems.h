#pragma once
// Search items for the benchmarks: the default item table with some rows replaced.

#include <cstdlib>
#include <initializer_list>
#include <string>

#include "search/SearchItems.h"

namespace rockpile {

struct Range {
    int row;
    const char* min;
    const char* max;
    const char* step;
};

inline SearchItems ReadItems(std::initializer_list<Range> ranges = {})
{
    SearchItemTexts texts = SearchRowsOf(DefaultItemTable());
    for (const Range& range : ranges) {
        ItemRowTexts& row = texts[static_cast<std::size_t>(range.row)];
        row = ItemRowTexts{row.name, std::string(range.min), std::string(range.max), std::string(range.step)};
    }
    const SearchItemsOutcome outcome = ReadSearchItems(texts);
    if (!outcome.ok()) std::abort();
    return outcome.items;
}

}  // namespace rockpile

#pragma once
// Search items for the benchmarks: the default item table with some rows replaced.

#include <cstdlib>
#include <vector>

#include "search/SearchItems.h"
#include "tests/support/ItemEdits.h"

namespace rockpile {

inline SearchItems ReadItems(const std::vector<testing::CellEdit>& ranges = {})
{
    const SearchItemsOutcome outcome = ReadSearchItems(testing::EditedItemTexts(ranges));
    if (!outcome.ok()) std::abort();
    return outcome.items;
}

}  // namespace rockpile

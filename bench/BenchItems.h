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

// A wide search of 1,000,000 circular piles: 1000 diameters x 10 depths x 10 strengths
// x (5 classes + 5 indices).
inline SearchItems MillionItems()
{
    return ReadItems({
        {itemrow::SectionType, "1", "1", "1"},
        {itemrow::Diameter, "1000", "10990", "10"},
        {itemrow::SocketDepth, "1.0d", "10.0d", "1.0d"},
        {itemrow::Frk, "10", "100", "10"},
        {itemrow::Basis, "1", "2", "1"},
        {itemrow::IntegrityClass, "1", "5", "1"},
        {itemrow::IntegrityIndex, "0.10", "0.50", "0.10"},
    });
}

}  // namespace rockpile

#include <gtest/gtest.h>

#include <vector>

#include "search/CandidateList.h"
#include "search/ResultFilter.h"
#include "search/SearchItems.h"

namespace rockpile {
namespace {

using Rows = std::vector<std::uint32_t>;

// Candidates whose column-4 texts read as these numbers.
CandidateList ListWithRa(std::initializer_list<double> keys)
{
    CandidateList list("中风化", 2);
    for (double key : keys) {
        CandidateRow row;
        row.raKey = key;
        list.Append(row);
    }
    return list;
}

struct WindowCase {
    const char* what;
    const char* min;
    const char* max;
    Rows kept;
};

class FilterWindowCases : public ::testing::TestWithParam<WindowCase> {};

TEST_P(FilterWindowCases, KeepTheRowsInTheWindow)
{
    const WindowCase& c = GetParam();
    const CandidateList list = ListWithRa({11999, 12000, 13000, 13999.5, 14000, 14001, 9000});
    const FilterWindowOutcome window = ReadFilterWindow({"筛选 Ra(kN)", c.min, c.max, ""});
    ASSERT_TRUE(window.ok());
    const Rows order = SearchOrder(list);
    const FilterOutcome outcome = FilterCandidates(list, order, window.window);
    EXPECT_EQ(outcome.rows, c.kept);
    EXPECT_EQ(outcome.enableSave, !c.kept.empty());
}

INSTANTIATE_TEST_SUITE_P(ResultFilter, FilterWindowCases,
                         ::testing::Values(WindowCase{"defaults, bounds included", "12000", "14000", {1, 2, 3, 4}},
                                           WindowCase{"no limits", "0", "0", {0, 1, 2, 3, 4, 5, 6}},
                                           WindowCase{"no upper limit", "13000", "0", {2, 3, 4, 5}},
                                           WindowCase{"reversed window: one value", "14000", "12000", {4}},
                                           WindowCase{"negative minimum taken as 0", "-500", "12000", {0, 1, 6}},
                                           WindowCase{"nothing inside", "14000.5", "14000.9", {}}));

TEST(ResultFilter, Messages)
{
    EXPECT_EQ(FilterMessage(0), "无满足条件桩，调整区间再筛选");
    EXPECT_EQ(FilterMessage(1), "筛选完成，桩数：1 根");
    EXPECT_EQ(FilterMessage(1152), "筛选完成，桩数：1152 根");
}

TEST(ResultFilter, KeepsTheCurrentOrderOfTheFullList)
{
    const CandidateList list = ListWithRa({13000, 12500, 20000, 12000});
    const Rows sortedByRa = {3, 1, 0, 2};
    const FilterOutcome outcome = FilterCandidates(list, sortedByRa, NormaliseRaWindow(12000, 14000));
    EXPECT_EQ(outcome.rows, (Rows{3, 1, 0}));
    EXPECT_EQ(outcome.message, "筛选完成，桩数：3 根");
    EXPECT_TRUE(outcome.enableSave);
}

TEST(ResultFilter, AnEmptyFullListKeepsNothing)
{
    const CandidateList list;
    const FilterOutcome outcome = FilterCandidates(list, Rows{}, NormaliseRaWindow(0, 0));
    EXPECT_TRUE(outcome.rows.empty());
    EXPECT_EQ(outcome.message, "无满足条件桩，调整区间再筛选");
    EXPECT_FALSE(outcome.enableSave);
}

}  // namespace
}  // namespace rockpile

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "search/SearchItems.h"
#include "tests/support/ItemEdits.h"

namespace rockpile {
namespace {

using testing::CellEdit;

SearchItemTexts DefaultTexts() { return SearchRowsOf(DefaultItemTable()); }

SearchItemTexts Edited(std::initializer_list<CellEdit> edits) { return testing::EditedItemTexts(edits); }

TEST(SearchItems, DefaultsGiveTheSequencesOfTheSearch)
{
    const SearchItemsOutcome outcome = ReadSearchItems(DefaultTexts());
    ASSERT_TRUE(outcome.ok()) << outcome.error->message;
    const SearchItems& items = outcome.items;
    EXPECT_EQ(items[itemrow::SectionType].Values(), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(items[itemrow::Diameter].Values(), (std::vector<double>{1000, 1500, 2000}));
    EXPECT_EQ(items[itemrow::EllipseStraight].Values(), (std::vector<double>{1000, 1500, 2000}));
    EXPECT_EQ(items[itemrow::RectangleLong].Values(), (std::vector<double>{2000, 2500, 3000}));
    EXPECT_EQ(items[itemrow::RectangleShort].Values(), (std::vector<double>{1000, 1500, 2000}));
    EXPECT_EQ(items[itemrow::SquareSide].Values(), (std::vector<double>{1000, 1500, 2000}));
    EXPECT_EQ(items[itemrow::SocketDepth].Values(), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(items[itemrow::SocketDepth].inMultiples);
    EXPECT_EQ(items[itemrow::Frk].Values(), (std::vector<double>{35, 40}));
    EXPECT_EQ(items[itemrow::Basis].Values(), (std::vector<double>{1, 2}));
    EXPECT_EQ(items[itemrow::IntegrityClass].Values(), (std::vector<double>{1, 2, 3}));
    for (int row = 0; row < itemrow::SearchRows; ++row) {
        if (row != itemrow::SocketDepth) {
            EXPECT_FALSE(items[static_cast<std::size_t>(row)].inMultiples) << row;
        }
    }
}

TEST(SearchItems, IndexStepsAccumulateInDoublePrecision)
{
    // 0.40 and four steps of 0.10 lie a hair below 0.80, so the fifth value is the sum,
    // not the maximum.
    const SearchItemsOutcome outcome = ReadSearchItems(DefaultTexts());
    ASSERT_TRUE(outcome.ok());
    const OptimizationItem& index = outcome.items[itemrow::IntegrityIndex];
    EXPECT_EQ(index.count, 5);
    const std::vector<double> values = index.Values();
    ASSERT_EQ(values.size(), 5u);
    EXPECT_EQ(values[0], 0.40);
    EXPECT_EQ(values[4], 0.40 + 0.10 + 0.10 + 0.10 + 0.10);
    EXPECT_LT(values[4], 0.80);
}

struct RangeCase {
    const char* what;
    int row;
    const char* min;
    const char* max;
    const char* step;
    std::vector<double> values;
    bool inMultiples = false;
};

class RangeRules : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeRules, GiveTheSequence)
{
    const RangeCase& c = GetParam();
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{c.row, c.min, c.max, c.step}}));
    ASSERT_TRUE(outcome.ok()) << outcome.error->message;
    const OptimizationItem& item = outcome.items[static_cast<std::size_t>(c.row)];
    EXPECT_EQ(item.Values(), c.values);
    EXPECT_EQ(item.count, static_cast<std::int64_t>(c.values.size()));
    EXPECT_EQ(item.inMultiples, c.inMultiples);
    EXPECT_GE(item.max, item.min);
    if (item.count == 1) {
        EXPECT_EQ(item.step, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SearchItems, RangeRules,
    ::testing::Values(
        RangeCase{"section types limited to 1..4", 0, "0", "9", "1", {1, 2, 3, 4}},
        RangeCase{"section max below min: one type", 0, "3", "2", "1", {3}},
        RangeCase{"integer step below 1 becomes the span", 0, "1", "4", "-1", {1, 4}},
        RangeCase{"integer step beyond any int", 0, "1", "4", "99999999999999", {1, 4}},
        RangeCase{"integer division drops the remainder", 9, "1", "5", "3", {1, 4}},
        RangeCase{"classes limited to 1..5", 9, "-3", "12", "2", {1, 3, 5}},
        RangeCase{"basis limited to 1..2", 8, "0", "7", "1", {1, 2}},
        RangeCase{"blanks and a sign around an integer", 8, " +2 ", "2", "1", {2}},
        RangeCase{"step 0: both ends", 1, "1000", "2000", "0", {1000, 2000}},
        RangeCase{"negative step: both ends", 1, "1000", "2000", "-500", {1000, 2000}},
        RangeCase{"step beyond the span: both ends", 1, "1000", "2000", "3000", {1000, 2000}},
        RangeCase{"max below min: one value", 1, "2000", "1000", "500", {2000}},
        RangeCase{"overshooting step ends at max", 1, "1000", "2000", "400", {1000, 1400, 1800, 2000}},
        RangeCase{"rounded count leaves a remainder", 1, "1000", "2000", "300", {1000, 1300, 1600, 1900}},
        RangeCase{"half a step rounds up", 7, "35", "40", "2", {35, 37, 39, 40}},
        RangeCase{"zero passes the sign test", 2, "0", "1000", "500", {0, 500, 1000}},
        RangeCase{"exponent form", 5, "1.2E3", "1200", "1", {1200}},
        RangeCase{"depth in millimetres", 6, "1000", "3000", "1000", {1000, 2000, 3000}, false},
        RangeCase{"depth in multiples, text after d ignored", 6, "1.5d", "3d", "0.5dxyz", {1.5, 2, 2.5, 3}, true},
        RangeCase{"depth has no sign test", 6, "-1000", "1000", "1000", {-1000, 0, 1000}, false},
        RangeCase{"index of 1 passes", 10, "1", "1", "0.1", {1}}),
    [](const ::testing::TestParamInfo<RangeCase>& info) { return "case" + std::to_string(info.index); });

struct MessageCase {
    int row;
    const char* min;
    const char* max;
    const char* message;
};

class RangeMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(RangeMessages, StopTheReading)
{
    const MessageCase& c = GetParam();
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{c.row, c.min, c.max, "1"}}));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->kind, ItemError::Kind::RangeTest);
    EXPECT_EQ(outcome.error->row, c.row);
    EXPECT_EQ(outcome.error->message, c.message);
}

INSTANTIATE_TEST_SUITE_P(SearchItems, RangeMessages,
                         ::testing::Values(MessageCase{1, "-1000", "2000", "桩径不能为负值"},
                                           MessageCase{1, "1000", "-1", "桩径不能为负值"},
                                           MessageCase{2, "-1", "2000", "椭圆直段不能为负值"},
                                           MessageCase{3, "-1", "2000", "矩形长边不能为负值"},
                                           MessageCase{4, "-1", "2000", "矩形短边不能为负值"},
                                           MessageCase{5, "-1", "2000", "方形边长不能为负值"},
                                           MessageCase{7, "-35", "40", "岩石单轴抗压强度不能为负值"},
                                           MessageCase{10, "0.00", "0.80", "岩体完整性指数不能为负值或0"},
                                           MessageCase{10, "0.40", "-0.5", "岩体完整性指数不能为负值或0"},
                                           MessageCase{10, "0.40", "1.20", "岩体完整性指数不能大于1"},
                                           MessageCase{10, "-0.1", "2", "岩体完整性指数不能为负值或0"}));

TEST(SearchItems, EveryRowIsTestedWhateverTheSectionTypes)
{
    // Only circular piles are searched, yet the long side of a rectangle is tested.
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{0, "1", "1", "1"}, {3, "-5", "3000", "500"}}));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->message, "矩形长边不能为负值");
}

TEST(SearchItems, RowsAreReadInOrder)
{
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{1, "-1000", "2000", "500"}, {2, "-1", "0", "0"}}));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->message, "桩径不能为负值");
}

struct ConversionCase {
    int row;
    const char* min;
    const char* max;
    const char* step;
    int column;
    const char* message;
};

class ConversionErrors : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionErrors, NameTheItemAndTheCell)
{
    const ConversionCase& c = GetParam();
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{c.row, c.min, c.max, c.step}}));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->kind, ItemError::Kind::Conversion);
    EXPECT_EQ(outcome.error->row, c.row);
    EXPECT_EQ(outcome.error->column, c.column);
    EXPECT_EQ(outcome.error->message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    SearchItems, ConversionErrors,
    ::testing::Values(
        ConversionCase{0, "1", "2.5", "1", 2, "“桩身截面类型”最大值“2.5”不是有效整数"},
        ConversionCase{9, "", "3", "1", 1, "“岩体完整程度”最小值“”不是有效整数"},
        ConversionCase{8, "1", "2", "1e0", 3, "“自动插值依据”步进值“1e0”不是有效整数"},
        ConversionCase{1, "abc", "2000", "500", 1, "“桩身直径 d(mm)”最小值“abc”不是有效数值"},
        // The cells are converted before the sign test of their row.
        ConversionCase{1, "-1000", "2000", "x", 3, "“桩身直径 d(mm)”步进值“x”不是有效数值"},
        ConversionCase{7, "35", "40", "5,0", 3, "“岩石强度 frk(MPa)”步进值“5,0”不是有效数值"},
        ConversionCase{10, "0.40", "", "0.10", 2, "“岩体完整性指数”最大值“”不是有效数值"},
        ConversionCase{6, "1.0d", "3000", "1.0d", 2, "“嵌岩深度 hr(mm)”最大值“3000”不是有效倍数，倍数与数值不可混用"},
        ConversionCase{6, "1000", "3.0d", "1000", 2, "“嵌岩深度 hr(mm)”最大值“3.0d”不是有效数值，倍数与数值不可混用"},
        ConversionCase{6, "d", "3d", "1d", 1, "“嵌岩深度 hr(mm)”最小值“d”不是有效倍数"},
        ConversionCase{6, "1.0D", "3.0D", "1.0D", 1, "“嵌岩深度 hr(mm)”最小值“1.0D”不是有效数值"}));

TEST(SearchItems, TheFirstFailedConversionWins)
{
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{0, "x", "y", "1"}, {1, "-1000", "2000", "500"}}));
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->message, "“桩身截面类型”最小值“x”不是有效整数");
}

TEST(SearchItems, AFineStepSaturatesTheCount)
{
    const SearchItemsOutcome outcome = ReadSearchItems(Edited({{1, "0", "1e300", "1e-300"}}));
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.items[itemrow::Diameter].count, std::numeric_limits<std::int64_t>::max());
}

struct WindowCase {
    const char* min;
    const char* max;
    RaWindow window;
};

class FilterWindows : public ::testing::TestWithParam<WindowCase> {};

TEST_P(FilterWindows, AreNormalised)
{
    const WindowCase& c = GetParam();
    const FilterWindowOutcome outcome = ReadFilterWindow({"筛选 Ra(kN)", c.min, c.max, ""});
    ASSERT_TRUE(outcome.ok()) << outcome.error->message;
    EXPECT_EQ(outcome.window, c.window);
}

INSTANTIATE_TEST_SUITE_P(SearchItems, FilterWindows,
                         ::testing::Values(WindowCase{"12000", "14000", {12000, 14000}},
                                           WindowCase{"0", "0", {0, 1e15}},
                                           WindowCase{"13000", "0", {13000, 1e15}},
                                           WindowCase{"14000", "12000", {14000, 14000}},
                                           WindowCase{"-500", "14000", {0, 14000}},
                                           WindowCase{"-1", "-1", {0, 1e15}}));

TEST(SearchItems, AFilterWindowThatDoesNotConvertNamesItsCell)
{
    const ItemRowTexts row = FilterRowOf(DefaultItemTable());
    FilterWindowOutcome outcome = ReadFilterWindow({row.name, "", row.max, ""});
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->message, "“筛选 Ra(kN)”最小值“”不是有效数值");
    EXPECT_EQ(outcome.error->column, 1);
    outcome = ReadFilterWindow({row.name, row.min, "14千", ""});
    ASSERT_FALSE(outcome.ok());
    EXPECT_EQ(outcome.error->message, "“筛选 Ra(kN)”最大值“14千”不是有效数值");
    EXPECT_EQ(outcome.error->column, 2);
}

TEST(SearchItems, EditableCellsAndWhatTheirEditsEnable)
{
    struct Cell {
        int row;
        int column;
        bool editable;
        bool compute;
        bool filter;
    };
    const Cell cells[] = {
        {0, 0, false, false, false},  {0, 1, true, true, false},   {10, 3, true, true, false},
        {5, 4, false, false, false},  {11, 1, false, false, false}, {11, 2, false, false, false},
        {12, 1, true, false, true},   {12, 2, true, false, true},   {12, 3, false, false, false},
        {12, 0, false, false, false}, {13, 1, false, false, false}, {-1, 1, false, false, false},
    };
    for (const Cell& cell : cells) {
        SCOPED_TRACE(::testing::Message() << "row " << cell.row << " column " << cell.column);
        EXPECT_EQ(ItemCellEditable(cell.row, cell.column), cell.editable);
        EXPECT_EQ(ItemEditEnablesCompute(cell.row, cell.column), cell.compute);
        EXPECT_EQ(ItemEditEnablesFilter(cell.row, cell.column), cell.filter);
    }
}

}  // namespace
}  // namespace rockpile

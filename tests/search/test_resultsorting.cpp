#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/CandidateList.h"
#include "search/ResultSorting.h"

namespace rockpile {
namespace {

// A grid of rows known by their pile numbers, with d and Ra keys.
struct Grid {
    std::vector<std::string> names;
    std::vector<double> d;
    std::vector<double> ra;
    std::vector<std::uint32_t> order;
    SortStates states;

    Grid(std::vector<std::string> n, std::vector<double> dKeys, std::vector<double> raKeys)
        : names(std::move(n)), d(std::move(dKeys)), ra(std::move(raKeys))
    {
        for (std::uint32_t i = 0; i < names.size(); ++i) order.push_back(i);
    }

    HeaderClickOutcome Click(int column)
    {
        return ClickResultHeader(states, column, order, [this](std::uint32_t row, int keyColumn) {
            return keyColumn == candcol::Size1 ? d[row] : ra[row];
        });
    }

    std::vector<std::string> Shown() const
    {
        std::vector<std::string> shown;
        for (std::uint32_t row : order) shown.push_back(names[row]);
        return shown;
    }
};

using Names = std::vector<std::string>;

TEST(ResultSorting, EqualSizesChangePlacesAndLaterClicksReverse)
{
    Grid grid({"ZH-1", "ZH-2", "ZH-3"}, {2000, 2000, 1000}, {3, 2, 1});

    HeaderClickOutcome click = grid.Click(candcol::Size1);
    EXPECT_EQ(grid.Shown(), (Names{"ZH-3", "ZH-2", "ZH-1"}));
    EXPECT_EQ(click.message, "d升序排列完成");
    EXPECT_EQ(grid.states, (SortStates{1, 0}));
    EXPECT_TRUE(click.sorted);
    EXPECT_TRUE(click.selectFirstRow);
    EXPECT_TRUE(click.enableSave);
    EXPECT_EQ(click.dHeader, "d|a(mm)▲");
    EXPECT_EQ(click.raHeader, "  Ra(kN)");

    click = grid.Click(candcol::Size1);
    EXPECT_EQ(grid.Shown(), (Names{"ZH-1", "ZH-2", "ZH-3"}));
    EXPECT_EQ(click.message, "d降序排列完成");
    EXPECT_EQ(grid.states, (SortStates{2, 0}));
    EXPECT_EQ(click.dHeader, "d|a(mm)▼");
    EXPECT_EQ(click.raHeader, "  Ra(kN)");

    click = grid.Click(candcol::Size1);
    EXPECT_EQ(grid.Shown(), (Names{"ZH-3", "ZH-2", "ZH-1"}));
    EXPECT_EQ(click.message, "d升序排列完成");
    EXPECT_EQ(grid.states, (SortStates{1, 0}));
    EXPECT_EQ(click.dHeader, "d|a(mm)▲");
}

TEST(ResultSorting, RaSortStartsFromTheDOrderAndResetsTheDState)
{
    Grid grid({"ZH-1", "ZH-2", "ZH-3", "ZH-4"}, {1500, 1000, 1500, 1000}, {200, 100, 100, 300});
    grid.Click(candcol::Size1);
    EXPECT_EQ(grid.Shown(), (Names{"ZH-2", "ZH-4", "ZH-3", "ZH-1"}));

    HeaderClickOutcome click = grid.Click(candcol::Ra);
    // Ra keys in the d order: 100, 300, 100, 200.
    EXPECT_EQ(grid.Shown(), (Names{"ZH-2", "ZH-3", "ZH-1", "ZH-4"}));
    EXPECT_EQ(click.message, "Ra升序排列完成");
    EXPECT_EQ(grid.states, (SortStates{0, 1}));
    EXPECT_EQ(click.dHeader, " d|a(mm)");
    EXPECT_EQ(click.raHeader, "Ra(kN)▲");

    click = grid.Click(candcol::Ra);
    EXPECT_EQ(grid.Shown(), (Names{"ZH-4", "ZH-1", "ZH-3", "ZH-2"}));
    EXPECT_EQ(click.message, "Ra降序排列完成");
    EXPECT_EQ(grid.states, (SortStates{0, 2}));
    EXPECT_EQ(click.raHeader, "Ra(kN)▼");

    // The d state was reset, so d sorts again from scratch, ascending.
    click = grid.Click(candcol::Size1);
    EXPECT_EQ(click.message, "d升序排列完成");
    EXPECT_EQ(grid.states, (SortStates{1, 0}));
    EXPECT_EQ(grid.Shown(), (Names{"ZH-4", "ZH-2", "ZH-3", "ZH-1"}));
    EXPECT_EQ(click.raHeader, "  Ra(kN)");
}

TEST(ResultSorting, OtherColumnsDoNotSort)
{
    for (int column : {candcol::Number, candcol::Frk, candcol::Size2, candcol::Remark}) {
        Grid grid({"ZH-1", "ZH-2"}, {2000, 1000}, {2, 1});
        grid.states = {2, 0};
        const HeaderClickOutcome click = grid.Click(column);
        EXPECT_EQ(click.message, "仅支持d、Ra排序");
        EXPECT_EQ(grid.Shown(), (Names{"ZH-1", "ZH-2"}));
        EXPECT_EQ(grid.states, (SortStates{2, 0}));
        EXPECT_FALSE(click.sorted);
        EXPECT_TRUE(click.selectFirstRow);
        EXPECT_FALSE(click.enableSave);
        EXPECT_FALSE(click.dHeader.has_value());
    }
}

TEST(ResultSorting, FewerThanTwoRowsNeedNoSorting)
{
    for (int column : {candcol::Number, candcol::Size1, candcol::Ra}) {
        for (std::size_t rows : {0u, 1u}) {
            Grid grid(Names(rows, "ZH-1"), std::vector<double>(rows, 1), std::vector<double>(rows, 1));
            grid.states = {0, 1};
            const HeaderClickOutcome click = grid.Click(column);
            EXPECT_EQ(click.message, "无需排序");
            EXPECT_EQ(grid.states, (SortStates{0, 1}));
            EXPECT_FALSE(click.sorted);
            EXPECT_FALSE(click.selectFirstRow);
            EXPECT_FALSE(click.enableSave);
        }
    }
}

TEST(ResultSorting, PlainHeaders)
{
    EXPECT_EQ(DHeaderText({}), " d|a(mm)");
    EXPECT_EQ(RaHeaderText({}), "  Ra(kN)");
    const std::array<std::string, candcol::Count> expected = {
        "  桩编号", "截面类型", " d|a(mm)", " c|b(mm)", "  Ra(kN)", "   hr(m)", "frk(MPa)", "风化程度", "插值依据",
        "完整程度", " 系数 c1", " 系数 c2", " Qsr(kN)", "侧阻占比", " Qpr(kN)", "端阻占比", "    备注",
    };
    EXPECT_EQ(CandidateHeaders(), expected);
}

TEST(ResultSorting, SortsCandidateRowsByTheirKeys)
{
    CandidateList list("中风化", 2);
    for (double key : {16163.0, 9000.0, 16163.0, 0.0, -0.0}) {
        CandidateRow row;
        row.raKey = key;
        row.dKey = 1000;
        list.Append(row);
    }
    std::vector<std::uint32_t> order = SearchOrder(list);
    SortStates states;
    ClickResultHeader(states, candcol::Ra, order, list);
    // 0 before -0 stays before it: the two are one key, -0 is not the smaller.
    EXPECT_EQ(order, (std::vector<std::uint32_t>{3, 4, 1, 0, 2}));
    // All sizes equal: the exchange sort moves nothing.
    ClickResultHeader(states, candcol::Size1, order, list);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{3, 4, 1, 0, 2}));
}

}  // namespace
}  // namespace rockpile

// The report step and the deletion of the last entry over several calculations.

#include <gtest/gtest.h>

#include <locale>

#include "report/Reports.h"
#include "tests/report/ReportFixtures.h"

namespace rockpile {
namespace {

using namespace testing_report;

std::string TimeLine(const char* stamp) { return std::string("计算时间：") + stamp; }

class ReportSequence : public ::testing::Test {
protected:
    void Calculate(const char* stamp)
    {
        ASSERT_TRUE(model_.AppendReports(StartSnapshot(), StartResult(), stamp));
    }

    ReportModel model_;
};

TEST_F(ReportSequence, FirstEntryEndsWithItsTimeStamp)
{
    Calculate("T1");
    EXPECT_EQ(model_.reportCount(), 1);
    EXPECT_EQ(model_.textLines(), Join({StartEntry('1'), {TimeLine("T1")}}));
    EXPECT_EQ(model_.tableLines(),
              Join({kTableHeader, {StartRow('1')}, kTableFooter, {TimeLine("T1")}}));
}

TEST_F(ReportSequence, EachNewEntryReplacesTheTimeStampLine)
{
    Calculate("T1");
    Calculate("T2");
    EXPECT_EQ(model_.reportCount(), 2);
    EXPECT_EQ(model_.textLines(), Join({StartEntry('1'), StartEntry('2'), {TimeLine("T2")}}));
    EXPECT_EQ(model_.tableLines(), Join({kTableHeader, {StartRow('1'), StartRow('2')},
                                         kTableFooter, {TimeLine("T2")}}));
}

TEST_F(ReportSequence, ThreeCalculationsThenDeleteKeepsTheLastTimeStamp)
{
    Calculate("T1");
    Calculate("T2");
    Calculate("T3");
    model_.DeleteLastEntry();

    EXPECT_EQ(model_.reportCount(), 2);
    EXPECT_EQ(model_.tableLines(), Join({kTableHeader, {StartRow('1'), StartRow('2')},
                                         kTableFooter, {TimeLine("T3")}}));
    EXPECT_EQ(model_.textLines(), Join({StartEntry('1'), StartEntry('2'), {TimeLine("T3")}}));

    // The freed number is used again.
    Calculate("T4");
    EXPECT_EQ(model_.reportCount(), 3);
    EXPECT_EQ(model_.tableLines(), Join({kTableHeader, {StartRow('1'), StartRow('2'), StartRow('3')},
                                         kTableFooter, {TimeLine("T4")}}));
    EXPECT_EQ(model_.textLines(),
              Join({StartEntry('1'), StartEntry('2'), StartEntry('3'), {TimeLine("T4")}}));
}

TEST_F(ReportSequence, DeletingDownToEmptyStartsAgainAtOne)
{
    Calculate("T1");
    Calculate("T2");
    model_.DeleteLastEntry();
    EXPECT_EQ(model_.reportCount(), 1);
    EXPECT_EQ(model_.textLines(), Join({StartEntry('1'), {TimeLine("T2")}}));
    EXPECT_EQ(model_.tableLines(),
              Join({kTableHeader, {StartRow('1')}, kTableFooter, {TimeLine("T2")}}));

    model_.DeleteLastEntry();
    EXPECT_EQ(model_.reportCount(), 0);
    EXPECT_TRUE(model_.textLines().empty());
    EXPECT_TRUE(model_.tableLines().empty());

    // Nothing to delete: nothing happens.
    model_.DeleteLastEntry();
    EXPECT_EQ(model_.reportCount(), 0);
    EXPECT_TRUE(model_.textLines().empty());
    EXPECT_TRUE(model_.tableLines().empty());

    Calculate("T3");
    EXPECT_EQ(model_.reportCount(), 1);
    EXPECT_EQ(model_.textLines(), Join({StartEntry('1'), {TimeLine("T3")}}));
    EXPECT_EQ(model_.tableLines(),
              Join({kTableHeader, {StartRow('1')}, kTableFooter, {TimeLine("T3")}}));
}

TEST_F(ReportSequence, DeletingAnEntryOfAnotherLengthLeavesThePreviousWhole)
{
    Calculate("T1");
    // A longer entry: three layers.
    ReportSnapshot longer = StartSnapshot();
    longer.layerCountItemText = "3";
    longer.rows = {longer.rows[0], longer.rows[0], longer.rows[0]};
    ASSERT_TRUE(model_.AppendReports(longer, StartResult(), "T2"));
    model_.DeleteLastEntry();
    EXPECT_EQ(model_.textLines(), Join({StartEntry('1'), {TimeLine("T2")}}));
}

// A layer cell that the entry must read as a number and that is not one.
TEST_F(ReportSequence, ACellThatIsNotANumberAppendsNothing)
{
    const struct {
        int column;
        const char* text;
    } cases[] = {
        {14, "abc"},
        {15, ""},
        {12, " "},
        {13, "1,5"},
        {20, "0.3.3"},
        {8, "nan"},
        {1, "x"},  // read as text here, but as a number when the resistances are given
    };
    Calculate("T1");
    const ReportModel before = model_;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "column " << c.column << " '" << c.text << "'");
        ReportSnapshot snapshot = StartSnapshot();
        if (c.column == 1) snapshot.strengthMode = StrengthMode::GivenResistances;
        snapshot.rows[0][static_cast<std::size_t>(c.column)] = c.text;

        EXPECT_FALSE(model_.AppendReports(snapshot, StartResult(), "T2"));
        EXPECT_EQ(model_.reportCount(), before.reportCount());
        EXPECT_EQ(model_.textLines(), before.textLines());
        EXPECT_EQ(model_.tableLines(), before.tableLines());

        ReportModel empty;
        EXPECT_FALSE(empty.AppendReports(snapshot, StartResult(), "T2"));
        EXPECT_EQ(empty.reportCount(), 0);
        EXPECT_TRUE(empty.textLines().empty());
        EXPECT_TRUE(empty.tableLines().empty());
    }
}

TEST_F(ReportSequence, CellsPrintedAsTextNeedNotBeNumbers)
{
    // With the compressive strength given, columns 1 and 5 are printed as they stand.
    ReportSnapshot snapshot = StartSnapshot();
    snapshot.rows[0][1] = "1.0";
    snapshot.rows[0][5] = "25";
    ASSERT_TRUE(model_.AppendReports(snapshot, StartResult(), "T1"));
    EXPECT_EQ(model_.textLines()[16], "       1     1.0     较完整       25  ");
    EXPECT_EQ(model_.textLines()[41], "       1     1.0       25     0.34     0.03  ");
}

// A numeric punctuation that differs from the program's own must not reach the
// reports: only the time stamp, made by the window and handed in as text, follows the
// machine's settings.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST(ReportLocale, LinesDoNotFollowTheMachineLocale)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));

    ReportModel model;
    const bool appended = model.AppendReports(StartSnapshot(), StartResult(), kStamp);

    std::locale::global(previous);

    ASSERT_TRUE(appended);
    EXPECT_EQ(model.textLines(), Join({StartEntry('1'), {TimeLine(kStamp)}}));
    EXPECT_EQ(model.tableLines(),
              Join({kTableHeader, {StartRow('1')}, kTableFooter, {TimeLine(kStamp)}}));
}

}  // namespace
}  // namespace rockpile

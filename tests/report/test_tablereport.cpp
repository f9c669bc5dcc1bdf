// The table report: its lines after one calculation, and the row of each kind of
// section and precision, against rows written out by hand.

#include <gtest/gtest.h>

#include "report/Format.h"
#include "report/Reports.h"
#include "tests/report/ReportFixtures.h"

namespace rockpile {
namespace {

using namespace testing_report;

// Circular d = 1000, one layer of 1.00 m, Rra 1234.56 kN, Rpa 5678.9 kN.
PileResult SmallResult()
{
    PileResult r;
    r.perimeter = 3141.592653589793;
    r.area = 785398.1633974483;
    r.hr = 1.0;
    r.sumRria = 1234.56;
    r.rpa = 5678.9;
    r.ra = 1234.56 + 5678.9;
    r.rpaShare = 100 * r.rpa / r.ra;
    r.clause = "第10.2.4条";
    r.verdict = "合规";
    return r;
}

const char* const kSmallRowUnits =
    "   ZH1      圆  桩     1000        -         -         -       0.79      3.14      1.00       1235      18%       5679      82%       6913     合规   ";

TEST(TableReport, FirstCalculationWritesHeaderRowAndFooter)
{
    ReportModel model;
    ASSERT_TRUE(model.AppendReports(StartSnapshot(), SmallResult(), kStamp));
    const Lines expected = Join({kTableHeader, {kSmallRowUnits}, kTableFooter,
                                 {std::string("计算时间：") + kStamp}});
    EXPECT_EQ(model.tableLines(), expected);
    EXPECT_EQ(model.tableLines().size(), 10u);
    EXPECT_EQ(DisplayWidth(model.tableLines()[5]), 150);
    EXPECT_EQ(model.reportCount(), 1);
}

struct RowCase {
    const char* name;
    int sectionIndex;
    const char* dd;
    const char* tyzd;
    int precisionMode;
    PileResult result;
    const char* expected;
};

PileResult WithSection(PileResult r, double perimeter, double area, double hr)
{
    r.perimeter = perimeter;
    r.area = area;
    r.hr = hr;
    return r;
}

PileResult Resistances(double rra, double rpa, const char* verdict)
{
    PileResult r;
    r.sumRria = rra;
    r.rpa = rpa;
    r.ra = rpa + rra;
    r.rpaShare = 100 * rpa / r.ra;
    r.verdict = verdict;
    return r;
}

TEST(TableReport, RowOfEachSectionAndPrecision)
{
    const RowCase cases[] = {
        {"circular, units", 0, "1000", "0", kUnits, SmallResult(), kSmallRowUnits},
        {"circular, two decimals", 0, "1000", "0", kTwoDecimals, SmallResult(),
         "   ZH1      圆  桩     1000        -         -         -       0.79      3.14      1.00     1234.56   17.86%    5678.90   82.14%    6913.46    合规   "},
        {"circular, one decimal", 0, "1000", "0", kOneDecimal, SmallResult(),
         "   ZH1      圆  桩     1000        -         -         -       0.79      3.14      1.00      1234.6    17.9%     5678.9    82.1%     6913.5    合规   "},
        {"square, tens", 2, "1500", "1500", kTens,
         WithSection(Resistances(38400, 12375, "超规"), 6000, 2250000, 4.5),
         "   ZH1      方  桩       -         -       1500      1500      2.25      6.00      4.50      38400      76%      12370      24%      50770     超规   "},
        {"ellipse, hundreds", 1, "1000", "500", kHundreds,
         WithSection(Resistances(12673.273519984765, 11568.583470577034, "合规"),
                     4141.5926535897925, 1285398.1633974481, 3.5),
         "   ZH1      椭圆桩     1000       500        -         -       1.29      4.14      3.50      12600      52%      11500      48%      24200     合规   "},
        // A size wider than its column pushes the rest of the row to the right.
        {"rectangle, wide size", 2, "12345.5", "800", kUnits,
         WithSection(Resistances(1000, 2000, "合规"), 26291, 9876400, 1.0),
         "   ZH1      矩形桩       -         -     12345.5       800      9.88     26.29      1.00       1000      33%       2000      67%       3000     合规   "},
        // Nothing selected: no section columns and no resistance columns.
        {"nothing selected", -1, "1000", "0", -1, SmallResult(),
         "   ZH1       0.79      3.14      1.00     合规   "},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        ReportSnapshot snapshot = StartSnapshot();
        snapshot.section = static_cast<SectionType>(c.sectionIndex + 1);
        snapshot.ddText = c.dd;
        snapshot.tyzdText = c.tyzd;
        snapshot.precisionMode = c.precisionMode;
        ReportModel model;
        ASSERT_TRUE(model.AppendReports(snapshot, c.result, kStamp));
        ASSERT_EQ(model.tableLines().size(), 10u);
        EXPECT_EQ(model.tableLines()[5], c.expected);
    }
}

TEST(TableReport, RowsOfEveryPrecisionLineUpUnderTheHeader)
{
    for (int mode = kTwoDecimals; mode <= kHundreds; ++mode) {
        SCOPED_TRACE(mode);
        ReportSnapshot snapshot = StartSnapshot();
        snapshot.precisionMode = mode;
        ReportModel model;
        ASSERT_TRUE(model.AppendReports(snapshot, SmallResult(), kStamp));
        EXPECT_EQ(DisplayWidth(model.tableLines()[5]), 150);
    }
}

TEST(TableReport, SidesThatReadAsEqualNumbersMakeASquare)
{
    const struct {
        const char* a;
        const char* b;
        const char* row;
    } cases[] = {
        {"1500", "1500",
         "   ZH1      方  桩       -         -       1500      1500      0.79      3.14      1.00       1235      18%       5679      82%       6913     合规   "},
        {"1500", "1500.0",
         "   ZH1      方  桩       -         -       1500    1500.0      0.79      3.14      1.00       1235      18%       5679      82%       6913     合规   "},
        {"1500", "1200",
         "   ZH1      矩形桩       -         -       1500      1200      0.79      3.14      1.00       1235      18%       5679      82%       6913     合规   "},
        {"1500", "",
         "   ZH1      矩形桩       -         -       1500                0.79      3.14      1.00       1235      18%       5679      82%       6913     合规   "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " x " << c.b);
        ReportSnapshot snapshot = StartSnapshot();
        snapshot.section = SectionType::Rectangle;
        snapshot.ddText = c.a;
        snapshot.tyzdText = c.b;
        ReportModel model;
        ASSERT_TRUE(model.AppendReports(snapshot, SmallResult(), kStamp));
        EXPECT_EQ(model.tableLines()[5], c.row);
    }
}

}  // namespace
}  // namespace rockpile

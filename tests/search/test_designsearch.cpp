#include <gtest/gtest.h>

#include <limits>
#include <stop_token>
#include <string>
#include <vector>

#include "core/ComputePile.h"
#include "core/PileInput.h"
#include "report/Format.h"
#include "report/RunTexts.h"
#include "search/DesignSearch.h"
#include "search/ResultFilter.h"
#include "tests/support/ItemEdits.h"

namespace rockpile {
namespace {

using testing::CellEdit;

SearchItems Items(std::initializer_list<CellEdit> edits = {})
{
    const SearchItemsOutcome outcome = ReadSearchItems(testing::EditedItemTexts(edits));
    EXPECT_TRUE(outcome.ok()) << outcome.error->message;
    return outcome.items;
}

// Every row with a single value except those edited.
SearchItems SingleValues(std::initializer_list<CellEdit> edits)
{
    std::vector<CellEdit> all = {
        {0, "1", "1", "1"},         {1, "1000", "1000", "0"}, {2, "1000", "1000", "0"}, {3, "2000", "2000", "0"},
        {4, "1000", "1000", "0"},   {5, "1000", "1000", "0"}, {6, "1.0d", "1.0d", "1.0d"}, {7, "35", "35", "0"},
        {8, "1", "1", "1"},         {9, "1", "1", "1"},       {10, "0.40", "0.40", "0"},
    };
    all.insert(all.end(), edits.begin(), edits.end());
    const SearchItemsOutcome outcome = ReadSearchItems(testing::EditedItemTexts(all));
    EXPECT_TRUE(outcome.ok()) << outcome.error->message;
    return outcome.items;
}

const PileInput kPage = PileInput::StartDefaults();

std::vector<std::string> Column(const CandidateList& list, int column)
{
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < list.size(); ++i) texts.push_back(list.Text(i, column));
    return texts;
}

using Texts = std::vector<std::string>;

TEST(DesignSearch, DefaultSearch)
{
    const SearchItems items = Items();
    EXPECT_EQ(CandidateCount(items), 1152u);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> reports;
    SearchControl control;
    control.progressInterval = 500;
    control.progress = [&reports](std::uint64_t done, std::uint64_t total) { reports.emplace_back(done, total); };

    const SearchOutcome outcome = RunDesignSearch(items, kPage, kUnits, control);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    EXPECT_EQ(outcome.total, 1152u);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> exact;
    control.progressInterval = 576;
    control.progress = [&exact](std::uint64_t done, std::uint64_t total) { exact.emplace_back(done, total); };
    RunDesignSearch(items, kPage, kUnits, control);
    EXPECT_EQ(exact, (std::vector<std::pair<std::uint64_t, std::uint64_t>>{{576, 1152}, {1152, 1152}}));
    const CandidateList& list = outcome.candidates;
    ASSERT_EQ(list.size(), 1152u);
    EXPECT_EQ(outcome.message, "计算完成，桩数：1152 根");
    EXPECT_EQ(outcome.messageColour, kBlack);
    EXPECT_EQ(reports, (std::vector<std::pair<std::uint64_t, std::uint64_t>>{{500, 1152}, {1000, 1152}, {1152, 1152}}));

    // Circular d 1000, depth 1.0d, frk 35 ("较硬岩": no soft-rock factor), class "完整":
    // C1 = 0.6 x 0.70 = 0.42, C2 = 0.042, Rpa = 14700 kPa x 785398.16 mm² = 11545.35 kN,
    // side 1470 kPa x 1.00 m x 3141.59 mm = 4618.14 kN, Ra = 16163.49 kN.
    const CandidateTexts first = {"ZH-0001", "圆  桩", "1000",  "-",    "16163", "1.00",  "35.00", "中风化", "1",
                                  "完整",    "0.420",  "0.042", "4618", "29%",   "11545", "71%",   ""};
    EXPECT_EQ(list.Texts(0), first);
    EXPECT_EQ(list.Text(1151, candcol::Number), "ZH-1152");
    EXPECT_EQ(list.Text(143, candcol::Section), "圆  桩");
    EXPECT_EQ(list.Text(144, candcol::Section), "椭圆桩");
    EXPECT_EQ(list.Text(575, candcol::Section), "椭圆桩");
    EXPECT_EQ(list.Text(576, candcol::Section), "矩形桩");
    EXPECT_EQ(list.Text(1007, candcol::Section), "矩形桩");
    EXPECT_EQ(list.Text(1008, candcol::Section), "方  桩");

    // Per frk: the classes 1 to 3, then the indices 0.40 to 0.80; the fifth index, a
    // hair below 0.80, is written as 0.80.
    EXPECT_EQ((Texts{list.Text(0, 9), list.Text(1, 9), list.Text(2, 9), list.Text(3, 9), list.Text(7, 9)}),
              (Texts{"完整", "较完整", "较破碎", "0.40", "0.80"}));
    EXPECT_EQ((Texts{list.Text(2, 8), list.Text(3, 8)}), (Texts{"1", "2"}));
    EXPECT_EQ(list.Text(8, candcol::Frk), "40.00");
    EXPECT_EQ(list.Text(16, candcol::Depth), "2.00");

    // The last candidate: a square of side 2000, depth 3.0d, frk 40, index 0.80.
    const CandidateTexts last = list.Texts(1151);
    EXPECT_EQ((Texts{last[1], last[2], last[3], last[5], last[6], last[8], last[9]}),
              (Texts{"方  桩", "2000", "2000", "6.00", "40.00", "2", "0.80"}));

    // The input page is left holding the last candidate.
    ASSERT_TRUE(outcome.lastInput.has_value());
    ASSERT_TRUE(outcome.lastOutcome.has_value());
    const PileInput& input = *outcome.lastInput;
    EXPECT_EQ(input.sectionType, SectionType::Rectangle);
    EXPECT_EQ(input.a, "2000");
    EXPECT_EQ(input.b, "2000");
    ASSERT_EQ(input.layers.size(), 1u);
    EXPECT_EQ(input.layers[0].lr, "6.00");
    EXPECT_EQ(input.layers[0].frk, "40.00");
    EXPECT_EQ(input.layers[0].kv, "0.80");
    EXPECT_EQ(input.layers[0].integrityText, "较破碎");  // the last class written
    EXPECT_EQ(input.interpolationBasis, InterpolationBasis::IntegrityIndex);
    EXPECT_EQ(input.strengthMode, StrengthMode::CompressiveStrength);
    EXPECT_EQ(input.coefficientMode, CoefficientMode::Automatic);
    EXPECT_FALSE(outcome.lastOutcome->stopped());
    EXPECT_EQ(FormatResultFields(outcome.lastOutcome->result, kUnits).ra, last[candcol::Ra]);
}

TEST(DesignSearch, EveryRowShowsWhatItsComputeRunWrites)
{
    // Recomputes each candidate from the texts of its own row, as a take-back would.
    const SearchOutcome outcome = RunDesignSearch(Items(), kPage, kTwoDecimals);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    const CandidateList& list = outcome.candidates;
    for (std::size_t i = 0; i < list.size(); i += 7) {
        const CandidateTexts row = list.Texts(i);
        PileInput input = kPage;
        const bool circular = row[1] == "圆  桩";
        input.sectionType = circular ? SectionType::Circular : row[1] == "椭圆桩" ? SectionType::Ellipse : SectionType::Rectangle;
        input.d = input.a = row[2];
        input.c = input.b = circular ? "0" : row[3];
        input.layers[0].lr = row[5];
        input.layers[0].frk = row[6];
        input.interpolationBasis = row[8] == "1" ? InterpolationBasis::IntegrityClass : InterpolationBasis::IntegrityIndex;
        (row[8] == "1" ? input.layers[0].integrityText : input.layers[0].kv) = row[9];
        const ComputeOutcome computed = ComputePile(input);
        ASSERT_FALSE(computed.stopped()) << i;
        ASSERT_EQ(FormatResultFields(computed.result, kTwoDecimals).ra, row[candcol::Ra]) << i;
        EXPECT_EQ(list.row(i).raKey, ReadNumber(row[candcol::Ra])) << i;
        EXPECT_EQ(list.row(i).dKey, ReadNumber(row[candcol::Size1])) << i;
    }
}

TEST(DesignSearch, ATextMakerGivesTheTextsOfEveryRowInAnyOrder)
{
    // It keeps the last candidate's input and texts: moving forward, backward or
    // anywhere must give each row's own texts.
    const SearchOutcome outcome = RunDesignSearch(Items(), kPage, kTens);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    CandidateList list = outcome.candidates;
    list.Number();
    const std::size_t n = list.size();
    ASSERT_GT(n, 1000u);
    std::vector<std::size_t> forward(n);
    std::vector<std::size_t> backward(n);
    std::vector<std::size_t> scattered(n);
    for (std::size_t i = 0; i < n; ++i) {
        forward[i] = i;
        backward[i] = n - 1 - i;
        scattered[i] = (i * 7919) % n;  // 7919 is prime and no divisor of n
    }
    ASSERT_NE(n % 7919, 0u);
    for (const std::vector<std::size_t>* order : {&forward, &backward, &scattered}) {
        CandidateList::TextMaker maker(list);
        for (std::size_t index : *order) ASSERT_EQ(maker.Texts(index), list.Texts(index)) << index;
    }
}

TEST(DesignSearch, RectanglesListTheLongerSideFirst)
{
    const SearchOutcome outcome =
        RunDesignSearch(SingleValues({{0, "3", "3", "1"}, {3, "1000", "1000", "0"}, {4, "1000", "2000", "500"}}), kPage, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    const CandidateList& list = outcome.candidates;
    EXPECT_EQ(Column(list, candcol::Number), (Texts{"ZH-1", "ZH-2", "ZH-3"}));
    EXPECT_EQ(Column(list, candcol::Section), (Texts{"矩形桩", "矩形桩", "矩形桩"}));
    EXPECT_EQ(Column(list, candcol::Size1), (Texts{"1000", "1500", "2000"}));
    EXPECT_EQ(Column(list, candcol::Size2), (Texts{"1000", "1000", "1000"}));
    EXPECT_EQ(Column(list, candcol::Depth), (Texts{"1.00", "1.00", "1.00"}));
    EXPECT_EQ(list.row(1).dKey, 1500);
    // The page holds the texts as written; the outcome carries the exchange.
    EXPECT_EQ(outcome.lastInput->a, "1000");
    EXPECT_EQ(outcome.lastInput->b, "2000");
    ASSERT_FALSE(outcome.lastOutcome->corrections.empty());
    EXPECT_EQ(outcome.lastOutcome->corrections[0].kind, Correction::Kind::ExchangeSides);
}

TEST(DesignSearch, SquaresAreRectanglesWithEqualSides)
{
    const SearchOutcome outcome =
        RunDesignSearch(SingleValues({{0, "4", "4", "1"}, {5, "1200", "1200", "0"}, {6, "2.0d", "2.0d", "1d"}}), kPage, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    ASSERT_EQ(outcome.candidates.size(), 1u);
    const CandidateTexts row = outcome.candidates.Texts(0);
    EXPECT_EQ((Texts{row[0], row[1], row[2], row[3], row[5]}), (Texts{"ZH-1", "方  桩", "1200", "1200", "2.40"}));
    EXPECT_EQ(outcome.lastInput->sectionType, SectionType::Rectangle);
}

TEST(DesignSearch, DepthInMillimetresIsTheSameForEverySection)
{
    const SearchOutcome outcome = RunDesignSearch(Items({{6, "1500", "1500", "0"}}), kPage, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    ASSERT_EQ(outcome.candidates.size(), 384u);
    for (const std::string& depth : Column(outcome.candidates, candcol::Depth)) ASSERT_EQ(depth, "1.50");
}

TEST(DesignSearch, DepthMultiplesReferToTheSmallerSideOfARectangle)
{
    const SearchOutcome outcome = RunDesignSearch(
        SingleValues({{0, "2", "3", "1"}, {1, "800", "800", "0"}, {2, "500", "500", "0"}, {3, "1200", "1200", "0"},
                      {4, "900", "900", "0"}, {6, "1.5d", "1.5d", "0d"}}),
        kPage, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    EXPECT_EQ(Column(outcome.candidates, candcol::Depth), (Texts{"1.20", "1.35"}));
    EXPECT_EQ(Column(outcome.candidates, candcol::Size2), (Texts{"500", "900"}));
}

TEST(DesignSearch, IndicesOnly)
{
    PileInput page = kPage;
    page.layers[0].integrityText = "破碎";
    const SearchOutcome outcome = RunDesignSearch(SingleValues({{8, "2", "2", "1"}, {10, "0.40", "0.80", "0.10"}}), page, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    EXPECT_EQ(Column(outcome.candidates, candcol::Basis), (Texts{"2", "2", "2", "2", "2"}));
    EXPECT_EQ(Column(outcome.candidates, candcol::Integrity), (Texts{"0.40", "0.50", "0.60", "0.70", "0.80"}));
    // The class cell is never written by this search and keeps the page's text.
    EXPECT_EQ(outcome.lastInput->layers[0].integrityText, "破碎");
}

TEST(DesignSearch, AFailingCandidateStopsTheSearch)
{
    // The straight length runs 0, 500, 1000: the first ellipse has c = 0.
    const SearchOutcome outcome = RunDesignSearch(Items({{0, "1", "2", "1"}, {2, "0", "1000", "500"}}), kPage, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Diagnostic);
    const CandidateList& list = outcome.candidates;
    ASSERT_EQ(list.size(), 144u);
    EXPECT_FALSE(list.numbered());
    EXPECT_EQ(list.Text(0, candcol::Number), "1");
    EXPECT_EQ(list.Text(143, candcol::Number), "144");
    EXPECT_EQ(outcome.message, "运行中止，主界面可查看中止位置、原因");
    EXPECT_EQ(outcome.messageColour, kRed);
    ASSERT_TRUE(outcome.lastInput.has_value());
    EXPECT_EQ(outcome.lastInput->sectionType, SectionType::Ellipse);
    EXPECT_EQ(outcome.lastInput->d, "1000");
    EXPECT_EQ(outcome.lastInput->c, "0");
    ASSERT_TRUE(outcome.lastOutcome.has_value());
    EXPECT_EQ(outcome.lastOutcome->stopError, "椭圆直段长度数据有错");
}

TEST(DesignSearch, PrecisionModeRoundsOnlyTheRaColumn)
{
    const SearchOutcome outcome = RunDesignSearch(SingleValues({}), kPage, kTens);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    const CandidateTexts row = outcome.candidates.Texts(0);
    EXPECT_EQ((Texts{row[4], row[12], row[13], row[14], row[15]}), (Texts{"16160", "4618", "29%", "11545", "71%"}));
}

TEST(DesignSearch, TheFilterReadsTheTruncatedRaTexts)
{
    // Ra 16163.49 is listed as 16100 under "百位取整", inside a window that ends below it.
    const SearchOutcome outcome = RunDesignSearch(SingleValues({}), kPage, kHundreds);
    ASSERT_EQ(outcome.candidates.Text(0, candcol::Ra), "16100");
    const std::vector<std::uint32_t> order = SearchOrder(outcome.candidates);
    EXPECT_EQ(FilterCandidates(outcome.candidates, order, NormaliseRaWindow(16100, 16150)).rows.size(), 1u);
    EXPECT_EQ(FilterCandidates(outcome.candidates, order, NormaliseRaWindow(16101, 0)).rows.size(), 0u);
}

TEST(DesignSearch, ThePageOptionsApplyToEveryCandidate)
{
    PileInput page = kPage;
    page.boredPile = false;
    page.layers[0].weathering = "微风化";
    page.layers.resize(3, page.layers[0]);
    const SearchOutcome outcome = RunDesignSearch(SingleValues({{7, "25", "25", "0"}}), page, kUnits);
    ASSERT_EQ(outcome.end, SearchEnd::Completed);
    const CandidateTexts row = outcome.candidates.Texts(0);
    // frk 25 is "较软岩": the soft-rock factor 0.8 applies, the bored-pile factor not.
    EXPECT_EQ((Texts{row[7], row[10], row[11]}), (Texts{"微风化", "0.480", "0.048"}));
    EXPECT_EQ(outcome.lastInput->layers.size(), 1u);
}

TEST(DesignSearch, CancellationEndsTheSearch)
{
    std::stop_source source;
    SearchControl control;
    control.stop = source.get_token();
    control.progressInterval = 100;
    control.progress = [&source](std::uint64_t done, std::uint64_t) {
        if (done >= 300) source.request_stop();
    };
    const SearchOutcome outcome = RunDesignSearch(Items(), kPage, kUnits, control);
    EXPECT_EQ(outcome.end, SearchEnd::Cancelled);
    EXPECT_EQ(outcome.candidates.size(), 300u);
    EXPECT_FALSE(outcome.lastInput.has_value());
    EXPECT_TRUE(outcome.message.empty());
}

TEST(DesignSearch, AnOversizedSearchIsRefusedBeforeAnythingIsComputed)
{
    SearchControl control;
    control.maxCandidates = 1000;
    const SearchOutcome outcome = RunDesignSearch(Items(), kPage, kUnits, control);
    EXPECT_EQ(outcome.end, SearchEnd::TooManyCandidates);
    EXPECT_EQ(outcome.message, "候选桩数1152 根，超过上限1000 根，请缩小取值范围");
    EXPECT_EQ(outcome.messageColour, kRed);
    EXPECT_TRUE(outcome.candidates.empty());
    EXPECT_FALSE(outcome.lastInput.has_value());

    // Counts that overflow any integer saturate and are refused the same way.
    const SearchItems huge = Items({{1, "1", "1e300", "1e-300"}, {2, "1", "1e300", "1e-300"}});
    EXPECT_EQ(CandidateCount(huge), std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(RunDesignSearch(huge, kPage, kUnits).end, SearchEnd::TooManyCandidates);
}

TEST(DesignSearch, CountsFollowTheItems)
{
    struct Case {
        std::vector<CellEdit> edits;
        std::uint64_t count;
    };
    const Case cases[] = {
        {{{0, "1", "1", "1"}}, 144},
        {{{0, "2", "2", "1"}}, 432},
        {{{0, "3", "2", "1"}}, 432},
        {{{0, "4", "9", "1"}}, 144},
        {{{8, "1", "1", "1"}}, 1152 * 3 / 8},
        {{{9, "1", "5", "3"}, {8, "1", "1", "1"}}, 1152 * 2 / 8},
    };
    for (const Case& c : cases) {
        const SearchItemsOutcome items = ReadSearchItems(testing::EditedItemTexts(c.edits));
        ASSERT_TRUE(items.ok());
        EXPECT_EQ(CandidateCount(items.items), c.count);
        EXPECT_EQ(RunDesignSearch(items.items, kPage, kUnits).candidates.size(), c.count);
    }
}

}  // namespace
}  // namespace rockpile

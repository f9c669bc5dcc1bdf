#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "report/Format.h"
#include "report/RunTexts.h"

namespace rockpile {
namespace {

// The pile of the window's start values: circular d = 1000 mm, one layer of 1.00 m,
// frk 25 MPa, "较完整", automatic coefficients reduced for a bored pile and soft rock.
LayerResult StartLayer()
{
    LayerResult layer;
    layer.hardness = "较软岩";
    layer.remark = "较软岩,岩体较完整";
    layer.c1Auto = 0.6 * 0.7 * 0.8;
    layer.c2Auto = 0.06 * 0.7 * 0.8;
    layer.c1 = layer.c1Auto;
    layer.c2 = layer.c2Auto;
    layer.qpa = 8400;
    layer.qra = 840;
    layer.rria = 2638.937829015426;
    layer.sumRria = 2638.937829015426;
    layer.share = 28.57142857142857;
    layer.carriesPileEnd = true;
    layer.ra = 9236.282401553992;
    layer.rpa = 6597.344572538565;
    return layer;
}

PileResult StartResult()
{
    PileResult result;
    result.layers = {StartLayer()};
    result.sumRria = 2638.937829015426;
    result.rpa = 6597.344572538565;
    result.ra = 9236.282401553992;
    result.rpaShare = 71.42857142857143;
    result.clause = "第10.2.4条";
    result.verdict = "合规";
    return result;
}

TEST(LayerCellWrites, StrengthModeWritesClassificationCoefficientsAndResistances)
{
    const std::vector<CellWrite> expected = {
        {19, "较软岩"},
        {18, "较软岩,岩体较完整"},
        {8, "0.336"},
        {9, "0.0336"},
        {10, "8400"},
        {11, "840"},
        {20, "0.336"},
        {21, "0.0336"},
        {14, "2638.93782901543"},
        {15, "2638.93782901543"},
        {12, "9236.28240155399"},
        {13, "6597.34457253857"},
    };
    EXPECT_EQ(LayerCellWrites(StartLayer(), StrengthMode::CompressiveStrength), expected);
}

TEST(LayerCellWrites, GivenResistancesLeaveTheInputColumnsAlone)
{
    LayerResult layer = StartLayer();
    layer.hardness.clear();
    layer.remark.clear();
    layer.carriesPileEnd = false;
    layer.sumRria = 5218.406743523138;
    layer.rria = 2579.468914507712;
    const std::vector<CellWrite> expected = {
        {14, "5218.40674352314"},
        {15, "2579.46891450771"},
        {12, ""},
        {13, ""},
    };
    EXPECT_EQ(LayerCellWrites(layer, StrengthMode::GivenResistances), expected);
}

TEST(LayerCellWrites, AnInterruptedLayerShowsOnlyWhatItHad)
{
    const struct {
        const char* name;
        bool hasHardness;
        bool hasRemark;
        StrengthMode mode;
        std::vector<CellWrite> expected;
    } cases[] = {
        {"both set", true, true, StrengthMode::CompressiveStrength,
         {{19, "较软岩"}, {18, "较软岩,岩体较完整"}}},
        {"hardness only", true, false, StrengthMode::CompressiveStrength, {{19, "较软岩"}}},
        {"nothing yet", false, false, StrengthMode::CompressiveStrength, {}},
        {"given resistances", true, true, StrengthMode::GivenResistances, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LayerResult layer = StartLayer();
        layer.complete = false;
        layer.hasHardness = c.hasHardness;
        layer.hasRemark = c.hasRemark;
        EXPECT_EQ(LayerCellWrites(layer, c.mode), c.expected);
    }
}

TEST(ShareCellWrites, PercentTextAndBareNumber)
{
    const std::vector<CellWrite> expected = {{16, "28.57%"}, {17, "28.5714285714286"}};
    EXPECT_EQ(ShareCellWrites(StartLayer()), expected);

    LayerResult none = StartLayer();
    none.share = 0;
    const std::vector<CellWrite> zero = {{16, "0.00%"}, {17, "0"}};
    EXPECT_EQ(ShareCellWrites(none), zero);
}

// A run empties exactly the columns it may write, so that no text of an earlier run
// stays behind; columns 10 and 11 it writes only where they are not inputs (in
// compressive-strength mode), and so they are not emptied.
TEST(RunWrittenColumns, AreTheColumnsTheWritesUseBesidesTheInputColumns)
{
    const auto columns = [](StrengthMode mode) {
        std::vector<int> written;
        for (const CellWrite& write : LayerCellWrites(StartLayer(), mode)) written.push_back(write.column);
        for (const CellWrite& write : ShareCellWrites(StartLayer())) written.push_back(write.column);
        std::sort(written.begin(), written.end());
        return written;
    };
    std::vector<int> listed(std::begin(kRunWrittenColumns), std::end(kRunWrittenColumns));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<int>{8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}));
    const std::vector<int> given = columns(StrengthMode::GivenResistances);
    EXPECT_TRUE(std::includes(listed.begin(), listed.end(), given.begin(), given.end()));
    EXPECT_EQ(columns(StrengthMode::CompressiveStrength),
              (std::vector<int>{8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21}));
}

TEST(FormatResultFields, TheStartPileInEveryPrecisionMode)
{
    const struct {
        int mode;
        const char* rpa;
        const char* ra;
        const char* percent;
    } cases[] = {
        {kTwoDecimals, "6597.34", "9236.28", "71.43%"},
        {kOneDecimal, "6597.3", "9236.3", "71.4%"},
        {kUnits, "6597", "9236", "71%"},
        {kTens, "6590", "9230", "71%"},
        {kHundreds, "6500", "9200", "71%"},
        // No precision chosen: the fields stay empty.
        {-1, "", "", ""},
        {5, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const ResultFieldTexts texts = FormatResultFields(StartResult(), c.mode);
        EXPECT_EQ(texts.rpa, c.rpa);
        EXPECT_EQ(texts.ra, c.ra);
        EXPECT_EQ(texts.percent, c.percent);
    }
}

TEST(ClauseLabelText, NamesTheClauseOfTheRun)
{
    PileResult result = StartResult();
    EXPECT_EQ(ClauseLabelText(result), "单桩竖向承载力特征值计算依据：第10.2.4条");
    result.clause = "第10.2.5条";
    EXPECT_EQ(ClauseLabelText(result), "单桩竖向承载力特征值计算依据：第10.2.5条");
}

}  // namespace
}  // namespace rockpile

// Whole text report entries, one per kind of input, against lines written out by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "report/Reports.h"
#include "tests/report/ReportFixtures.h"

namespace rockpile {
namespace {

using namespace testing_report;

// Section 3 by strength mode.
const Lines kStandardGiven = {
    "3.采用规范及公式",
    "  3.1 采用规范:",
    "                《建筑地基基础设计规范》",
    "                    (DBJ 15-31-2016)",
    "  3.2 规范公式:",
    "          Ra=Rsa+Rra+Rpa        (10.2.4-1)",
    "          Rsa=μ.∑qsia.li      (10.2.4-2)",
    "          Rra=μp.hr.qra        (10.2.5-1)",
    "          Rpa=qpa.Ap            (10.2.5-2)",
};
const Lines kStandardStrength = {
    "3.采用规范及公式",
    "  3.1 采用规范:",
    "                《建筑地基基础设计规范》",
    "                    (DBJ 15-31-2016)",
    "  3.2 规范公式:",
    "          Ra=Rsa+Rra+Rpa        (10.2.4-1)",
    "          Rsa=μ.∑qsia.li      (10.2.4-2)",
    "          Rra=μp.C2.frs.hr     (10.2.4-3)",
    "          Rpa=C1.frp.Ap         (10.2.4-4)",
};
const Lines kCoefficientHead = {
    kDash39,
    "      岩  嵌岩层厚 岩石强度 插值端阻 插值侧阻",
    "      层   hri(m)  frk(MPa) 系数 C1  系数 C2 ",
    kDash39,
};
const Lines kResistanceHead = {
    kDash39,
    "      岩  计算采用 计算采用 总 阻 力 端 阻 力",
    "      层  系数 C1  系数 C2   Ra(kN)   Rpa(kN)",
    kDash39,
};
const Lines kSideHead = {
    kDash39,
    "      岩   ∑Rsia  层侧阻力 侧阻比例 岩石坚硬",
    "      层    (kN)   Rsia(kN)  Rsia/Ra 程    度",
    kDash39,
};
const Lines kSummaryRoundHead = {
    "5.基桩主要数据汇总",
    kDash39,
    "      基    桩  桩身截面  桩身直径  椭圆直段 ",
    "      编    号  类    型    d(mm)     c(mm)  ",
    kDash39,
};
const Lines kSummaryRectangleHead = {
    "5.基桩主要数据汇总",
    kDash39,
    "      基    桩  桩身截面  矩形长边  矩形短边 ",
    "      编    号  类    型    a(mm)     b(mm)  ",
    kDash39,
};
const Lines kDepthHead = {
    kDash39,
    "      嵌岩深度  端 阻 力  侧 阻 力  嵌岩总阻 ",
    "        hr(m)    Rpa(kN)   Rsa(kN)   力(kN)  ",
    kDash39,
};
const Lines kShareHead = {
    kDash39,
    "      桩承载力  端 阻 力  侧 阻 力  计算结果 ",
    "       Ra(kN)   占百分比  占百分比  合规判定 ",
    kDash39,
};
const Lines kEnd = {kDash39, kDash39, kClosing, std::string("计算时间：") + kStamp};

struct EntryCase {
    const char* name;
    std::function<ReportSnapshot()> snapshot;
    std::function<PileResult()> result;
    Lines expected;
};

// Ellipse with given resistances, two layers, two decimals. The bored-pile and soft
// rock boxes are ticked but belong to the strength mode only.
ReportSnapshot EllipseGivenSnapshot()
{
    ReportSnapshot s = StartSnapshot();
    s.section = SectionType::Ellipse;
    s.ddText = "1000";
    s.tyzdText = "500";
    s.layerCountItemText = "2";
    s.strengthMode = StrengthMode::GivenResistances;
    s.strengthItemText = "基岩桩侧、桩端阻力特征值";
    s.precisionMode = 0;
    s.rows = {
        MakeRow({{0, "1"}, {1, "1.50"}, {2, "中风化"}, {3, "较完整"}, {4, "0.75"}, {5, "25.00"},
                 {6, "0.50"}, {7, "0.04"}, {10, "8400.00"}, {11, "840.00"},
                 {14, "5218.40674352314"}, {15, "5218.40674352314"}, {16, "21.53%"},
                 {17, "21.5264315170032"}}),
        MakeRow({{0, "2"}, {1, "2.00"}, {3, "较完整"}, {5, "25.00"}, {10, "9000.00"},
                 {11, "900.00"}, {12, "24241.8569905618"}, {13, "11568.583470577"},
                 {14, "12673.2735199848"}, {15, "7454.86677646163"}, {16, "30.75%"},
                 {17, "30.7520450242903"}}),
    };
    return s;
}

PileResult EllipseGivenResult()
{
    PileResult r;
    r.perimeter = 4141.5926535897925;
    r.area = 1285398.1633974481;
    r.hr = 3.5;
    r.sumRria = 12673.273519984765;
    r.rpa = 11568.583470577034;
    r.ra = 24241.8569905618;
    r.rpaShare = 47.721523458706514;
    r.clause = "第10.2.5条";
    r.verdict = "合规";
    return r;
}

const Lines kEllipseGivenEntry = Join({
    {
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: ZH1",
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                    椭圆桩",
        "      桩身直径d:                         1000 mm",
        "      椭圆直段长度c:                      500 mm",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         2",
        "      岩石强度取值:  基岩桩侧、桩端阻力特征值",
        "      岩层参数:",
        "          --------------------------------",
        "          岩  嵌岩层厚  指定侧阻  指定端阻",
        "          层   hri(m)   qpa(kPa)  qra(kPa)",
        "          --------------------------------",
        "           1    1.50      840.00   8400.00",
        "           2    2.00      900.00   9000.00",
        "          --------------------------------",
    },
    kStandardGiven,
    {
        "4.承载力计算",
        "  4.1 桩身截面类型:                    椭圆桩",
        "      桩身直径d:                         1000 mm",
        "      椭圆直段长度c:                      500 mm",
        "      桩身截面面积Ap:                    1.29 m^2",
        "      桩身截面周长μ:                    4.14 m",
        "  4.2 岩层阻力计算",
    },
    kCoefficientHead,
    {
        "       1    1.50    25.00       -        -   ",
        "       2    2.00    25.00       -        -   ",
    },
    kResistanceHead,
    {
        "       1      -        -        -        -   ",
        "       2      -        -    24241.86 11568.58",
    },
    kSideHead,
    {
        "       1   5218.41  5218.41  21.53%      -   ",
        "       2  12673.27  7454.87  30.75%      -   ",
        kDash39,
        "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
        "  4.4 持力岩层总端阻力特征值Rpa：    11568.58 kN",
        "      桩侧岩层总摩阻力特征值Rra:     12673.27 kN",
        "  4.5 单桩竖向承载力特征值Ra:        24241.86 kN",
        "      持力岩层总端阻力占百分比:        47.72%",
        "      桩侧岩层总摩阻力占百分比:        52.28%",
        "  4.6 计算结果合规性判定:                合规",
    },
    kSummaryRoundHead,
    {"        ZH1      椭圆桩     1000       500   "},
    kDepthHead,
    {"        3.50    11568.58  12673.27  24241.86 "},
    kShareHead,
    {"      24241.86   47.72%    52.28%     合规   "},
    kEnd,
});

// Rectangle (sides already exchanged by the run), manual coefficients, cut to tens.
ReportSnapshot RectangleManualSnapshot()
{
    ReportSnapshot s = StartSnapshot();
    s.section = SectionType::Rectangle;
    s.ddText = "1500";
    s.tyzdText = "1200";
    s.coefficientMode = CoefficientMode::Manual;
    s.coefficientItemText = "人工指定系数";
    s.precisionMode = 3;
    s.rows = {MakeRow({{0, "1"}, {1, "1.93"}, {2, "微风化"}, {3, "较完整"}, {4, "0.75"},
                       {5, "30.00"}, {6, "0.50"}, {7, "0.05"}, {8, "0.5"}, {9, "0.05"},
                       {10, "15000"}, {11, "1500"}, {12, "42633"}, {13, "27000"}, {14, "15633"},
                       {15, "15633"}, {16, "36.67%"}, {17, "36.6687777074098"}, {19, "较软岩"},
                       {20, "0"}, {21, "0"}})};
    return s;
}

PileResult RectangleManualResult()
{
    PileResult r;
    r.perimeter = 5400;
    r.area = 1800000;
    r.hr = 1.93;
    r.sumRria = 15633;
    r.rpa = 27000;
    r.ra = 42633;
    r.rpaShare = 63.33122229259025;
    r.manualCoefficientsAdopted = true;
    r.clause = "第10.2.4条";
    r.verdict = "超规";
    return r;
}

const Lines kRectangleManualEntry = Join({
    {
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: ZH1",
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                    矩形桩",
        "      矩形长边尺寸a:                     1500 mm",
        "      矩形短边尺寸b:                     1200 mm",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         1",
        "      岩石强度取值:  岩样天然湿度单轴抗压强度",
        "      端阻侧阻系数:              人工指定系数",
        "      岩层参数:",
        kDash39,
        "      岩  嵌岩层厚 岩石强度 指定端阻 指定侧阻",
        "      层   hri(m)  frk(MPa) 系数 C1  系数 C2 ",
        kDash39,
        "       1    1.93    30.00     0.50     0.05  ",
        kDash39,
    },
    kStandardStrength,
    {
        "4.承载力计算",
        "  4.1 桩身截面类型:                    矩形桩",
        "      矩形长边尺寸a:                     1500 mm",
        "      矩形短边尺寸b:                     1200 mm",
        "      桩身截面面积Ap:                    1.80 m^2",
        "      桩身截面周长μ:                    5.40 m",
        "  4.2 岩层阻力计算",
    },
    kCoefficientHead,
    {"       1    1.93    30.00       -        -   "},
    kResistanceHead,
    {"       1    0.50     0.05   42633.00 27000.00"},
    kSideHead,
    {
        "       1  15633.00 15633.00  36.67%   较软岩 ",
        kDash39,
        "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
        "  4.4 持力岩层总端阻力特征值Rpa：    27000.00 kN",
        "      桩侧岩层总摩阻力特征值Rra:     15633.00 kN",
        "  4.5 单桩竖向承载力特征值Ra:        42633.00 kN",
        "      持力岩层总端阻力占百分比:        63.33%",
        "      桩侧岩层总摩阻力占百分比:        36.67%",
        "  4.6 计算结果合规性判定:                超规",
    },
    kSummaryRectangleHead,
    {"        ZH1      矩形桩     1500      1200   "},
    kDepthHead,
    {"        1.93      27000     15630     42630  "},
    kShareHead,
    {"        42630      63%       37%      超规   "},
    kEnd,
});

// Square, the larger of automatic and manual coefficients interpolated from the
// integrity index, not a bored pile, cut to hundreds, three layers.
ReportSnapshot SquareLargerSnapshot()
{
    ReportSnapshot s = StartSnapshot();
    s.section = SectionType::Rectangle;
    s.ddText = "1500";
    s.tyzdText = "1500";
    s.layerCountItemText = "3";
    s.coefficientMode = CoefficientMode::Larger;
    s.coefficientItemText = "自动插值与人工指定取大值";
    s.interpolationBasis = InterpolationBasis::IntegrityIndex;
    s.basisItemText = "岩体完整性指数";
    s.boredPile = false;
    s.softRockExposed = true;
    s.precisionMode = 4;
    s.rows = {
        MakeRow({{0, "1"}, {1, "1.00"}, {2, "中风化"}, {3, "较完整"}, {4, "0.65"}, {5, "20.00"},
                 {6, "0.50"}, {7, "0.05"}, {8, "0.5"}, {9, "0.05"}, {10, "10000"}, {11, "1000"},
                 {14, "6000"}, {15, "6000"}, {16, "11.82%"}, {17, "11.8168389955687"},
                 {18, "较软岩,岩体较完整"}, {19, "较软岩"}, {20, "0.44"}, {21, "0.044"}}),
        MakeRow({{0, "2"}, {1, "2.00"}, {2, "微风化"}, {3, "较完整"}, {4, "0.805"}, {5, "40.00"},
                 {6, "0.45"}, {7, "0.045"}, {8, "0.6"}, {9, "0.06"}, {10, "24000"}, {11, "2400"},
                 {14, "34800"}, {15, "28800"}, {16, "56.72%"}, {17, "56.7208271787297"},
                 {18, "较硬岩,岩体完整"}, {19, "较硬岩"}, {20, "0.6"}, {21, "0.06"}}),
        MakeRow({{0, "3"}, {1, "1.50"}, {2, "中风化"}, {3, "较完整"}, {4, "0.45"}, {5, "10.00"},
                 {6, "0.55"}, {7, "0.04"}, {8, "0.55"}, {9, "0.04"}, {10, "5500"}, {11, "400"},
                 {12, "50775"}, {13, "12375"}, {14, "38400"}, {15, "3600"}, {16, "7.09%"},
                 {17, "7.09010339734121"}, {18, "软岩,岩体较破碎"}, {19, "软岩"}, {20, "0.36"},
                 {21, "0.036"}}),
    };
    return s;
}

PileResult SquareLargerResult()
{
    PileResult r;
    r.perimeter = 6000;
    r.area = 2250000;
    r.hr = 4.5;
    r.sumRria = 38400;
    r.rpa = 12375;
    r.ra = 50775;
    r.rpaShare = 24.372230428360414;
    r.manualCoefficientsAdopted = true;
    r.clause = "第10.2.4条";
    r.verdict = "超规";
    return r;
}

const Lines kSquareLargerEntry = Join({
    {
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: ZH1",
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                    矩形桩",
        "      矩形长边尺寸a:                     1500 mm",
        "      矩形短边尺寸b:                     1500 mm",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         3",
        "      岩石强度取值:  岩样天然湿度单轴抗压强度",
        "      端阻侧阻系数:  自动插值与人工指定取大值",
        "      自动插值依据:            岩体完整性指数",
        "      岩层参数:",
        kDash32,
        "      岩  嵌岩层厚  岩体完整  岩石强度",
        "      层   hri(m)   性 指 数  frk(MPa)",
        kDash32,
        "       1    1.00      0.65     20.00  ",
        "       2    2.00     0.805     40.00  ",
        "       3    1.50      0.45     10.00  ",
        kDash32,
        "      岩  指定端阻  指定侧阻          ",
        "      层  系数 C1   系数 C2           ",
        kDash32,
        "       1    0.50      0.05            ",
        "       2    0.45     0.045            ",
        "       3    0.55      0.04            ",
        kDash32,
        "      基桩为钻冲孔桩：                     否",
        "      软化系数≤0.6的软质岩，施工时无可靠    ",
        "                措施缩短桩端基岩暴露时间     ",
    },
    kStandardStrength,
    {
        "4.承载力计算",
        "  4.1 桩身截面类型:                      方桩",
        "      矩形长边尺寸a:                     1500 mm",
        "      矩形短边尺寸b:                     1500 mm",
        "      桩身截面面积Ap:                    2.25 m^2",
        "      桩身截面周长μ:                    6.00 m",
        "  4.2 岩层阻力计算",
    },
    kCoefficientHead,
    {
        "       1    1.00    20.00     0.44     0.04  ",
        "       2    2.00    40.00     0.60     0.06  ",
        "       3    1.50    10.00     0.36     0.04  ",
    },
    kResistanceHead,
    {
        "       1    0.50     0.05       -        -   ",
        "       2    0.60     0.06       -        -   ",
        "       3    0.55     0.04   50775.00 12375.00",
    },
    kSideHead,
    {
        "       1   6000.00  6000.00  11.82%   较软岩 ",
        "       2  34800.00 28800.00  56.72%   较硬岩 ",
        "       3  38400.00  3600.00   7.09%    软岩  ",
        kDash39,
        "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
        "  4.4 持力岩层总端阻力特征值Rpa：    12375.00 kN",
        "      桩侧岩层总摩阻力特征值Rra:     38400.00 kN",
        "  4.5 单桩竖向承载力特征值Ra:        50775.00 kN",
        "      持力岩层总端阻力占百分比:        24.37%",
        "      桩侧岩层总摩阻力占百分比:        75.63%",
        "  4.6 计算结果合规性判定:                超规",
    },
    kSummaryRectangleHead,
    {"        ZH1      方  桩     1500      1500   "},
    kDepthHead,
    {"        4.50      12300     38400     50700  "},
    kShareHead,
    {"        50700      24%       76%      超规   "},
    kEnd,
});

// Circular d = 1200, the smaller of automatic and manual coefficients interpolated
// from the integrity class, bored pile, no exposed soft rock, one decimal.
ReportSnapshot RoundSmallerSnapshot()
{
    ReportSnapshot s = StartSnapshot();
    s.ddText = "1200";
    s.reductionFactorText = "0.80";
    s.coefficientMode = CoefficientMode::Smaller;
    s.coefficientItemText = "自动插值与人工指定取小值";
    s.softRockExposed = false;
    s.precisionMode = 1;
    s.rows = {MakeRow({{0, "1"}, {1, "2.50"}, {2, "微风化"}, {3, "较破碎"}, {4, "0.50"},
                       {5, "50.00"}, {6, "0.45"}, {7, "0.06"}, {8, "0.4"}, {9, "0.04"},
                       {10, "20000"}, {11, "2000"}, {12, "41469.0230273853"},
                       {13, "22619.4671058465"}, {14, "18849.5559215388"},
                       {15, "18849.5559215388"}, {16, "45.45%"}, {17, "45.4545454545455"},
                       {18, "较硬岩,岩体较破碎"}, {19, "较硬岩"}, {20, "0.4"}, {21, "0.04"}})};
    return s;
}

PileResult RoundSmallerResult()
{
    PileResult r;
    r.perimeter = 3769.9111843077517;
    r.area = 1130973.3552923256;
    r.hr = 2.5;
    r.sumRria = 18849.55592153876;
    r.rpa = 22619.46710584651;
    r.ra = 41469.023027385265;
    r.rpaShare = 54.545454545454554;
    r.clause = "第10.2.4条";
    r.verdict = "合规";
    return r;
}

const Lines kRoundSmallerEntry = Join({
    {
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: ZH1",
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                      圆桩",
        "      桩身直径d:                         1200 mm",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         1",
        "      岩石强度取值:  岩样天然湿度单轴抗压强度",
        "      端阻侧阻系数:  自动插值与人工指定取小值",
        "      自动插值依据:              岩体完整程度",
        "      岩层参数:",
        kDash32,
        "      岩  嵌岩层厚  岩体完整  岩石强度",
        "      层   hri(m)   程    度  frk(MPa)",
        kDash32,
        "       1    2.50     较破碎    50.00  ",
        kDash32,
        "      岩  指定端阻  指定侧阻          ",
        "      层  系数 C1   系数 C2           ",
        kDash32,
        "       1    0.45      0.06            ",
        kDash32,
        "      基桩为钻冲孔桩：                     是",
        "      钻冲孔桩折减系数:                  0.80",
    },
    kStandardStrength,
    {
        "4.承载力计算",
        "  4.1 桩身截面类型:                      圆桩",
        "      桩身直径d:                         1200 mm",
        "      桩身截面面积Ap:                    1.13 m^2",
        "      桩身截面周长μ:                    3.77 m",
        "  4.2 岩层阻力计算",
    },
    kCoefficientHead,
    {"       1    2.50    50.00     0.40     0.04  "},
    kResistanceHead,
    {"       1    0.40     0.04   41469.02 22619.47"},
    kSideHead,
    {
        "       1  18849.56 18849.56  45.45%   较硬岩 ",
        kDash39,
        "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
        "  4.4 持力岩层总端阻力特征值Rpa：    22619.47 kN",
        "      桩侧岩层总摩阻力特征值Rra:     18849.56 kN",
        "  4.5 单桩竖向承载力特征值Ra:        41469.02 kN",
        "      持力岩层总端阻力占百分比:        54.55%",
        "      桩侧岩层总摩阻力占百分比:        45.45%",
        "  4.6 计算结果合规性判定:                合规",
    },
    kSummaryRoundHead,
    {"        ZH1      圆  桩     1200        -    "},
    kDepthHead,
    {"        2.50     22619.5   18849.6   41469.0 "},
    kShareHead,
    {"       41469.0    54.5%     45.5%     合规   "},
    kEnd,
});

// Circular d = 800, automatic coefficients from the integrity index, neither box
// ticked; a socket of 0.45 m carries no side resistance.
ReportSnapshot ShallowIndexSnapshot()
{
    ReportSnapshot s = StartSnapshot();
    s.ddText = "800";
    s.layerCountItemText = "2";
    s.interpolationBasis = InterpolationBasis::IntegrityIndex;
    s.basisItemText = "岩体完整性指数";
    s.boredPile = false;
    s.softRockExposed = false;
    s.rows = {
        MakeRow({{0, "1"}, {1, "0.20"}, {3, "较完整"}, {4, "0.75"}, {5, "25.00"}, {6, "0.50"},
                 {7, "0.04"}, {8, "0.6"}, {9, "0"}, {10, "15000"}, {11, "0"}, {14, "0"},
                 {15, "0"}, {16, "0.00%"}, {17, "0"}, {18, "较软岩,岩体较完整"}, {19, "较软岩"},
                 {20, "0.6"}, {21, "0.06"}}),
        MakeRow({{0, "2"}, {1, "0.25"}, {3, "较完整"}, {4, "0.305"}, {5, "25.00"}, {6, "0.50"},
                 {7, "0.04"}, {8, "0.4"}, {9, "0"}, {10, "10000"}, {11, "0"},
                 {12, "5026.54824574367"}, {13, "5026.54824574367"}, {14, "0"}, {15, "0"},
                 {16, "0.00%"}, {17, "0"}, {18, "较软岩,岩体破碎"}, {19, "较软岩"}, {20, "0.4"},
                 {21, "0.04"}}),
    };
    return s;
}

PileResult ShallowIndexResult()
{
    PileResult r;
    r.perimeter = 2513.2741228718346;
    r.area = 502654.8245743669;
    r.hr = 0.45;
    r.sumRria = 0;
    r.rpa = 5026.548245743669;
    r.ra = 5026.548245743669;
    r.rpaShare = 100;
    r.clause = "第10.2.4条";
    r.verdict = "合规";
    return r;
}

const Lines kShallowIndexEntry = Join({
    {
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: ZH1",
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                      圆桩",
        "      桩身直径d:                          800 mm",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         2",
        "      岩石强度取值:  岩样天然湿度单轴抗压强度",
        "      端阻侧阻系数:              程序自动插值",
        "      自动插值依据:            岩体完整性指数",
        "      岩层参数:",
        kDash32,
        "      岩  嵌岩层厚  岩体完整  岩石强度",
        "      层   hri(m)   性 指 数  frk(MPa)",
        kDash32,
        "       1    0.20      0.75     25.00  ",
        "       2    0.25      0.305    25.00  ",
        kDash32,
        "      基桩为钻冲孔桩：                     否",
    },
    kStandardStrength,
    {
        "4.承载力计算",
        "  4.1 桩身截面类型:                      圆桩",
        "      桩身直径d:                          800 mm",
        "      桩身截面面积Ap:                    0.50 m^2",
        "      桩身截面周长μ:                    2.51 m",
        "  4.2 岩层阻力计算",
    },
    kCoefficientHead,
    {
        "       1    0.20    25.00     0.60     0.06  ",
        "       2    0.25    25.00     0.40     0.04  ",
    },
    kResistanceHead,
    {
        "       1    0.60     0.00       -        -   ",
        "       2    0.40     0.00    5026.55  5026.55",
    },
    kSideHead,
    {
        "       1      0.00     0.00   0.00%   较软岩 ",
        "       2      0.00     0.00   0.00%   较软岩 ",
        kDash39,
        "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
        "  4.4 持力岩层总端阻力特征值Rpa：     5026.55 kN",
        "      桩侧岩层总摩阻力特征值Rra:         0.00 kN",
        "  4.5 单桩竖向承载力特征值Ra:         5026.55 kN",
        "      持力岩层总端阻力占百分比:       100.00%",
        "      桩侧岩层总摩阻力占百分比:         0.00%",
        "  4.6 计算结果合规性判定:                合规",
    },
    kSummaryRoundHead,
    {"        ZH1      圆  桩      800        -    "},
    kDepthHead,
    {"        0.45      5027        0       5027   "},
    kShareHead,
    {"        5027      100%       0%       合规   "},
    kEnd,
});

// Nothing selected in the section, interpolation basis and precision lists: their
// lines are left out, and the summary keeps the depth and the verdict only.
ReportSnapshot NothingSelectedSnapshot()
{
    ReportSnapshot s = StartSnapshot();
    s.section = static_cast<SectionType>(0);  // item index -1, plus 1
    s.interpolationBasis = static_cast<InterpolationBasis>(-1);
    s.basisItemText.clear();
    s.softRockExposed = false;
    s.precisionMode = -1;
    return s;
}

const Lines kNothingSelectedEntry = Join({
    {
        "================== 嵌岩桩计算书 ==================",
        "1.基桩编号: ZH1",
        "2.输入数据",
        "  2.1 基桩参数",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         1",
        "      岩石强度取值:  岩样天然湿度单轴抗压强度",
        "      端阻侧阻系数:              程序自动插值",
        "      基桩为钻冲孔桩：                     是",
        "      钻冲孔桩折减系数:                  0.70",
    },
    kStandardStrength,
    {
        "4.承载力计算",
        "      桩身截面面积Ap:                    0.79 m^2",
        "      桩身截面周长μ:                    3.14 m",
        "  4.2 岩层阻力计算",
    },
    kCoefficientHead,
    {"       1    1.00    25.00     0.34     0.03  "},
    kResistanceHead,
    {"       1    0.34     0.03    9236.28  6597.34"},
    kSideHead,
    {
        "       1   2638.94  2638.94  28.57%   较软岩 ",
        kDash39,
        "  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN",
        "  4.4 持力岩层总端阻力特征值Rpa：     6597.34 kN",
        "      桩侧岩层总摩阻力特征值Rra:      2638.94 kN",
        "  4.5 单桩竖向承载力特征值Ra:         9236.28 kN",
        "      持力岩层总端阻力占百分比:        71.43%",
        "      桩侧岩层总摩阻力占百分比:        28.57%",
        "  4.6 计算结果合规性判定:                合规",
        "5.基桩主要数据汇总",
        kDash39,
        kDash39,
        "        ZH1     ",
    },
    kDepthHead,
    {"        1.00   "},
    kShareHead,
    {"        合规   "},
    kEnd,
});

const EntryCase kEntryCases[] = {
    {"circular, strength, automatic, integrity class, units", StartSnapshot, StartResult,
     Join({StartEntry('1'), {std::string("计算时间：") + kStamp}})},
    {"ellipse, given resistances, two decimals", EllipseGivenSnapshot, EllipseGivenResult,
     kEllipseGivenEntry},
    {"rectangle, manual coefficients, tens", RectangleManualSnapshot, RectangleManualResult,
     kRectangleManualEntry},
    {"square, larger, integrity index, hundreds", SquareLargerSnapshot, SquareLargerResult,
     kSquareLargerEntry},
    {"circular 1200, smaller, integrity class, one decimal", RoundSmallerSnapshot,
     RoundSmallerResult, kRoundSmallerEntry},
    {"circular 800, automatic, integrity index, shallow socket", ShallowIndexSnapshot,
     ShallowIndexResult, kShallowIndexEntry},
    {"nothing selected", NothingSelectedSnapshot, StartResult, kNothingSelectedEntry},
};

TEST(TextReport, WholeEntryForEachKindOfInput)
{
    for (const EntryCase& c : kEntryCases) {
        SCOPED_TRACE(c.name);
        ReportModel model;
        ASSERT_TRUE(model.AppendReports(c.snapshot(), c.result(), kStamp));
        const Lines& actual = model.textLines();
        const std::size_t common = std::min(actual.size(), c.expected.size());
        for (std::size_t i = 0; i < common; ++i) {
            EXPECT_EQ(actual[i], c.expected[i]) << "line " << i + 1;
        }
        EXPECT_EQ(actual.size(), c.expected.size());
    }
}

}  // namespace
}  // namespace rockpile

#pragma once
// Inputs of the report tests: snapshots of the input page and results built by hand,
// as the compute run would leave them, and the literal lines the reports share.

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "core/ComputePile.h"
#include "report/Reports.h"

namespace rockpile::testing_report {

using Row = std::array<std::string, col::Count>;
using Lines = std::vector<std::string>;

inline Row MakeRow(std::initializer_list<std::pair<int, const char*>> cells)
{
    Row row;
    for (const auto& [column, text] : cells) row[static_cast<std::size_t>(column)] = text;
    return row;
}

inline Lines Join(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

inline constexpr const char* kStamp = "2026/12/10 01:36:51";

// The window's start values after one run: circular d = 1000 mm, one layer of 1.00 m
// of "较完整" rock with frk 25 MPa, automatic coefficients reduced for a bored pile
// (0.70) and soft rock, precision "个位取整".
inline ReportSnapshot StartSnapshot()
{
    ReportSnapshot s;
    s.section = SectionType::Circular;
    s.ddText = "1000";
    s.tyzdText = "0";
    s.reductionFactorText = "0.70";
    s.layerCountItemText = "1";
    s.strengthMode = StrengthMode::CompressiveStrength;
    s.strengthItemText = "岩样天然湿度单轴抗压强度";
    s.coefficientMode = CoefficientMode::Automatic;
    s.coefficientItemText = "程序自动插值";
    s.interpolationBasis = InterpolationBasis::IntegrityClass;
    s.basisItemText = "岩体完整程度";
    s.boredPile = true;
    s.softRockExposed = true;
    s.precisionMode = 2;
    s.rows = {MakeRow({{0, "1"}, {1, "1.00"}, {2, "中风化"}, {3, "较完整"}, {4, "0.75"},
                       {5, "25.00"}, {6, "0.50"}, {7, "0.04"}, {8, "0.336"}, {9, "0.0336"},
                       {10, "8400"}, {11, "840"}, {12, "9236.28240155399"},
                       {13, "6597.34457253857"}, {14, "2638.93782901543"},
                       {15, "2638.93782901543"}, {16, "28.57%"}, {17, "28.5714285714286"},
                       {18, "较软岩,岩体较完整"}, {19, "较软岩"}, {20, "0.336"}, {21, "0.0336"}})};
    return s;
}

inline PileResult StartResult()
{
    PileResult r;
    r.perimeter = 3141.592653589793;
    r.area = 785398.1633974483;
    r.hr = 1.0;
    r.sumRria = 2638.937829015426;
    r.rpa = 6597.344572538565;
    r.ra = 9236.282401553992;
    r.rpaShare = 71.42857142857143;
    r.clause = "第10.2.4条";
    r.verdict = "合规";
    return r;
}

// The table report's header and fixed footer lines.
inline const Lines kTableHeader = {
    "========================================================== 嵌岩桩计算书 ==============================================================================",
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  嵌岩深度  桩侧阻力  桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 ",
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)    μ(m)     hr(m)    Rra(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)   合规判定 ",
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
};
inline const Lines kTableFooter = {
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
    " 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算",
    "======================================================================================================================================================",
};

inline constexpr const char* kDash39 = "      ---------------------------------------";
inline constexpr const char* kDash32 = "      --------------------------------";
inline constexpr const char* kClosing = "==================================================";

// The text report entry of StartSnapshot/StartResult as entry `number` (1 to 9),
// without the time stamp line.
inline Lines StartEntry(char number)
{
    return {
        "================== 嵌岩桩计算书 ==================",
        std::string("1.基桩编号: ZH") + number,
        "2.输入数据",
        "  2.1 基桩参数",
        "      桩身截面类型:                      圆桩",
        "      桩身直径d:                         1000 mm",
        "  2.2 基岩参数",
        "      嵌岩段岩层数:                         1",
        "      岩石强度取值:  岩样天然湿度单轴抗压强度",
        "      端阻侧阻系数:              程序自动插值",
        "      自动插值依据:              岩体完整程度",
        "      岩层参数:",
        kDash32,
        "      岩  嵌岩层厚  岩体完整  岩石强度",
        "      层   hri(m)   程    度  frk(MPa)",
        kDash32,
        "       1    1.00     较完整    25.00  ",
        kDash32,
        "      基桩为钻冲孔桩：                     是",
        "      钻冲孔桩折减系数:                  0.70",
        "      软化系数≤0.6的软质岩，施工时无可靠    ",
        "                措施缩短桩端基岩暴露时间     ",
        "3.采用规范及公式",
        "  3.1 采用规范:",
        "                《建筑地基基础设计规范》",
        "                    (DBJ 15-31-2016)",
        "  3.2 规范公式:",
        "          Ra=Rsa+Rra+Rpa        (10.2.4-1)",
        "          Rsa=μ.∑qsia.li      (10.2.4-2)",
        "          Rra=μp.C2.frs.hr     (10.2.4-3)",
        "          Rpa=C1.frp.Ap         (10.2.4-4)",
        "4.承载力计算",
        "  4.1 桩身截面类型:                      圆桩",
        "      桩身直径d:                         1000 mm",
        "      桩身截面面积Ap:                    0.79 m^2",
        "      桩身截面周长μ:                    3.14 m",
        "  4.2 岩层阻力计算",
        kDash39,
        "      岩  嵌岩层厚 岩石强度 插值端阻 插值侧阻",
        "      层   hri(m)  frk(MPa) 系数 C1  系数 C2 ",
        kDash39,
        "       1    1.00    25.00     0.34     0.03  ",
        kDash39,
        "      岩  计算采用 计算采用 总 阻 力 端 阻 力",
        "      层  系数 C1  系数 C2   Ra(kN)   Rpa(kN)",
        kDash39,
        "       1    0.34     0.03    9236.28  6597.34",
        kDash39,
        "      岩   ∑Rsia  层侧阻力 侧阻比例 岩石坚硬",
        "      层    (kN)   Rsia(kN)  Rsia/Ra 程    度",
        kDash39,
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
        "      基    桩  桩身截面  桩身直径  椭圆直段 ",
        "      编    号  类    型    d(mm)     c(mm)  ",
        kDash39,
        std::string("        ZH") + number + "      圆  桩     1000        -    ",
        kDash39,
        "      嵌岩深度  端 阻 力  侧 阻 力  嵌岩总阻 ",
        "        hr(m)    Rpa(kN)   Rsa(kN)   力(kN)  ",
        kDash39,
        "        1.00      6597      2639      9236   ",
        kDash39,
        "      桩承载力  端 阻 力  侧 阻 力  计算结果 ",
        "       Ra(kN)   占百分比  占百分比  合规判定 ",
        kDash39,
        "        9236       71%       29%      合规   ",
        kDash39,
        kDash39,
        kClosing,
    };
}

// The table report row of StartSnapshot/StartResult as entry `number` (1 to 9).
inline std::string StartRow(char number)
{
    return std::string("   ZH") + number +
           "      圆  桩     1000        -         -         -       0.79      3.14      1.00       2639      29%       6597      71%       9236     合规   ";
}

}  // namespace rockpile::testing_report

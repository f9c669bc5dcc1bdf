// The table report: one line of 150 columns per calculation under a common header.

#include <string>

#include "report/Format.h"
#include "report/ReportLines.h"

namespace rockpile {

namespace {

using namespace layout;

const char* const kRule150 =
    "------------------------------------------------------------------------------------------"
    "------------------------------------------------------------";

}  // namespace

std::vector<std::string> TableReportHeader()
{
    return {
        "========================================================== 嵌岩桩计算书 "
        "==============================================================================",
        kRule150,
        " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  嵌岩深度  "
        "桩侧阻力  桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 ",
        " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)    μ(m)     hr(m)  "
        "  Rra(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)   合规判定 ",
        kRule150,
    };
}

std::vector<std::string> TableReportFooter()
{
    return {
        kRule150,
        std::string(kNoteLine),
        "=========================================================================================="
        "============================================================",
    };
}

std::string TableReportRow(const ReportSnapshot& snapshot, const PileResult& result,
                           int entryNumber)
{
    const std::string noValue = C("-", 8) + S(2);
    std::string row = S(3) + R("ZH" + std::to_string(entryNumber), 6) + S(2);
    switch (snapshot.section) {
    case SectionType::Circular:
        row += C(SectionName(SectionType::Circular, SectionNameStyle::Column), 8) + S(2);
        row += L(snapshot.ddText, 6) + S(4) + noValue + noValue + noValue;
        break;
    case SectionType::Ellipse:
        row += C(SectionName(SectionType::Ellipse, SectionNameStyle::Column), 8) + S(2);
        row += L(snapshot.ddText, 6) + S(4) + L(snapshot.tyzdText, 6) + S(4) + noValue + noValue;
        break;
    case SectionType::Rectangle:
        row += C(SectionName(IsSquareSection(snapshot) ? SectionType::Square : SectionType::Rectangle, SectionNameStyle::Column), 8) + S(2);
        row += noValue + noValue + L(snapshot.ddText, 6) + S(4) + L(snapshot.tyzdText, 6) + S(4);
        break;
    default: break;
    }
    row += L(F(result.area / 1000000, 6, 2), 6) + S(4);
    row += L(F(result.perimeter / 1000, 6, 2), 6) + S(4);
    row += L(F(result.hr, 6, 2), 6) + S(3);

    // Side resistance and its share, end resistance and its share, Ra: the same 51
    // columns in every precision mode.
    const int p = snapshot.precisionMode;
    const double rraShare = 100 * result.sumRria / result.ra;
    const double rpaShare = 100 * result.rpa / result.ra;
    if (p == kTwoDecimals || p == kOneDecimal) {
        const int d = p == kTwoDecimals ? 2 : 1;
        row += L(F(result.sumRria, 10, d), 9) + S(1) + L(F(rraShare, 10, d), 7) + "%" + S(2) +
               L(F(result.rpa, 10, d), 9) + S(1) + L(F(rpaShare, 10, d), 7) + "%" + S(2) +
               L(F(result.ra, 10, d), 9) + S(2);
    } else if (p >= kUnits && p <= kHundreds) {
        row += L(FormatResult(result.sumRria, p, 10), 8) + S(2) +
               L(FormatShare(rraShare, p, 10), 6) + "%" + S(3) +
               L(FormatResult(result.rpa, p, 10), 8) + S(2) + L(FormatShare(rpaShare, p, 10), 6) +
               "%" + S(3) + L(FormatResult(result.ra, p, 10), 8) + S(3);
    }
    row += C(result.verdict, 8) + S(1);
    return row;
}

}  // namespace rockpile

// The entry of one calculation in the text report: inputs, the clauses and formulas
// applied, the intermediate values of every layer and the summary.

#include <string>
#include <utility>

#include "core/PileInput.h"
#include "report/Format.h"
#include "report/ReportLines.h"

namespace rockpile {

namespace {

using Row = std::array<std::string, col::Count>;

constexpr const char* kDash39 = "      ---------------------------------------";
constexpr const char* kDash32 = "      --------------------------------";

using namespace layout;

class TextEntryBuilder {
public:
    TextEntryBuilder(const ReportSnapshot& snapshot, const PileResult& result, int entryNumber)
        : s_(snapshot), r_(result), number_(std::to_string(entryNumber))
    {
    }

    std::optional<std::vector<std::string>> Build()
    {
        lines_.reserve(80 + 4 * s_.rows.size());
        Add("================== 嵌岩桩计算书 ==================");
        Add("1.基桩编号: ZH" + number_);
        Add("2.输入数据");
        PileParameters();
        RockParameters();
        Standard();
        Calculation();
        Summary();
        Add(kDash39);
        Add(std::string(kTextClosingLine));
        if (failed_) return std::nullopt;
        return std::move(lines_);
    }

private:
    void Add(std::string line) { lines_.push_back(std::move(line)); }

    // A layer cell read as a number. A cell that does not convert spoils the entry:
    // the model then appends nothing.
    double Num(const Row& row, int column)
    {
        double value = 0;
        if (!TryConvertNumber(row[column], value)) failed_ = true;
        return value;
    }

    bool fromStrength() const { return s_.strengthMode == StrengthMode::CompressiveStrength; }
    bool automaticCoefficients() const
    {
        return fromStrength() && (s_.coefficientMode == CoefficientMode::Automatic ||
                                s_.coefficientMode == CoefficientMode::Larger ||
                                s_.coefficientMode == CoefficientMode::Smaller);
    }

    void SizeLines()
    {
        switch (s_.section) {
        case SectionType::Circular:
            Add("      桩身直径d:                   " + L(s_.ddText, 10) + " mm");
            break;
        case SectionType::Ellipse:
            Add("      桩身直径d:                   " + L(s_.ddText, 10) + " mm");
            Add("      椭圆直段长度c:               " + L(s_.tyzdText, 10) + " mm");
            break;
        case SectionType::Rectangle:
            Add("      矩形长边尺寸a:               " + L(s_.ddText, 10) + " mm");
            Add("      矩形短边尺寸b:               " + L(s_.tyzdText, 10) + " mm");
            break;
        default: break;
        }
    }

    void PileParameters()
    {
        Add("  2.1 基桩参数");
        // The input block names a square a rectangle, as the section combo does.
        switch (s_.section) {
        case SectionType::Circular:
        case SectionType::Ellipse:
        case SectionType::Rectangle: Add("      桩身截面类型:" + L(SectionName(s_.section), 26)); break;
        default: break;
        }
        SizeLines();
    }

    void RockParameters()
    {
        Add("  2.2 基岩参数");
        Add("      嵌岩段岩层数:" + L(s_.layerCountItemText, 26));
        Add("      岩石强度取值:" + L(s_.strengthItemText, 26));
        if (s_.strengthMode == StrengthMode::GivenResistances) {
            GivenResistanceTable();
            return;
        }
        if (s_.strengthMode != StrengthMode::CompressiveStrength) return;

        Add("      端阻侧阻系数:" + L(s_.coefficientItemText, 26));
        switch (s_.coefficientMode) {
        case CoefficientMode::Manual: ManualCoefficientTable(); return;
        case CoefficientMode::Automatic: IntegrityTable(false); break;
        case CoefficientMode::Larger:
        case CoefficientMode::Smaller: IntegrityTable(true); break;
        default: return;
        }
        BoredPileLines();
    }

    void GivenResistanceTable()
    {
        Add("      岩层参数:");
        Add("          --------------------------------");
        Add("          岩  嵌岩层厚  指定侧阻  指定端阻");
        Add("          层   hri(m)   qpa(kPa)  qra(kPa)");
        Add("          --------------------------------");
        for (const Row& row : s_.rows) {
            // Under the heads "指定侧阻" and "指定端阻": qra (column 11), then qpa (10).
            Add(S(10) + L(row[col::Number], 2) + S(2) + L(F(Num(row, col::Lr), 8, 2), 6) + S(4) +
                L(F(Num(row, col::Qra), 8, 2), 8) + S(2) + L(F(Num(row, col::Qpa), 8, 2), 8));
        }
        Add("          --------------------------------");
    }

    void ManualCoefficientTable()
    {
        Add("      岩层参数:");
        Add(kDash39);
        Add("      岩  嵌岩层厚 岩石强度 指定端阻 指定侧阻");
        Add("      层   hri(m)  frk(MPa) 系数 C1  系数 C2 ");
        Add(kDash39);
        for (const Row& row : s_.rows) {
            Add(S(6) + L(row[col::Number], 2) + S(2) + L(row[col::Lr], 6) + S(3) +
                L(row[col::Frk], 6) + S(3) + L(row[col::C1Manual], 6) + S(3) +
                L(row[col::C2Manual], 6) + S(2));
        }
        Add(kDash39);
    }

    // The layers with the integrity the automatic coefficients come from; with the
    // manual coefficients beneath when both are compared.
    void IntegrityTable(bool withManual)
    {
        const InterpolationBasis basis = s_.interpolationBasis;
        if (basis != InterpolationBasis::IntegrityClass && basis != InterpolationBasis::IntegrityIndex) return;
        const bool byClass = basis == InterpolationBasis::IntegrityClass;
        Add("      自动插值依据:" + L(s_.basisItemText, 26));
        Add("      岩层参数:");
        Add(kDash32);
        Add("      岩  嵌岩层厚  岩体完整  岩石强度");
        Add(byClass ? "      层   hri(m)   程    度  frk(MPa)"
                    : "      层   hri(m)   性 指 数  frk(MPa)");
        Add(kDash32);
        for (const Row& row : s_.rows) {
            std::string integrity;
            if (byClass) integrity = C(row[col::Integrity], 8) + S(2);
            else if (!withManual) integrity = C(row[col::Kv], 8) + S(2);
            else integrity = L(row[col::Kv], 6) + S(4);
            Add(S(6) + L(row[col::Number], 2) + S(2) + L(row[col::Lr], 6) + S(4) + integrity +
                L(row[col::Frk], 6) + S(2));
        }
        Add(kDash32);
        if (!withManual) return;

        Add("      岩  指定端阻  指定侧阻          ");
        Add("      层  系数 C1   系数 C2           ");
        Add(kDash32);
        for (const Row& row : s_.rows) {
            Add(S(6) + L(row[col::Number], 2) + S(2) + L(row[col::C1Manual], 6) + S(4) +
                L(row[col::C2Manual], 6) + S(12));
        }
        Add(kDash32);
    }

    void BoredPileLines()
    {
        if (s_.boredPile) {
            Add("      基桩为钻冲孔桩：                     是");
            Add("      钻冲孔桩折减系数:        " + L(s_.reductionFactorText, 14));
        } else {
            Add("      基桩为钻冲孔桩：                     否");
        }
        if (s_.softRockExposed) {
            Add("      软化系数≤0.6的软质岩，施工时无可靠    ");
            Add("                措施缩短桩端基岩暴露时间     ");
        }
    }

    void Standard()
    {
        Add("3.采用规范及公式");
        Add("  3.1 采用规范:");
        Add("                《建筑地基基础设计规范》");
        Add("                    (DBJ 15-31-2016)");
        Add("  3.2 规范公式:");
        Add("          Ra=Rsa+Rra+Rpa        (10.2.4-1)");
        Add("          Rsa=μ.∑qsia.li      (10.2.4-2)");
        if (s_.strengthMode == StrengthMode::GivenResistances) {
            Add("          Rra=μp.hr.qra        (10.2.5-1)");
            Add("          Rpa=qpa.Ap            (10.2.5-2)");
        } else if (s_.strengthMode == StrengthMode::CompressiveStrength) {
            Add("          Rra=μp.C2.frs.hr     (10.2.4-3)");
            Add("          Rpa=C1.frp.Ap         (10.2.4-4)");
        }
    }

    void Calculation()
    {
        Add("4.承载力计算");
        switch (s_.section) {
        case SectionType::Circular:
        case SectionType::Ellipse: Add("  4.1 桩身截面类型:" + L(SectionName(s_.section), 26)); break;
        case SectionType::Rectangle:
            Add("  4.1 桩身截面类型:" +
                L(SectionName(IsSquareSection(s_) ? SectionType::Square : SectionType::Rectangle), 26));
            break;
        default: break;
        }
        SizeLines();
        Add("      桩身截面面积Ap:              " + L(F(r_.area / 1000000, 6, 2), 10) + " m^2");
        Add("      桩身截面周长μ:              " + L(F(r_.perimeter / 1000, 6, 2), 10) + " m");
        Add("  4.2 岩层阻力计算");

        const std::string noValue = C("-", 8);
        Add(kDash39);
        Add("      岩  嵌岩层厚 岩石强度 插值端阻 插值侧阻");
        Add("      层   hri(m)  frk(MPa) 系数 C1  系数 C2 ");
        Add(kDash39);
        for (const Row& row : s_.rows) {
            // The automatic coefficients after reductions, where they were computed.
            const std::string automatic =
                automaticCoefficients()
                    ? L(F(Num(row, col::C1Auto), 8, 2), 6) + S(3) +
                          L(F(Num(row, col::C2Auto), 8, 2), 6) + S(2)
                    : noValue + S(1) + noValue;
            Add(S(6) + L(row[col::Number], 2) + S(2) + L(row[col::Lr], 6) + S(3) +
                L(row[col::Frk], 6) + S(3) + automatic);
        }

        Add(kDash39);
        Add("      岩  计算采用 计算采用 总 阻 力 端 阻 力");
        Add("      层  系数 C1  系数 C2   Ra(kN)   Rpa(kN)");
        Add(kDash39);
        for (const Row& row : s_.rows) {
            const std::string adopted =
                fromStrength() ? L(F(Num(row, col::C1), 8, 2), 6) + S(3) +
                                     L(F(Num(row, col::C2), 8, 2), 6) + S(3)
                               : noValue + S(1) + noValue + S(1);
            // Ra and Rpa stand on the row of the last layer only.
            const std::string ra =
                row[col::Ra].empty() ? noValue + S(1) : L(F(Num(row, col::Ra), 8, 2), 8) + S(1);
            const std::string rpa =
                row[col::Rpa].empty() ? noValue : L(F(Num(row, col::Rpa), 8, 2), 8);
            Add(S(6) + L(row[col::Number], 2) + S(2) + adopted + ra + rpa);
        }

        Add(kDash39);
        Add("      岩   ∑Rsia  层侧阻力 侧阻比例 岩石坚硬");
        Add("      层    (kN)   Rsia(kN)  Rsia/Ra 程    度");
        Add(kDash39);
        for (const Row& row : s_.rows) {
            const std::string hardness = fromStrength() ? C(row[col::Hardness], 8) : noValue;
            Add(S(6) + L(row[col::Number], 2) + S(2) + L(F(Num(row, col::SumRria), 9, 2), 8) +
                S(1) + L(F(Num(row, col::Rria), 9, 2), 8) + S(1) + L(row[col::SharePercent], 7) +
                S(2) + hardness);
        }
        Add(kDash39);

        Add("  4.3 桩侧土总摩阻力特征值Rsa(不考虑):   0.00 kN");
        Add("  4.4 持力岩层总端阻力特征值Rpa：  " + L(F(r_.rpa, 10, 2), 10) + " kN");
        Add("      桩侧岩层总摩阻力特征值Rra:   " + L(F(r_.sumRria, 10, 2), 10) + " kN");
        Add("  4.5 单桩竖向承载力特征值Ra:      " + L(F(r_.ra, 10, 2), 10) + " kN");
        Add("      持力岩层总端阻力占百分比:    " + L(F(100 * r_.rpa / r_.ra, 10, 2), 9) + "%");
        Add("      桩侧岩层总摩阻力占百分比:    " + L(F(100 * r_.sumRria / r_.ra, 10, 2), 9) + "%");
        Add("  4.6 计算结果合规性判定:                " + r_.verdict);
    }

    void Summary()
    {
        const int p = s_.precisionMode;
        const bool modeKnown = p >= kTwoDecimals && p <= kHundreds;
        Add("5.基桩主要数据汇总");
        Add(kDash39);
        switch (s_.section) {
        case SectionType::Circular:
        case SectionType::Ellipse:
            Add("      基    桩  桩身截面  桩身直径  椭圆直段 ");
            Add("      编    号  类    型    d(mm)     c(mm)  ");
            break;
        case SectionType::Rectangle:
            Add("      基    桩  桩身截面  矩形长边  矩形短边 ");
            Add("      编    号  类    型    a(mm)     b(mm)  ");
            break;
        default: break;
        }
        Add(kDash39);

        std::string pile = S(8) + R("ZH" + number_, 6) + S(2);
        switch (s_.section) {
        case SectionType::Circular:
            pile += C(SectionName(SectionType::Circular, SectionNameStyle::Column), 8) + S(2) + C(s_.ddText, 8) + S(2) + C("-", 8) + S(1);
            break;
        case SectionType::Ellipse:
            pile += C(SectionName(SectionType::Ellipse, SectionNameStyle::Column), 8) + S(2) + C(s_.ddText, 8) + S(2) + C(s_.tyzdText, 8) + S(1);
            break;
        case SectionType::Rectangle:
            pile += C(SectionName(IsSquareSection(s_) ? SectionType::Square : SectionType::Rectangle, SectionNameStyle::Column), 8) + S(2) + C(s_.ddText, 8) +
                    S(2) + C(s_.tyzdText, 8) + S(1);
            break;
        default: break;
        }
        Add(std::move(pile));

        // The third column, under "侧 阻 力", holds Rra; the fourth holds Ra.
        Add(kDash39);
        Add("      嵌岩深度  端 阻 力  侧 阻 力  嵌岩总阻 ");
        Add("        hr(m)    Rpa(kN)   Rsa(kN)   力(kN)  ");
        Add(kDash39);
        std::string values = S(6) + C(F(r_.hr, 6, 2), 8);
        if (modeKnown) {
            values += S(2) + C(FormatResult(r_.rpa, p, 10), 8) + S(2) +
                      C(FormatResult(r_.sumRria, p, 10), 8) + S(2) + C(FormatResult(r_.ra, p, 10), 8);
        }
        Add(values + S(1));

        Add(kDash39);
        Add("      桩承载力  端 阻 力  侧 阻 力  计算结果 ");
        Add("       Ra(kN)   占百分比  占百分比  合规判定 ");
        Add(kDash39);
        std::string shares = S(6);
        if (modeKnown) {
            shares += C(FormatResult(r_.ra, p, 10), 8) + S(2) +
                      C(FormatShare(100 * r_.rpa / r_.ra, p, 10) + "%", 8) + S(2) +
                      C(FormatShare(100 * r_.sumRria / r_.ra, p, 10) + "%", 8) + S(2);
        }
        Add(shares + C(r_.verdict, 8) + S(1));
        Add(kDash39);
    }

    const ReportSnapshot& s_;
    const PileResult& r_;
    const std::string number_;
    std::vector<std::string> lines_;
    bool failed_ = false;
};

}  // namespace

bool IsSquareSection(const ReportSnapshot& snapshot)
{
    if (snapshot.section != SectionType::Rectangle) return false;
    double a = 0;
    double b = 0;
    return TryConvertNumber(snapshot.ddText, a) && TryConvertNumber(snapshot.tyzdText, b) && a == b;
}

std::optional<std::vector<std::string>> TextReportEntry(const ReportSnapshot& snapshot,
                                                        const PileResult& result,
                                                        int entryNumber)
{
    return TextEntryBuilder(snapshot, result, entryNumber).Build();
}

}  // namespace rockpile

#pragma once
// The input of one bearing-capacity calculation, exactly as the user typed it.
//
// Numeric inputs are kept as the texts of their controls and cells: the calculation
// reads them by one rule (ReadNumber), and the few values it corrects are written
// back as texts by the compute run. This keeps "what the user sees" and "what was
// computed" the same thing.

#include <string>
#include <string_view>
#include <vector>

namespace rockpile {

// Section kinds. The input page offers the first three; a square is a rectangle
// with equal sides and exists as its own kind only in the design search.
enum class SectionType { Circular = 1, Ellipse = 2, Rectangle = 3, Square = 4 };

// Where the rock resistances come from.
enum class StrengthMode {
    GivenResistances = 0,     // "基岩桩侧、桩端阻力特征值": qpa and qra given (clause 10.2.5)
    CompressiveStrength = 1,  // "岩样天然湿度单轴抗压强度": frk given (clause 10.2.4)
};

// How C1 and C2 are settled (compressive-strength mode only).
enum class CoefficientMode {
    Manual = 0,     // "人工指定系数"
    Automatic = 1,  // "程序自动插值"
    Larger = 2,     // "自动插值与人工指定取大值"
    Smaller = 3,    // "自动插值与人工指定取小值"
};

// What the automatic coefficients are interpolated from.
enum class InterpolationBasis {
    IntegrityClass = 0,  // "岩体完整程度": the class text of the layer
    IntegrityIndex = 1,  // "岩体完整性指数": Kv of the layer
};

inline constexpr int kMaxLayers = 9;

// Column numbers of the layer table StringGrid_QB2.
namespace col {
inline constexpr int Number = 0;        // layer number, written by the layer-count handler
inline constexpr int Lr = 1;            // socket length in this layer, m
inline constexpr int Weathering = 2;    // "微风化" / "中风化"
inline constexpr int Integrity = 3;     // integrity class text
inline constexpr int Kv = 4;            // integrity index
inline constexpr int Frk = 5;           // uniaxial compressive strength, MPa
inline constexpr int C1Manual = 6;
inline constexpr int C2Manual = 7;
inline constexpr int C1 = 8;            // adopted C1
inline constexpr int C2 = 9;            // adopted C2
inline constexpr int Qpa = 10;          // kPa: input in given-resistance mode, output otherwise
inline constexpr int Qra = 11;          // kPa: likewise
inline constexpr int Ra = 12;           // kN, last row only
inline constexpr int Rpa = 13;          // kN, last row only
inline constexpr int SumRria = 14;      // kN, running sum of side resistances
inline constexpr int Rria = 15;         // kN, side resistance of this layer
inline constexpr int SharePercent = 16; // share of Ra as text with "%"
inline constexpr int ShareBar = 17;     // the same share as a bare number (progress bar)
inline constexpr int Remark = 18;
inline constexpr int Hardness = 19;
inline constexpr int C1Auto = 20;
inline constexpr int C2Auto = 21;
inline constexpr int Count = 22;
}  // namespace col

// One rock layer of the socket: the input cells of one row of the layer table.
struct RockLayer {
    std::string lr;             // column 1, m; valid >= 0, 0 meaning not entered
    std::string weathering;     // column 2; not used by any formula
    std::string integrityText;  // column 3
    std::string kv;             // column 4; valid in (0, 1]
    std::string frk;            // column 5, MPa; valid > 0
    std::string c1Manual;       // column 6; valid in [0, 1]
    std::string c2Manual;       // column 7; valid in [0, 1]
    std::string qpaGiven;       // column 10, kPa; valid >= 0
    std::string qraGiven;       // column 11, kPa; valid >= 0

    // The first row as the window starts with it.
    static RockLayer StartRow();
};

struct PileInput {
    SectionType sectionType = SectionType::Circular;
    // Sizes in mm as texts. cbe_dd holds d (circular, ellipse) or a (rectangle);
    // cbe_tyzd holds c (ellipse; "0" for a circular section) or b (rectangle).
    std::string d;
    std::string c;
    std::string a;
    std::string b;
    StrengthMode strengthMode = StrengthMode::CompressiveStrength;
    CoefficientMode coefficientMode = CoefficientMode::Automatic;
    InterpolationBasis interpolationBasis = InterpolationBasis::IntegrityClass;
    bool boredPile = true;                // "钻冲孔桩"
    std::string reductionFactor;          // text of cbe_zhuanchongkong; valid in [0, 1]
    bool softRockExposed = true;          // "软化系数≤0.6的软质岩，桩端岩石长时间暴露"
    std::vector<RockLayer> layers;        // 1 to 9 layers; the last one carries the pile end

    // The inputs as the window starts with them: a circular pile of d = 1000 mm,
    // one layer of 1.00 m in "较完整" rock of frk 25 MPa, automatic coefficients,
    // bored pile with factor 0.70, soft rock exposed.
    static PileInput StartDefaults();
};

// The number of layers of a calculation.
int LayerCount(const PileInput& input);

// The rule for reading a number from a control or a cell: leading and trailing blanks
// skipped, an optional sign, digits, an optional "." with more digits, an optional
// exponent ("E" or "e", optional sign, digits). The separator is always ".".
// Empty text reads as 0, and so does any text that is not of that form or whose value
// is not finite: the calculation then treats the value as not entered.
double ReadNumber(std::string_view text);

// The strict conversion used where a value must be a number (the reduction factor
// when it is applied): the same syntax, but empty or malformed text, or a value that
// is not finite, is a failure rather than 0.
bool TryConvertNumber(std::string_view text, double& value);

}  // namespace rockpile

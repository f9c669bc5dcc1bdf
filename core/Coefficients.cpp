#include "core/Coefficients.h"

#include <string>

#include "core/ComputePile.h"

namespace rockpile {

namespace {

// The integrity part of the remark, by integrity class 1 to 5. It is "岩体" followed
// by the class text, whether the coefficients came from the class or from Kv.
constexpr std::string_view kIntegrityRemarks[5] = {"岩体完整", "岩体较完整", "岩体较破碎", "岩体破碎",
                                                   "岩体极破碎"};

// Means of the recommended ranges: the coefficients of a fractured ("较破碎") rock mass.
constexpr double kC1Mean = (kC1Low + kC1High) / 2;
constexpr double kC2Mean = (kC2Low + kC2High) / 2;

}  // namespace

double Interpolate(double x0, double y0, double x1, double y1, double x)
{
    return y0 + (y1 - y0) / (x1 - x0) * (x - x0);
}

std::string_view HardnessText(double frk)
{
    if (frk <= 5) return "极软岩";
    if (frk <= 15) return "软岩";
    if (frk <= 30) return "较软岩";
    if (frk <= 60) return "较硬岩";
    return "坚硬岩";
}

std::string HardnessClass(double frk) { return std::string(HardnessText(frk)); }

bool AutoCoefficientsFromClass(std::string_view integrityText, AutoCoefficients& out)
{
    int index = -1;
    for (int i = 0; i < 5; ++i) {
        if (integrityText == kIntegrityClasses[i]) {
            index = i;
            break;
        }
    }
    if (index < 0) return false;
    if (index <= 1) {  // 完整, 较完整
        out.c1 = kC1High;
        out.c2 = kC2High;
    } else if (index == 2) {  // 较破碎
        out.c1 = kC1Mean;
        out.c2 = kC2Mean;
    } else {  // 破碎, 极破碎
        out.c1 = kC1Low;
        out.c2 = kC2Low;
    }
    out.integrity = kIntegrityRemarks[index];
    return true;
}

AutoCoefficients AutoCoefficientsFromKv(double kv)
{
    if (kv > 0.750001) return {kC1High, kC2High, kIntegrityRemarks[0]};
    if (kv > 0.550001) {
        return {Interpolate(0.55, 0.5, 0.75, 0.6, kv), Interpolate(0.55, 0.05, 0.75, 0.06, kv),
                kIntegrityRemarks[1]};
    }
    if (kv > 0.350001) {
        return {Interpolate(0.35, 0.4, 0.55, 0.5, kv), Interpolate(0.35, 0.04, 0.55, 0.05, kv),
                kIntegrityRemarks[2]};
    }
    // The bound between broken and extremely broken is 0.15001, a larger excess than
    // at the other bounds.
    if (kv >= 0.15001) return {kC1Low, kC2Low, kIntegrityRemarks[3]};
    return {kC1Low, kC2Low, kIntegrityRemarks[4]};
}

bool SoftRockFactorApplies(std::string_view hardness) { return hardness == "软岩" || hardness == "较软岩"; }

}  // namespace rockpile

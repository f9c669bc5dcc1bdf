#pragma once
// Rock classification and the resistance coefficients C1 (end) and C2 (side) that the
// standard gives for the integrity of the rock mass. Used by ComputePile; exposed so
// that the tables can be tested on their own.

#include <string_view>

namespace rockpile {

// The hardness class of a rock of strength frk (MPa, > 0). Each bound belongs to the
// softer class. The texts are static; HardnessClass (ComputePile.h) returns a copy.
std::string_view HardnessText(double frk);

// The coefficients read from the integrity of the rock mass, before any reduction,
// and the integrity part of the layer's remark (the text after the hardness and ",").
struct AutoCoefficients {
    double c1 = 0;
    double c2 = 0;
    std::string_view integrity;  // e.g. "岩体较完整"; static text
};

// From the integrity class text of the layer (column 3), compared character for
// character with the five class texts. False for any other text, the empty one too.
bool AutoCoefficientsFromClass(std::string_view integrityText, AutoCoefficients& out);

// From the integrity index Kv, for 0 < Kv <= 1 (the caller has checked the range).
// The band bounds lie a little above 0.75, 0.55, 0.35 and 0.15 so that those values
// themselves fall into the lower band; the coefficients are continuous in Kv.
AutoCoefficients AutoCoefficientsFromKv(double kv);

// Whether the exposed-soft-rock factor 0.8 applies to a rock of this hardness class:
// only to "软岩" and "较软岩", neither to "极软岩" nor to the harder classes.
bool SoftRockFactorApplies(std::string_view hardness);

inline constexpr double kSoftRockFactor = 0.8;

// The recommended ranges of the standard; their bounds belong to them.
inline constexpr double kC1Low = 0.4;
inline constexpr double kC1High = 0.6;
inline constexpr double kC2Low = 0.04;
inline constexpr double kC2High = 0.06;

}  // namespace rockpile

#include "core/PageRules.h"

#include <charconv>
#include <cmath>

namespace rockpile {

RockControlRules RockRules(StrengthMode strength, CoefficientMode coefficients,
                           InterpolationBasis basis, bool expanded, bool boredPile)
{
    const bool fromStrength = strength == StrengthMode::CompressiveStrength;  // frk given
    const bool automatic = coefficients != CoefficientMode::Manual;    // interpolation takes part
    const bool manual = coefficients != CoefficientMode::Automatic;    // manual C1, C2 take part
    const bool byClass = basis == InterpolationBasis::IntegrityClass;
    RockControlRules rules;
    auto& visible = rules.columnVisible;
    visible[col::Number] = visible[col::Lr] = true;
    visible[col::Integrity] = fromStrength && automatic && byClass;
    visible[col::Kv] = fromStrength && automatic && !byClass;
    visible[col::Frk] = fromStrength;
    visible[col::C1Manual] = visible[col::C2Manual] = fromStrength && manual;
    visible[col::C1] = visible[col::C2] = fromStrength && expanded;
    visible[col::Qpa] = visible[col::Qra] = !fromStrength || expanded;
    for (int c = col::Ra; c <= col::Remark; ++c) visible[static_cast<std::size_t>(c)] = expanded;
    rules.coefficientModeEnabled = fromStrength;
    rules.interpolationEnabled = fromStrength && automatic;
    rules.reductionEnabled = rules.interpolationEnabled && boredPile;
    return rules;
}

std::string CurrencyText(std::string_view typed)
{
    double value = 0;
    if (!TryConvertNumber(typed, value)) return std::string();
    if (value == 0) value = 0;  // no "-0.00"
    // A value exactly halfway between two hundredths (0.125) goes away from zero, as
    // the number fields of the toolkit round; to_chars would round it to even.
    const double scaled = value * 200;
    if (std::fabs(scaled) < 9e15 && std::fma(value, 200, -scaled) == 0 && std::fmod(scaled, 2) != 0 &&
        std::trunc(scaled) == scaled) {
        const long long hundredths = (static_cast<long long>(std::fabs(scaled)) + 1) / 2;
        const std::string fraction = std::to_string(100 + hundredths % 100).substr(1);
        std::string text = value < 0 ? "-" : "";
        text += std::to_string(hundredths / 100);
        text += '.';
        text += fraction;
        return text;
    }
    // Fixed notation of a finite double: at most 309 digits before the point.
    char buffer[400];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    if (error != std::errc()) return std::string();
    return std::string(buffer, end);
}

}  // namespace rockpile

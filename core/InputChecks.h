#pragma once
// The checks of the calculation that the input page also makes as the user enters a
// value: one definition of each test and of its message, used by the calculation core
// and by the handlers of the size and reduction factor fields.

#include <string_view>

namespace rockpile::checks {

// A section size (d, c of an ellipse, a, b) must be greater than 0.
constexpr bool SizeValid(double size) { return size > 0; }
// The bored-pile reduction factor lies in [0, 1].
constexpr bool ReductionFactorValid(double factor) { return factor >= 0 && factor <= 1; }

inline constexpr std::string_view kDiameterError = "桩身直径数据有错";
inline constexpr std::string_view kStraightSegmentError = "椭圆直段长度数据有错";
inline constexpr std::string_view kLongSideError = "矩形长边尺寸数据有错";
inline constexpr std::string_view kShortSideError = "矩形短边尺寸数据有错";
inline constexpr std::string_view kReductionFactorError = "钻冲孔桩折减系数有错";

}  // namespace rockpile::checks

#pragma once
// Fixed-width text layout and number formatting. Texts are UTF-8; widths are counted
// over UTF-16 code units, where only U+1000 to U+9FA5 take two columns.

#include <string>
#include <string_view>

namespace rockpile {

int DisplayWidth(std::string_view text);
std::string PadLeft(std::string_view text, char filler, int width);
std::string PadRight(std::string_view text, char filler, int width);
std::string PadCenter(std::string_view text, char filler, int width);
std::string Spaces(int count);

// A real with exactly `decimals` decimals and at most `precision` significant digits.
std::string FormatFixed(double value, int precision, int decimals);
// The shortest plain form with up to 15 significant digits (scientific from 1e15 up
// and below 1e-4).
std::string FormatGeneral(double value);

// The rounding the user chooses for the main results (item index of popbox_jingdu).
enum PrecisionMode : int {
    kTwoDecimals = 0,   // "两位小数"
    kOneDecimal = 1,    // "一位小数"
    kUnits = 2,         // "个位取整"
    kTens = 3,          // "十位取整": cut down to a multiple of 10
    kHundreds = 4,      // "百位取整": cut down to a multiple of 100
};

// A result quantity (Rpa, Rra, Ra) and a share in a precision mode; a mode outside
// 0..4 yields the empty text.
std::string FormatResult(double value, int mode, int precision);
std::string FormatShare(double share, int mode, int precision);

// Shorthands of the line templates of the reports and the result files: S(n) is n
// blanks, L, R and C pad a text with blanks to a display width (right-aligned,
// left-aligned, centred), F is FormatFixed.
namespace layout {
inline std::string S(int count) { return Spaces(count); }
inline std::string L(std::string_view text, int width) { return PadLeft(text, ' ', width); }
inline std::string R(std::string_view text, int width) { return PadRight(text, ' ', width); }
inline std::string C(std::string_view text, int width) { return PadCenter(text, ' ', width); }
inline std::string F(double value, int precision, int decimals)
{
    return FormatFixed(value, precision, decimals);
}
}  // namespace layout

}  // namespace rockpile

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "report/Format.h"

namespace rockpile {
namespace {

TEST(DisplayWidth, CountsUtf16UnitsWithTheCjkRangeDouble)
{
    const struct {
        const char* text;
        int width;
    } cases[] = {
        {"", 0},
        {"ZH12", 4},
        {"嵌岩桩计算书", 12},
        // The enumeration comma lies inside U+1000..U+9FA5: both texts are 24 wide.
        {"基岩桩侧、桩端阻力特征值", 24},
        {"岩样天然湿度单轴抗压强度", 24},
        {"、", 2},
        {"≤", 2},
        {"∑", 2},
        {"▲", 2},
        {"▼", 2},
        {"μ(m)", 4},
        {"，", 1},   // U+FF0C
        {"：", 1},   // U+FF1A
        {"（）", 2}, // U+FF08, U+FF09
        {"\u0FFF", 1},
        {"\u1000", 2},
        {"\u9FA5", 2},
        {"\u9FA6", 1},
        // Above U+FFFF: a surrogate pair, two units of one column each.
        {"\U0001F600", 2},
        {"\U00020000", 2},
        {"圆  桩", 6},
        {" 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算", 57},
        // Malformed UTF-8 counts one column per stray byte.
        {"\xFF", 1},
        {"a\xE4\xB8", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(DisplayWidth(c.text), c.width);
    }
}

TEST(Padding, FillsToTheDisplayWidthAndNeverCuts)
{
    const struct {
        const char* name;
        std::string actual;
        const char* expected;
    } cases[] = {
        {"left 1200", PadLeft("1200", ' ', 6), "  1200"},
        {"left too wide", PadLeft("1234567", ' ', 6), "1234567"},
        {"left zeros", PadLeft("7", '0', 3), "007"},
        {"left Chinese", PadLeft("基岩桩侧、桩端阻力特征值", ' ', 26), "  基岩桩侧、桩端阻力特征值"},
        {"right ZH12", PadRight("ZH12", ' ', 6), "ZH12  "},
        {"right exact", PadRight("ZH1234", ' ', 6), "ZH1234"},
        {"right too wide", PadRight("岩样天然", ' ', 4), "岩样天然"},
        {"center dash, odd blank left", PadCenter("-", ' ', 8), "    -   "},
        {"center ZH-07", PadCenter("ZH-07", ' ', 8), "  ZH-07 "},
        {"center round pile", PadCenter("圆  桩", ' ', 8), " 圆  桩 "},
        {"center verdict", PadCenter("合规", ' ', 8), "  合规  "},
        {"center too wide", PadCenter("12345.678", ' ', 8), "12345.678"},
        {"center empty", PadCenter("", ' ', 3), "   "},
        {"spaces 3", Spaces(3), "   "},
        {"spaces 0", Spaces(0), ""},
        {"spaces -3", Spaces(-3), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.actual, c.expected);
    }
}

TEST(FormatFixed, RoundsTheEighteenDigitFormHalfAwayFromZero)
{
    const struct {
        double value;
        int precision;
        int decimals;
        const char* expected;
    } cases[] = {
        {0, 10, 2, "0.00"},
        {0.004, 10, 2, "0.00"},
        {0.005, 10, 2, "0.01"},
        // Stored as 99.99500000000000455: above the tie, and the carry adds a digit.
        {99.995, 10, 2, "100.00"},
        {9.996, 10, 2, "10.00"},
        {123456.78, 7, 2, "123456.80"},
        {123456.78, 10, 2, "123456.78"},
        {0.125, 10, 2, "0.13"},
        {1234.5, 10, 0, "1235"},
        {37.5, 10, 0, "38"},
        {0.5, 10, 0, "1"},
        {0.49, 10, 0, "0"},
        // Stored as 2.67499999999999982: below the tie.
        {2.675, 10, 2, "2.67"},
        {-0.004, 10, 2, "0.00"},
        {-0.005, 10, 2, "-0.01"},
        {-0.5, 10, 0, "-1"},
        {-1234.5, 10, 0, "-1235"},
        {-0.0, 10, 2, "0.00"},
        {999.5, 7, 0, "1000"},
        {0.0001234, 10, 6, "0.000123"},
        {0.0001234, 10, 3, "0.000"},
        {1.5, 10, 5, "1.50000"},
        {6597.344572538565, 7, 2, "6597.34"},
        {28.57142857142857, 7, 2, "28.57"},
        {0.7853981633974483, 6, 2, "0.79"},
        {1234.56, 6, 2, "1234.56"},
        {12345.678, 6, 2, "12345.70"},
        // The 18-digit form rounds ties to even before the cut: x.0625 keeps .062
        // and x.1875 becomes .188 at the eighteenth digit.
        {500000000000000.0625, 18, 3, "500000000000000.062"},
        {500000000000000.1875, 18, 3, "500000000000000.188"},
        // Precision is limited to 2..18 and decimals to 18.
        {1.0 / 3, 30, 20, "0.333333333333333315"},
        {0.5, 10, 20, "0.500000000000000000"},
        {3.0, 10, -2, "3"},
        // More integer digits than the precision allows: the general scientific form.
        {12345678.9, 7, 2, "1.234568E7"},
        {9999999.6, 7, 0, "1E7"},
        {123.456, 1, 2, "1.2E2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " p" << c.precision << " d" << c.decimals);
        EXPECT_EQ(FormatFixed(c.value, c.precision, c.decimals), c.expected);
    }
}

// With 18 significant digits and no cut, FormatFixed shows the value's digits as the
// standard library's correctly rounded conversion writes them: random values from 0.1
// (the most decimals shown, 18) to beyond 10^17, and binary fractions whose exact decimal form
// ends in a 5 just after the 18th digit (ties, rounded to even).
TEST(FormatFixed, EighteenDigitsAgreeWithTheLibrarysConversion)
{
    std::mt19937_64 random(20260305);
    std::uniform_real_distribution<double> exponent(-1.0, 18.0);
    std::vector<double> values;
    for (int i = 0; i < 200000; ++i) values.push_back(std::pow(10.0, exponent(random)));
    for (int i = 0; i < 50000; ++i) {
        // An odd mantissa below 2^53 over a small power of two: short exact expansions.
        const auto mantissa = (random() >> 11) | 1u;
        values.push_back(std::ldexp(double(mantissa), -int(random() % 57)));
    }
    for (const double v : {0.1, 0.09999999999999999, 1e17, 9.999999999999999e16, 0.1, 0.3, 2.675, 99.995, 1.0, 10.0, 1e16,
                           9007199254740991.0 / 8, 9007199254740991.0 / 16})
        values.push_back(v);
    for (const double value : values) {
        const int decimals = std::max(0, 17 - int(std::floor(std::log10(value))));
        if (decimals > 18) continue;
        char buffer[80];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
        const std::string expected(buffer, end);
        // Where the logarithm misjudges the power of ten the form holds 17 digits, which
        // FormatFixed cuts from the 18 on purpose: not this comparison.
        const std::size_t first = expected.find_first_not_of("0.");
        const auto significant = std::count_if(expected.begin() + std::ptrdiff_t(first), expected.end(),
                                               [](char c) { return c != '.'; });
        if (significant < 18) continue;
        const std::string shown = FormatFixed(value, 18, decimals);
        ASSERT_EQ(shown, expected) << value;
    }
}

TEST(FormatGeneral, FifteenSignificantDigitsInTheShortestForm)
{
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {1000.0, "1000"},
        {1200, "1200"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {0.1 + 0.2, "0.3"},
        {0.336, "0.336"},
        {0.6 * 0.7 * 0.8, "0.336"},
        {1.0 / 3, "0.333333333333333"},
        {0.9999999999999999, "1"},
        {6597.344572538565, "6597.34457253857"},
        {9236.282401553992, "9236.28240155399"},
        {28.57142857142857, "28.5714285714286"},
        {0.0005, "0.0005"},
        {0.0001, "0.0001"},
        {0.00005, "5E-5"},
        {0.000123456, "0.000123456"},
        {0.0000123456, "1.23456E-5"},
        {1.5e-7, "1.5E-7"},
        {-1.5e-7, "-1.5E-7"},
        {999999999999999.0, "999999999999999"},
        {9.999999999999999e14, "1E15"},
        {1e15, "1E15"},
        {1e20, "1E20"},
        {123456789012345678.0, "1.23456789012346E17"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value);
        EXPECT_EQ(FormatGeneral(c.value), c.expected);
    }
}

TEST(FormatResult, RoundsOrCutsByPrecisionMode)
{
    const double rpa = 6597.344572538565;
    const struct {
        double value;
        int mode;
        int precision;
        const char* expected;
    } cases[] = {
        {rpa, kTwoDecimals, 7, "6597.34"},
        {rpa, kOneDecimal, 7, "6597.3"},
        {rpa, kUnits, 7, "6597"},
        {rpa, kTens, 7, "6590"},
        {rpa, kHundreds, 7, "6500"},
        {1239.99, kTens, 10, "1230"},
        {1239.99, kHundreds, 10, "1200"},
        {1299, kHundreds, 10, "1200"},
        {-15, kTens, 10, "-10"},
        {-5, kTens, 10, "0"},
        {1234.5, kUnits, 7, "1235"},
        {123456.78, kUnits, 7, "123457"},
        {123456.78, kTwoDecimals, 7, "123456.80"},
        // Tens and hundreds use precision 10 whatever the caller asks for.
        {12345678.9, kTens, 7, "12345670"},
        {rpa, 5, 7, ""},
        {rpa, -1, 7, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " mode " << c.mode);
        EXPECT_EQ(FormatResult(c.value, c.mode, c.precision), c.expected);
    }
}

TEST(FormatShare, RoundsInEveryModeAndNeverCutsToTens)
{
    const double share = 71.42857142857143;
    const struct {
        double value;
        int mode;
        int precision;
        const char* expected;
    } cases[] = {
        {share, kTwoDecimals, 7, "71.43"},
        {share, kOneDecimal, 7, "71.4"},
        {share, kUnits, 7, "71"},
        {share, kTens, 7, "71"},
        {share, kHundreds, 7, "71"},
        {37.5, kTens, 10, "38"},
        {37.5, kHundreds, 10, "38"},
        {100, kTwoDecimals, 10, "100.00"},
        {share, 5, 7, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " mode " << c.mode);
        EXPECT_EQ(FormatShare(c.value, c.mode, c.precision), c.expected);
    }
}

}  // namespace
}  // namespace rockpile

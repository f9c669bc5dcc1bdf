// How numbers are read from the texts of controls and cells.

#include <gtest/gtest.h>

#include <cmath>

#include "core/PileInput.h"

namespace rockpile {
namespace {

struct ReadCase {
    const char* text;
    bool converts;  // TryConvertNumber accepts it
    double value;   // what ReadNumber yields
};

const ReadCase kReadCases[] = {
    {"0", true, 0},
    {"25.00", true, 25},
    {" 12.5 ", true, 12.5},  // blanks around the number are skipped
    {"  -3", true, -3},
    {"+3", true, 3},
    {"-0", true, 0},
    {"1.", true, 1},
    {".5", true, 0.5},
    {"007", true, 7},
    {"1e5", true, 1e5},
    {"1E-2", true, 0.01},
    {"1.5e+2", true, 150},
    {"-2.5E3", true, -2500},
    // Not a number of the accepted form, or not finite: reads as 0 (not entered).
    {"", false, 0},
    {"   ", false, 0},
    {"abc", false, 0},
    {"12abc", false, 0},
    {"1,5", false, 0},  // the decimal separator is always "."
    {"0x10", false, 0},
    {"1e", false, 0},
    {"1e+", false, 0},
    {".", false, 0},
    {"+", false, 0},
    {"- 1", false, 0},
    {"1 2", false, 0},
    {"++1", false, 0},
    {"1e999", false, 0},
    {"-1e999", false, 0},
    {"nan", false, 0},
    {"inf", false, 0},
    {"infinity", false, 0},
};

TEST(ReadNumberTest, AcceptedFormsAndEverythingElseAsZero)
{
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        const double read = ReadNumber(c.text);
        EXPECT_TRUE(std::isfinite(read));
        EXPECT_DOUBLE_EQ(read, c.value);

        double converted = 12345;
        EXPECT_EQ(TryConvertNumber(c.text, converted), c.converts);
        if (c.converts) {
            EXPECT_DOUBLE_EQ(converted, c.value);
        } else {
            EXPECT_EQ(converted, 12345) << "a failed conversion leaves the value alone";
        }
    }
}

TEST(ReadNumberTest, DecimalTextsGiveTheNearestDouble)
{
    // The coefficient and Kv bounds are compared with literals, so "0.4" must read as
    // exactly the double 0.4, and so on.
    EXPECT_EQ(ReadNumber("0.4"), 0.4);
    EXPECT_EQ(ReadNumber("0.06"), 0.06);
    EXPECT_EQ(ReadNumber("0.750001"), 0.750001);
    EXPECT_EQ(ReadNumber("0.15001"), 0.15001);
}

TEST(ReadNumberTest, DigitsAndPowersAtTheLimitsOfExactArithmeticStillGiveTheNearestDouble)
{
    // Short texts are converted by one multiplication or division; longer mantissas and
    // larger powers of ten by the library. Both sides of each limit give the double
    // nearest to the text.
    struct Case {
        const char* text;
        double value;
    } const cases[] = {
        {"9007199254740992", 9007199254740992.0},    // 2^53
        {"9007199254740993", 9007199254740992.0},    // 2^53 + 1: halfway, to even
        {"9007199254740995", 9007199254740996.0},    // halfway, to even
        {"90071992547409930", 90071992547409930.0},  // one digit more
        {"0.1", 0.1},
        {"0.3", 0.3},
        {"123.456", 123.456},
        {"0.000001", 0.000001},
        {"1e22", 1e22},
        {"1e23", 1e23},  // 10^23 is no double: the nearest one
        {"1e-22", 1e-22},
        {"1e-23", 1e-23},
        {"4.35e-22", 4.35e-22},
        {"8.5e-23", 8.5e-23},
        {"12345678901234567890", 12345678901234567890.0},
        {"0.00000000000000000000000000001", 1e-29},
        {"-7.25e3", -7250.0},
        {"2.5e00000000000000000000001", 25.0},
        {"1e-400", 0},  // too small for a double: not converted, reads as 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReadNumber(c.text), c.value);
    }
    EXPECT_TRUE(std::signbit(ReadNumber("-0.0")));
}

}  // namespace
}  // namespace rockpile

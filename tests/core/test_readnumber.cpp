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

}  // namespace
}  // namespace rockpile

// The plain rules of the input page against literal tables.
#include <gtest/gtest.h>

#include <string>

#include "core/PageRules.h"

namespace rockpile {
namespace {

struct RulesCase {
    StrengthMode strength;
    CoefficientMode coefficients;
    InterpolationBasis basis;
    bool expanded;
    bool boredPile;
    const char* visible;  // columns 0 to 21, '1' shown
    bool coefficientMode;
    bool interpolation;
    bool reduction;
};

using S = StrengthMode;
using C = CoefficientMode;
using B = InterpolationBasis;

const RulesCase kRulesCases[] = {
    // The start: columns 0, 1, 3 and 5.
    {S::CompressiveStrength, C::Automatic, B::IntegrityClass, false, true, "1101010000000000000000", true, true, true},
    {S::CompressiveStrength, C::Manual, B::IntegrityClass, false, true, "1100011100000000000000", true, false, false},
    {S::CompressiveStrength, C::Larger, B::IntegrityIndex, false, false, "1100111100000000000000", true, true, false},
    {S::CompressiveStrength, C::Smaller, B::IntegrityClass, true, true, "1101011111111111111000", true, true, true},
    {S::CompressiveStrength, C::Automatic, B::IntegrityIndex, true, false, "1100110011111111111000", true, true, false},
    {S::GivenResistances, C::Automatic, B::IntegrityClass, false, true, "1100000000110000000000", false, false, false},
    {S::GivenResistances, C::Manual, B::IntegrityIndex, true, true, "1100000000111111111000", false, false, false},
};

TEST(PageRulesTest, RockRulesFollowTheModes)
{
    for (const RulesCase& c : kRulesCases) {
        const RockControlRules rules = RockRules(c.strength, c.coefficients, c.basis, c.expanded, c.boredPile);
        std::string visible;
        for (bool shown : rules.columnVisible) visible += shown ? '1' : '0';
        SCOPED_TRACE(c.visible);
        EXPECT_EQ(visible, c.visible);
        EXPECT_EQ(rules.coefficientModeEnabled, c.coefficientMode);
        EXPECT_EQ(rules.interpolationEnabled, c.interpolation);
        EXPECT_EQ(rules.reductionEnabled, c.reduction);
    }
}

TEST(PageRulesTest, CurrencyTextKeepsTwoDecimals)
{
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1.00"},        {" 25 ", "25.00"},   {"0.5", "0.50"},     {"8400", "8400.00"},
        {"-1.2", "-1.20"},    {"-0", "0.00"},      {"0", "0.00"},       {"1e3", "1000.00"},
        {"0.125", "0.13"},    {"-0.125", "-0.13"}, {"2.675", "2.67"},   {"0.375", "0.38"},
        {"12.345", "12.35"},  {"1.005", "1.00"},   {"", ""},            {"-", ""},
        {"+", ""},            {".", ""},           {"abc", ""},         {"1e400", ""},
    };
    for (const auto& [typed, kept] : cases) EXPECT_EQ(CurrencyText(typed), kept) << '"' << typed << '"';
}

}  // namespace
}  // namespace rockpile

// Rock hardness, the coefficients from the integrity of the rock mass, and the colour
// of the message kinds.

#include <gtest/gtest.h>

#include <string>

#include "core/Coefficients.h"
#include "core/ComputePile.h"

namespace rockpile {
namespace {

TEST(HardnessClassTest, EachBoundBelongsToTheSofterClass)
{
    const struct {
        double frk;
        const char* text;
    } cases[] = {
        {0.01, "极软岩"}, {3, "极软岩"},  {5, "极软岩"},    {5.01, "软岩"},   {15, "软岩"},
        {15.01, "较软岩"}, {25, "较软岩"}, {30, "较软岩"}, {30.01, "较硬岩"}, {40, "较硬岩"},
        {60, "较硬岩"},   {60.01, "坚硬岩"}, {200, "坚硬岩"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frk);
        EXPECT_EQ(HardnessClass(c.frk), c.text);
        EXPECT_EQ(HardnessText(c.frk), c.text);
    }
}

TEST(InterpolateTest, StraightLineThroughTwoPointsAlsoOutside)
{
    EXPECT_NEAR(Interpolate(0.55, 0.5, 0.75, 0.6, 0.65), 0.55, 1e-12);
    EXPECT_NEAR(Interpolate(0.55, 0.5, 0.75, 0.6, 0.55), 0.5, 1e-12);
    EXPECT_NEAR(Interpolate(0.55, 0.5, 0.75, 0.6, 0.75), 0.6, 1e-12);
    EXPECT_NEAR(Interpolate(0, 0, 1, 2, 3), 6, 1e-12);    // beyond x1
    EXPECT_NEAR(Interpolate(1, 1, 2, 3, -1), -3, 1e-12);  // before x0
    EXPECT_NEAR(Interpolate(0, 5, 1, 1, 0.5), 3, 1e-12);  // falling line
}

TEST(AutoCoefficientsTest, FromTheIntegrityClassText)
{
    const struct {
        const char* text;
        double c1;
        double c2;
        const char* remark;
    } cases[] = {
        {"完整", 0.6, 0.06, "岩体完整"},       {"较完整", 0.6, 0.06, "岩体较完整"},
        {"较破碎", 0.5, 0.05, "岩体较破碎"},   {"破碎", 0.4, 0.04, "岩体破碎"},
        {"极破碎", 0.4, 0.04, "岩体极破碎"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        AutoCoefficients out;
        ASSERT_TRUE(AutoCoefficientsFromClass(c.text, out));
        EXPECT_NEAR(out.c1, c.c1, 1e-12);
        EXPECT_NEAR(out.c2, c.c2, 1e-12);
        EXPECT_EQ(out.integrity, c.remark);
    }
}

TEST(AutoCoefficientsTest, OnlyTheFiveClassTextsCount)
{
    // Compared character for character: no trimming, no partial match.
    for (const char* text : {"", "完整 ", " 完整", "较", "微风化", "岩体完整", "破碎破碎"}) {
        SCOPED_TRACE(text);
        AutoCoefficients out;
        EXPECT_FALSE(AutoCoefficientsFromClass(text, out));
    }
}

TEST(AutoCoefficientsTest, FromTheIntegrityIndexByBand)
{
    const struct {
        double kv;
        double c1;
        double c2;
        const char* remark;
    } cases[] = {
        {1, 0.6, 0.06, "岩体完整"},
        {0.8, 0.6, 0.06, "岩体完整"},
        {0.7500011, 0.6, 0.06, "岩体完整"},
        // 0.75 itself and the threshold 0.750001 belong to the lower band, where the
        // line reaches 0.6 / 0.06.
        {0.750001, 0.6000005, 0.06000005, "岩体较完整"},
        {0.75, 0.6, 0.06, "岩体较完整"},
        {0.65, 0.55, 0.055, "岩体较完整"},
        {0.5500011, 0.50000055, 0.050000055, "岩体较完整"},
        {0.550001, 0.5000005, 0.05000005, "岩体较破碎"},
        {0.55, 0.5, 0.05, "岩体较破碎"},
        {0.45, 0.45, 0.045, "岩体较破碎"},
        {0.3500011, 0.40000055, 0.040000055, "岩体较破碎"},
        {0.350001, 0.4, 0.04, "岩体破碎"},
        {0.35, 0.4, 0.04, "岩体破碎"},
        {0.2, 0.4, 0.04, "岩体破碎"},
        // The last bound is 0.15001, not 0.150001.
        {0.15001, 0.4, 0.04, "岩体破碎"},
        {0.150009, 0.4, 0.04, "岩体极破碎"},
        {0.15, 0.4, 0.04, "岩体极破碎"},
        {0.0001, 0.4, 0.04, "岩体极破碎"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kv);
        const AutoCoefficients out = AutoCoefficientsFromKv(c.kv);
        EXPECT_NEAR(out.c1, c.c1, 1e-10);
        EXPECT_NEAR(out.c2, c.c2, 1e-11);
        EXPECT_EQ(out.integrity, c.remark);
    }
}

TEST(AutoCoefficientsTest, SoftRockFactorOnlyForSoftAndModeratelySoftRock)
{
    EXPECT_TRUE(SoftRockFactorApplies("软岩"));
    EXPECT_TRUE(SoftRockFactorApplies("较软岩"));
    EXPECT_FALSE(SoftRockFactorApplies("极软岩"));
    EXPECT_FALSE(SoftRockFactorApplies("较硬岩"));
    EXPECT_FALSE(SoftRockFactorApplies("坚硬岩"));
}

TEST(MessageColourTest, ByKind)
{
    EXPECT_EQ(MessageColour(MessageKind::Error), 0xFFFF0000u);
    EXPECT_EQ(MessageColour(MessageKind::Hint), 0xFFFF00FFu);
    EXPECT_EQ(MessageColour(MessageKind::Information), 0xFF000000u);
    EXPECT_EQ(MessageColour(MessageKind::Note), std::nullopt) << "a note keeps the status line's colour";
}

TEST(StatusEventTest, FactoriesFillTheirFields)
{
    const StatusEvent shown = StatusEvent::Message(MessageKind::Hint, "文本");
    EXPECT_EQ(shown.type, StatusEvent::Type::ShowMessage);
    EXPECT_EQ(shown.kind, MessageKind::Hint);
    EXPECT_EQ(shown.text, "文本");

    EXPECT_EQ(StatusEvent::Clear().type, StatusEvent::Type::ClearStatusLine);

    const StatusEvent colour = StatusEvent::Colour(StatusTarget::ReductionFactor, kRed);
    EXPECT_EQ(colour.type, StatusEvent::Type::SetColour);
    EXPECT_EQ(colour.target, StatusTarget::ReductionFactor);
    EXPECT_EQ(colour.colour, 0xFFFF0000u);
}

}  // namespace
}  // namespace rockpile

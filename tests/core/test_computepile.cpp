// Worked examples of the calculation: geometry, coefficients by mode, resistances,
// Ra, the shares and the verdict. Every test builds its PileInput in code.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CoreTestSupport.h"
#include "core/ComputePile.h"

namespace rockpile {
namespace {

using namespace test;

// Runs a calculation that must complete.
PileResult Complete(const PileInput& input)
{
    const ComputeOutcome outcome = ComputePile(input);
    EXPECT_FALSE(outcome.stopped()) << *outcome.stopError;
    EXPECT_EQ(outcome.result.layers.size(), input.layers.size());
    return outcome.result;
}

TEST(ComputePileTest, DefaultsAtStart)
{
    const ComputeOutcome outcome = ComputePile(PileInput::StartDefaults());
    ASSERT_FALSE(outcome.stopped());
    const PileResult& r = outcome.result;
    EXPECT_NEAR(r.perimeter, 3141.59, kCent);
    EXPECT_NEAR(r.area, 785398.16, kCent);
    EXPECT_NEAR(r.hr, 1.0, 1e-12);
    ASSERT_EQ(r.layers.size(), 1u);

    const LayerResult& layer = r.layers[0];
    EXPECT_TRUE(layer.complete);
    EXPECT_EQ(layer.hardness, "较软岩");
    EXPECT_EQ(layer.remark, "较软岩,岩体较完整");
    // 0.6 × 0.7 (bored pile) × 0.8 (exposed soft rock), and the same for C2.
    EXPECT_NEAR(layer.c1Auto, 0.336, 1e-12);
    EXPECT_NEAR(layer.c2Auto, 0.0336, 1e-12);
    EXPECT_NEAR(layer.c1, 0.336, 1e-12);
    EXPECT_NEAR(layer.c2, 0.0336, 1e-12);
    EXPECT_NEAR(layer.qpa, 8400, 1e-6);
    EXPECT_NEAR(layer.qra, 840, 1e-6);
    EXPECT_NEAR(layer.rria, 2638.94, kCent);
    EXPECT_NEAR(layer.sumRria, 2638.94, kCent);
    EXPECT_NEAR(layer.share, 28.57, kCent);
    EXPECT_TRUE(layer.carriesPileEnd);
    EXPECT_NEAR(layer.rpa, 6597.34, kCent);
    EXPECT_NEAR(layer.ra, 9236.28, kCent);

    EXPECT_NEAR(r.sumRria, 2638.94, kCent);
    EXPECT_NEAR(r.rpa, 6597.34, kCent);
    EXPECT_NEAR(r.ra, 9236.28, kCent);
    EXPECT_NEAR(r.rpaShare, 71.43, kCent);
    EXPECT_FALSE(r.manualCoefficientsAdopted);
    EXPECT_EQ(r.clause, "第10.2.4条");
    EXPECT_EQ(r.verdict, "合规");

    EXPECT_TRUE(outcome.corrections.empty());
    EXPECT_EQ(outcome.events, Join({SectionPassed(), FactorPassed()}));
}

TEST(ComputePileTest, TwoLayersShareTheSideResistanceAndTheLastCarriesThePileEnd)
{
    PileInput input = Defaults(2);
    input.layers[1].lr = "1.5";
    const PileResult r = Complete(input);
    ASSERT_EQ(r.layers.size(), 2u);
    EXPECT_NEAR(r.hr, 2.5, 1e-12);
    EXPECT_NEAR(r.layers[0].rria, 2638.94, kCent);
    EXPECT_NEAR(r.layers[1].rria, 3958.41, kCent);
    EXPECT_NEAR(r.layers[0].sumRria, 2638.94, kCent);
    EXPECT_NEAR(r.layers[1].sumRria, 6597.34, kCent);
    EXPECT_NEAR(r.ra, 13194.69, kCent);
    EXPECT_NEAR(r.layers[0].share, 20.00, kCent);
    EXPECT_NEAR(r.layers[1].share, 30.00, kCent);
    EXPECT_NEAR(r.rpaShare, 50.00, kCent);
    EXPECT_FALSE(r.layers[0].carriesPileEnd);
    EXPECT_EQ(r.layers[0].ra, 0);
    EXPECT_EQ(r.layers[0].rpa, 0);
    EXPECT_TRUE(r.layers[1].carriesPileEnd);
    EXPECT_NEAR(r.layers[1].ra, 13194.69, kCent);
    EXPECT_NEAR(r.layers[1].rpa, 6597.34, kCent);
}

TEST(ComputePileTest, NineLayersAddUp)
{
    PileInput input = Defaults(9);
    const PileResult r = Complete(input);
    EXPECT_NEAR(r.hr, 9.0, 1e-12);
    EXPECT_NEAR(r.layers[8].sumRria, 9 * 2638.9378, 0.01);
    EXPECT_NEAR(r.ra, 9 * 2638.9378 + 6597.3446, 0.01);
    double shares = r.rpaShare;
    for (const LayerResult& layer : r.layers) shares += layer.share;
    EXPECT_NEAR(shares, 100, 1e-9);
}

TEST(ComputePileTest, SquareIsARectangleWithEqualSidesAndIsRewritten)
{
    PileInput input = Defaults();
    input.sectionType = SectionType::Rectangle;
    input.a = "1000.0";
    input.b = "1000";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    EXPECT_EQ(outcome.corrections, std::vector<Correction>{Exchange(1000, 1000)});
    const PileResult& r = outcome.result;
    EXPECT_NEAR(r.perimeter, 4000, 1e-9);
    EXPECT_NEAR(r.area, 1'000'000, 1e-6);
    EXPECT_NEAR(r.layers[0].rria, 3360, 1e-6);
    EXPECT_NEAR(r.rpa, 8400, 1e-6);
    EXPECT_NEAR(r.ra, 11760, 1e-6);
    EXPECT_EQ(outcome.events, Join({SectionPassed(), FactorPassed()}));

    // The design search's own kind for a square computes the same way.
    input.sectionType = SectionType::Square;
    EXPECT_NEAR(Complete(input).ra, 11760, 1e-6);
}

TEST(ComputePileTest, RectangleSidesExchangedWhenTheShortSideIsTheLonger)
{
    PileInput input = Defaults();
    input.sectionType = SectionType::Rectangle;
    input.a = "1200";
    input.b = "1500";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    EXPECT_EQ(outcome.corrections, std::vector<Correction>{Exchange(1500, 1200)});
    EXPECT_NEAR(outcome.result.perimeter, 5400, 1e-9);
    EXPECT_NEAR(outcome.result.area, 1'800'000, 1e-6);
    EXPECT_NEAR(outcome.result.ra, 4536 + 15120, 1e-6);

    // Already in order: nothing to correct, same figures.
    input.a = "1500";
    input.b = "1200";
    const ComputeOutcome ordered = ComputePile(input);
    EXPECT_TRUE(ordered.corrections.empty());
    EXPECT_NEAR(ordered.result.ra, 4536 + 15120, 1e-6);
}

TEST(ComputePileTest, Ellipse)
{
    PileInput input = Defaults();
    input.sectionType = SectionType::Ellipse;
    input.d = "1000";
    input.c = "500";
    const PileResult r = Complete(input);
    EXPECT_NEAR(r.perimeter, 4141.59, kCent);
    EXPECT_NEAR(r.area, 1285398.16, kCent);
    EXPECT_NEAR(r.ra, 14276.28, kCent);
}

TEST(ComputePileTest, CircularSectionIgnoresTheStraightSegment)
{
    // The second size control is not a size of a circular pile: whatever it holds
    // is neither tested nor used.
    for (const char* c : {"0", "-1", "abc", "500"}) {
        SCOPED_TRACE(c);
        PileInput input = Defaults();
        input.c = c;
        const ComputeOutcome outcome = ComputePile(input);
        ASSERT_FALSE(outcome.stopped());
        EXPECT_NEAR(outcome.result.perimeter, 3141.59, kCent);
        EXPECT_NEAR(outcome.result.ra, 9236.28, kCent);
        EXPECT_EQ(outcome.events, Join({SectionPassed(), FactorPassed()}));
    }
}

TEST(ComputePileTest, ShallowSocketDropsTheSideResistanceOfEveryLayer)
{
    PileInput input = Defaults();
    input.layers[0].lr = "0.40";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    const PileResult& r = outcome.result;
    EXPECT_EQ(r.layers[0].c2, 0);
    EXPECT_NEAR(r.layers[0].c2Auto, 0.0336, 1e-12) << "the automatic value is kept";
    EXPECT_NEAR(r.layers[0].c1, 0.336, 1e-12);
    EXPECT_EQ(r.layers[0].qra, 0);
    EXPECT_EQ(r.layers[0].rria, 0);
    EXPECT_NEAR(r.ra, 6597.34, kCent);
    EXPECT_NEAR(r.rpa, 6597.34, kCent);
    EXPECT_NEAR(r.rpaShare, 100, 1e-9);
    EXPECT_EQ(r.layers[0].share, 0);
    EXPECT_EQ(outcome.events,
              Join({SectionPassed(), FactorPassed(), {Info("桩身嵌岩深度<0.5m，不计侧阻力")}}));

    // The depth of the whole pile counts, not that of the layer: 0.3 + 0.3 keeps it.
    input = Defaults(2);
    input.layers[0].lr = "0.3";
    input.layers[1].lr = "0.3";
    const PileResult two = Complete(input);
    EXPECT_NEAR(two.layers[0].rria, 840 * 0.3 * 3.14159265, 1e-3);
    EXPECT_NEAR(two.layers[1].rria, 840 * 0.3 * 3.14159265, 1e-3);
}

TEST(ComputePileTest, SocketOfExactlyHalfAMetreKeepsTheSideResistance)
{
    PileInput input = Defaults();
    input.layers[0].lr = "0.50";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    EXPECT_NEAR(outcome.result.layers[0].c2, 0.0336, 1e-12);
    EXPECT_NEAR(outcome.result.layers[0].rria, 1319.47, kCent);
    EXPECT_NEAR(outcome.result.ra, 7916.81, kCent);
    EXPECT_EQ(outcome.events, Join({SectionPassed(), FactorPassed()}));
}

TEST(ComputePileTest, GivenResistances)
{
    PileInput input = Defaults();
    input.strengthMode = StrengthMode::GivenResistances;
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    const PileResult& r = outcome.result;
    EXPECT_NEAR(r.ra, 9236.28, kCent);
    EXPECT_NEAR(r.rpa, 6597.34, kCent);
    EXPECT_EQ(r.clause, "第10.2.5条");
    EXPECT_EQ(r.verdict, "合规");
    EXPECT_FALSE(r.manualCoefficientsAdopted);
    const LayerResult& layer = r.layers[0];
    EXPECT_EQ(layer.hardness, "");
    EXPECT_EQ(layer.remark, "");
    EXPECT_EQ(layer.c1, 0);
    EXPECT_EQ(layer.c2, 0);
    EXPECT_EQ(layer.c1Auto, 0);
    EXPECT_EQ(layer.c2Auto, 0);
    EXPECT_EQ(layer.qpa, 8400);
    EXPECT_EQ(layer.qra, 840);
    // Neither coefficients nor the reduction factor are looked at.
    EXPECT_EQ(outcome.events, SectionPassed());
}

TEST(ComputePileTest, GivenResistancesOnlyTheLastQpaCountsAndShallowSocketsKeepTheirSides)
{
    PileInput input = Defaults(2);
    input.strengthMode = StrengthMode::GivenResistances;
    input.reductionFactor = "5";  // not used in this mode
    input.layers[0].lr = "0.2";
    input.layers[0].qpaGiven = "5000";
    input.layers[0].qraGiven = "500";
    input.layers[1].lr = "0.2";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    const PileResult& r = outcome.result;
    EXPECT_EQ(r.layers[0].qpa, 5000);
    EXPECT_NEAR(r.layers[0].rria, 500 * 0.2 * 3.14159265, 1e-4);
    EXPECT_NEAR(r.layers[1].rria, 840 * 0.2 * 3.14159265, 1e-4);
    EXPECT_NEAR(r.rpa, 6597.34, kCent);
    EXPECT_NEAR(r.ra, 6597.3446 + 1340 * 0.2 * 3.14159265, 1e-3);
    EXPECT_EQ(outcome.events, SectionPassed()) << "no shallow-socket message in this mode";
}

// Coefficients as each mode settles them (one layer, frk 25 "较软岩" with both
// reductions unless the case says otherwise).
struct ModeCase {
    const char* name;
    CoefficientMode mode;
    const char* c1Manual;
    const char* c2Manual;
    bool boredPile;
    bool softRock;
    double c1Auto;
    double c2Auto;
    double c1;
    double c2;
    const char* verdict;
};

void PrintTo(const ModeCase& c, std::ostream* os) { *os << c.name; }

const ModeCase kModeCases[] = {
    {"ManualAlwaysBeyondStandard", CoefficientMode::Manual, "0.5", "0.05", true, true, 0, 0, 0.5, 0.05, "超规"},
    {"AutomaticAlwaysCompliant", CoefficientMode::Automatic, "0.9", "0.09", true, true, 0.336, 0.0336, 0.336, 0.0336,
     "合规"},
    {"LargerTakesManual", CoefficientMode::Larger, "0.5", "0.04", true, true, 0.336, 0.0336, 0.5, 0.04, "超规"},
    {"LargerKeepsAutomatic", CoefficientMode::Larger, "0.3", "0.03", true, true, 0.336, 0.0336, 0.336, 0.0336,
     "合规"},
    {"SmallerKeepsAutomatic", CoefficientMode::Smaller, "0.5", "0.04", true, true, 0.336, 0.0336, 0.336, 0.0336,
     "合规"},
    {"SmallerTakesManualC2Only", CoefficientMode::Smaller, "0.5", "0.03", true, true, 0.336, 0.0336, 0.336, 0.03,
     "超规"},
    // Equality takes the manual value and marks the verdict.
    {"LargerEqualTakesManual", CoefficientMode::Larger, "0.5", "0.06", false, false, 0.6, 0.06, 0.6, 0.06, "超规"},
    {"SmallerEqualTakesManual", CoefficientMode::Smaller, "0.6", "0.07", false, false, 0.6, 0.06, 0.6, 0.06,
     "超规"},
    // An empty manual value reads as 0 and loses against the larger automatic one.
    {"LargerEmptyManual", CoefficientMode::Larger, "", "", true, true, 0.336, 0.0336, 0.336, 0.0336, "合规"},
    {"SmallerZeroManual", CoefficientMode::Smaller, "0", "0.05", true, true, 0.336, 0.0336, 0, 0.0336, "超规"},
    // Reductions one by one.
    {"BoredOnly", CoefficientMode::Automatic, "", "", true, false, 0.42, 0.042, 0.42, 0.042, "合规"},
    {"SoftRockOnly", CoefficientMode::Automatic, "", "", false, true, 0.48, 0.048, 0.48, 0.048, "合规"},
    {"NoReduction", CoefficientMode::Automatic, "", "", false, false, 0.6, 0.06, 0.6, 0.06, "合规"},
};

class CoefficientModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(CoefficientModeTest, AdoptsAndJudges)
{
    const ModeCase& c = GetParam();
    PileInput input = Defaults();
    input.coefficientMode = c.mode;
    input.boredPile = c.boredPile;
    input.softRockExposed = c.softRock;
    input.layers[0].c1Manual = c.c1Manual;
    input.layers[0].c2Manual = c.c2Manual;
    const PileResult r = Complete(input);
    const LayerResult& layer = r.layers[0];
    EXPECT_NEAR(layer.c1Auto, c.c1Auto, 1e-12);
    EXPECT_NEAR(layer.c2Auto, c.c2Auto, 1e-12);
    EXPECT_NEAR(layer.c1, c.c1, 1e-12);
    EXPECT_NEAR(layer.c2, c.c2, 1e-12);
    EXPECT_NEAR(layer.qpa, c.c1 * 25'000, 1e-6);
    EXPECT_NEAR(layer.qra, c.c2 * 25'000, 1e-6);
    EXPECT_EQ(r.verdict, c.verdict);
    EXPECT_EQ(r.manualCoefficientsAdopted, std::string(c.verdict) == "超规");
    EXPECT_EQ(layer.remark, c.mode == CoefficientMode::Manual ? "" : "较软岩,岩体较完整");
    EXPECT_EQ(layer.hardness, "较软岩");
}

INSTANTIATE_TEST_SUITE_P(Modes, CoefficientModeTest, ::testing::ValuesIn(kModeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ComputePileTest, ManualModeResistances)
{
    PileInput input = Defaults();
    input.coefficientMode = CoefficientMode::Manual;
    input.layers[0].c1Manual = "0.5";
    input.layers[0].c2Manual = "0.05";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    EXPECT_NEAR(outcome.result.ra, 13744.47, kCent);
    EXPECT_EQ(outcome.result.verdict, "超规");
    // Neither the reduction factor test nor any hint: both are in range.
    EXPECT_EQ(outcome.events, SectionPassed());
}

TEST(ComputePileTest, SoftRockFactorFollowsTheHardnessOfEachLayer)
{
    const struct {
        const char* frk;
        const char* hardness;
        double c1;
    } cases[] = {
        {"3", "极软岩", 0.42}, {"10", "软岩", 0.336}, {"25", "较软岩", 0.336}, {"40", "较硬岩", 0.42},
        {"80", "坚硬岩", 0.42},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frk);
        PileInput input = Defaults();
        input.layers[0].frk = c.frk;
        const LayerResult layer = Complete(input).layers[0];
        EXPECT_EQ(layer.hardness, c.hardness);
        EXPECT_EQ(layer.remark, std::string(c.hardness) + ",岩体较完整");
        EXPECT_NEAR(layer.c1, c.c1, 1e-12);
        EXPECT_NEAR(layer.c2, c.c1 / 10, 1e-12);
        EXPECT_NEAR(layer.qpa, c.c1 * ReadNumber(c.frk) * 1000, 1e-6);
    }
}

TEST(ComputePileTest, IntegrityIndexBasisIgnoresTheClassText)
{
    PileInput input = Defaults();
    input.interpolationBasis = InterpolationBasis::IntegrityIndex;
    input.boredPile = false;
    input.softRockExposed = false;
    input.layers[0].integrityText = "";
    input.layers[0].frk = "40";
    input.layers[0].kv = "0.45";
    const LayerResult layer = Complete(input).layers[0];
    EXPECT_EQ(layer.remark, "较硬岩,岩体较破碎");
    EXPECT_NEAR(layer.c1, 0.45, 1e-12);
    EXPECT_NEAR(layer.c2, 0.045, 1e-12);

    input.layers[0].kv = "1";
    EXPECT_EQ(Complete(input).layers[0].remark, "较硬岩,岩体完整");
}

TEST(ComputePileTest, ReductionFactorUncheckedBoredPileReadsAsZeroAndIsNotApplied)
{
    PileInput input = Defaults();
    input.boredPile = false;
    input.reductionFactor = "abc";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    EXPECT_NEAR(outcome.result.layers[0].c1, 0.48, 1e-12);
    EXPECT_NEAR(outcome.result.ra, 13194.69, kCent);
    EXPECT_EQ(outcome.events, Join({SectionPassed(), FactorPassed()}));
}

TEST(ComputePileTest, ReductionFactorWithBlanksIsApplied)
{
    PileInput input = Defaults();
    input.softRockExposed = false;
    input.reductionFactor = " 0.85";
    EXPECT_NEAR(Complete(input).layers[0].c1, 0.6 * 0.85, 1e-12);
}

TEST(ComputePileTest, NoNegativeZeroReachesAResult)
{
    // "-0" reads as a zero; results must not carry its sign (it would print as "-0").
    PileInput input = Defaults(2);
    input.layers[0].lr = "-0";
    input.reductionFactor = "-0";
    input.coefficientMode = CoefficientMode::Larger;
    input.layers[1].c1Manual = "-0";
    input.layers[1].c2Manual = "0.05";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_FALSE(outcome.stopped());
    for (const LayerResult& layer : outcome.result.layers) {
        for (double value : {layer.c1, layer.c2, layer.c1Auto, layer.c2Auto, layer.qpa, layer.qra, layer.rria,
                             layer.sumRria, layer.share}) {
            EXPECT_FALSE(std::signbit(value));
        }
    }
    EXPECT_FALSE(std::signbit(outcome.result.rpa));
}

TEST(ComputePileTest, ClauseAndVerdictFollowTheModes)
{
    PileInput input = Defaults();
    EXPECT_EQ(Complete(input).clause, "第10.2.4条");
    input.coefficientMode = CoefficientMode::Manual;
    EXPECT_EQ(Complete(input).clause, "第10.2.4条");
    input.strengthMode = StrengthMode::GivenResistances;
    const PileResult given = Complete(input);
    EXPECT_EQ(given.clause, "第10.2.5条");
    EXPECT_EQ(given.verdict, "合规") << "the coefficient mode does not count with given resistances";
}

TEST(ComputePileTest, OneManualLayerMarksTheWholePile)
{
    PileInput input = Defaults(3);
    input.coefficientMode = CoefficientMode::Larger;
    input.layers[0].c1Manual = "0.1";
    input.layers[0].c2Manual = "0.01";
    input.layers[1].c1Manual = "0.45";  // the only manual value taken
    input.layers[1].c2Manual = "0.01";
    input.layers[2].c1Manual = "0.1";
    input.layers[2].c2Manual = "0.01";
    const PileResult r = Complete(input);
    EXPECT_NEAR(r.layers[0].c1, 0.336, 1e-12);
    EXPECT_NEAR(r.layers[1].c1, 0.45, 1e-12);
    EXPECT_NEAR(r.layers[2].c1, 0.336, 1e-12);
    EXPECT_TRUE(r.manualCoefficientsAdopted);
    EXPECT_EQ(r.verdict, "超规");
}

// A run that records no status events gives the same result, corrections and stop as
// one that does, whatever path the checks take.
TEST(ComputePileTest, ARunWithoutEventsGivesTheSameOutcome)
{
    struct Case {
        const char* name;
        PileInput input;
    };
    std::vector<Case> cases;
    cases.push_back({"defaults", Defaults()});
    {
        PileInput input = Defaults(2);
        input.sectionType = SectionType::Rectangle;
        input.a = "800";
        input.b = "1200";
        input.layers[0].lr = "0";
        cases.push_back({"rectangle exchanged, lr not entered", input});
    }
    {
        PileInput input = Defaults(3);
        input.coefficientMode = CoefficientMode::Manual;
        input.layers[1].c1Manual = "0.9";
        input.layers[2].c2Manual = "0";
        cases.push_back({"manual: a hint and a note", input});
    }
    {
        PileInput input = Defaults(2);
        input.layers[1].lr = "0.2";
        input.layers[0].lr = "0.2";
        input.interpolationBasis = InterpolationBasis::IntegrityIndex;
        cases.push_back({"shallow socket by index", input});
    }
    {
        PileInput input = Defaults(2);
        input.layers[1].frk = "0";
        cases.push_back({"stop at the second layer", input});
    }
    {
        PileInput input = Defaults();
        input.d = "-5";
        cases.push_back({"stop at the size", input});
    }
    {
        PileInput input = Defaults(2);
        input.strengthMode = StrengthMode::GivenResistances;
        input.layers[0].qraGiven = "0";
        cases.push_back({"given resistances", input});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ComputeOutcome full = ComputePile(c.input);
        const ComputeOutcome bare = ComputePile(c.input, ComputeRecord::ResultOnly);
        EXPECT_FALSE(full.events.empty());
        EXPECT_TRUE(bare.events.empty());
        EXPECT_EQ(bare.corrections, full.corrections);
        EXPECT_EQ(bare.stopError, full.stopError);
        const PileResult& a = bare.result;
        const PileResult& b = full.result;
        EXPECT_EQ(a.perimeter, b.perimeter);
        EXPECT_EQ(a.area, b.area);
        EXPECT_EQ(a.hr, b.hr);
        EXPECT_EQ(a.sumRria, b.sumRria);
        EXPECT_EQ(a.rpa, b.rpa);
        EXPECT_EQ(a.ra, b.ra);
        EXPECT_EQ(a.rpaShare, b.rpaShare);
        EXPECT_EQ(a.manualCoefficientsAdopted, b.manualCoefficientsAdopted);
        EXPECT_EQ(a.clause, b.clause);
        EXPECT_EQ(a.verdict, b.verdict);
        ASSERT_EQ(a.layers.size(), b.layers.size());
        for (std::size_t i = 0; i < a.layers.size(); ++i) {
            const LayerResult& x = a.layers[i];
            const LayerResult& y = b.layers[i];
            EXPECT_EQ(x.hardness, y.hardness);
            EXPECT_EQ(x.remark, y.remark);
            EXPECT_EQ(x.c1Auto, y.c1Auto);
            EXPECT_EQ(x.c2Auto, y.c2Auto);
            EXPECT_EQ(x.c1, y.c1);
            EXPECT_EQ(x.c2, y.c2);
            EXPECT_EQ(x.qpa, y.qpa);
            EXPECT_EQ(x.qra, y.qra);
            EXPECT_EQ(x.rria, y.rria);
            EXPECT_EQ(x.sumRria, y.sumRria);
            EXPECT_EQ(x.share, y.share);
            EXPECT_EQ(x.carriesPileEnd, y.carriesPileEnd);
            EXPECT_EQ(x.ra, y.ra);
            EXPECT_EQ(x.rpa, y.rpa);
            EXPECT_EQ(x.complete, y.complete);
            EXPECT_EQ(x.hasHardness, y.hasHardness);
            EXPECT_EQ(x.hasRemark, y.hasRemark);
        }
    }
}

}  // namespace
}  // namespace rockpile

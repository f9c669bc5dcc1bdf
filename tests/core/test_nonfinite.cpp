// Inputs that read as finite numbers but whose products overflow must stop the
// calculation before any infinity or NaN is kept in a result; finite results stay.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/ComputePile.h"
#include "core/PileInput.h"

namespace rockpile {
namespace {

// Every number that the compute run would write: the fields of each completed layer
// and, after a complete run, those of the pile.
bool AllShownValuesFinite(const ComputeOutcome& outcome)
{
    for (const LayerResult& layer : outcome.result.layers) {
        if (!layer.complete) continue;
        for (double value : {layer.c1Auto, layer.c2Auto, layer.c1, layer.c2, layer.qpa, layer.qra, layer.rria,
                             layer.sumRria, layer.share, layer.ra, layer.rpa})
            if (!std::isfinite(value)) return false;
    }
    if (outcome.stopped()) return true;
    const PileResult& r = outcome.result;
    for (double value : {r.perimeter, r.area, r.hr, r.sumRria, r.rpa, r.ra, r.rpaShare})
        if (!std::isfinite(value)) return false;
    return true;
}

struct OverflowCase {
    const char* name;
    void (*set)(PileInput&);
    const char* message;
};

class OverflowTest : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(OverflowTest, StopsWithTheMessageBeforeAnythingNonFinite)
{
    PileInput input = PileInput::StartDefaults();
    GetParam().set(input);
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_TRUE(outcome.stopped());
    EXPECT_EQ(*outcome.stopError, GetParam().message);
    EXPECT_TRUE(AllShownValuesFinite(outcome));
    EXPECT_EQ(outcome.result.verdict, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverflowTest,
    ::testing::Values(
        OverflowCase{"d_1e308", [](PileInput& in) { in.d = "1e308"; },
                     "单桩竖向承载力特征值Ra超出数值范围，请检查输入数据"},
        OverflowCase{"lr_1e308", [](PileInput& in) { in.layers[0].lr = "1e308"; },
                     "单桩竖向承载力特征值Ra超出数值范围，请检查输入数据"},
        OverflowCase{"frk_1e308", [](PileInput& in) { in.layers[0].frk = "1e308"; },
                     "第1层岩石端阻力特征值qpa超出数值范围，请检查输入数据"},
        OverflowCase{"qpa_1e308",
                     [](PileInput& in) {
                         in.strengthMode = StrengthMode::GivenResistances;
                         in.layers[0].qpaGiven = "1e308";
                     },
                     "单桩竖向承载力特征值Ra超出数值范围，请检查输入数据"},
        OverflowCase{"qra_1e308",
                     [](PileInput& in) {
                         in.strengthMode = StrengthMode::GivenResistances;
                         in.layers[0].qraGiven = "1e308";
                     },
                     "单桩竖向承载力特征值Ra超出数值范围，请检查输入数据"},
        // Given resistances, two layers of lr 1e308 and qra 0: Ra is finite, the socket
        // depth is not.
        OverflowCase{"given_two_layers_lr_1e308_qra_0",
                     [](PileInput& in) {
                         in.strengthMode = StrengthMode::GivenResistances;
                         in.layers.resize(2, in.layers[0]);
                         for (RockLayer& layer : in.layers) {
                             layer.lr = "1e308";
                             layer.qraGiven = "0";
                         }
                     },
                     "桩身嵌岩深度hr超出数值范围，请检查输入数据"},
        // Manual coefficients, layer 1 of 2 with frk 1e306 and C2 0: that layer's qpa
        // enters no formula but would be shown.
        OverflowCase{"manual_frk_1e306_c2_0",
                     [](PileInput& in) {
                         in.coefficientMode = CoefficientMode::Manual;
                         in.layers.resize(2, in.layers[0]);
                         in.layers[0].frk = "1e306";
                         in.layers[0].c2Manual = "0";
                     },
                     "第1层岩石端阻力特征值qpa超出数值范围，请检查输入数据"}),
    [](const ::testing::TestParamInfo<OverflowCase>& info) { return std::string(info.param.name); });

TEST(NonFiniteTest, RandomHugeAndTinyInputsNeverGiveNonFiniteResults)
{
    std::mt19937_64 random(20260305);
    const char* magnitudes[] = {"1e300", "1e-300", "1e308", "1e-308", "1e306", "1e154", "1e155", "1e-160",
                                "1000", "0.5", "25", "1.0", "0", "1.7976931348623157e308", "4.9e-324"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(magnitudes) - 1);
    std::uniform_int_distribution<int> mode(0, 3);
    int completed = 0;
    for (int run = 0; run < 20000; ++run) {
        PileInput input = PileInput::StartDefaults();
        input.sectionType = static_cast<SectionType>(1 + mode(random) % 3);
        input.d = input.a = magnitudes[pick(random)];
        input.c = input.b = magnitudes[pick(random)];
        input.strengthMode = static_cast<StrengthMode>(mode(random) % 2);
        input.coefficientMode = static_cast<CoefficientMode>(mode(random));
        input.layers.resize(std::size_t(1 + mode(random)), input.layers[0]);
        for (RockLayer& layer : input.layers) {
            layer.lr = magnitudes[pick(random)];
            layer.frk = magnitudes[pick(random)];
            layer.qpaGiven = magnitudes[pick(random)];
            layer.qraGiven = magnitudes[pick(random)];
            layer.c1Manual = mode(random) ? "0.5" : magnitudes[pick(random)];
            layer.c2Manual = mode(random) ? "0.05" : magnitudes[pick(random)];
        }
        const ComputeOutcome outcome = ComputePile(input);
        ASSERT_TRUE(AllShownValuesFinite(outcome)) << "run " << run;
        if (!outcome.stopped()) ++completed;
    }
    EXPECT_GT(completed, 100);
}

}  // namespace
}  // namespace rockpile

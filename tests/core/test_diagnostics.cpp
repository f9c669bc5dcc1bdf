// Every check of the input with its exact message, its place among the status events,
// the corrections it makes, and what a stop leaves in the outcome.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CoreTestSupport.h"
#include "core/ComputePile.h"

namespace rockpile {
namespace {

using namespace test;

struct DiagnosticCase {
    const char* name;
    PileInput (*input)();
    Events events;                        // all status events, in order
    const char* stop;                     // the error that stops the run; nullptr: it completes
    std::vector<Correction> corrections;  // in order
};

void PrintTo(const DiagnosticCase& c, std::ostream* os) { *os << c.name; }

PileInput GivenResistances(int layers = 1)
{
    PileInput input = Defaults(layers);
    input.strengthMode = StrengthMode::GivenResistances;
    return input;
}

PileInput WithCoefficientMode(CoefficientMode mode, int layers = 1)
{
    PileInput input = Defaults(layers);
    input.coefficientMode = mode;
    return input;
}

PileInput Rectangle(const char* a, const char* b)
{
    PileInput input = Defaults();
    input.sectionType = SectionType::Rectangle;
    input.a = a;
    input.b = b;
    return input;
}

PileInput Ellipse(const char* d, const char* c)
{
    PileInput input = Defaults();
    input.sectionType = SectionType::Ellipse;
    input.d = d;
    input.c = c;
    return input;
}

PileInput ByIndex(const char* kv)
{
    PileInput input = Defaults();
    input.interpolationBasis = InterpolationBasis::IntegrityIndex;
    input.layers[0].kv = kv;
    return input;
}

const StatusTarget kDd = StatusTarget::SizeField1;
const StatusTarget kTyzd = StatusTarget::SizeField2;
const char* const kShallow = "桩身嵌岩深度<0.5m，不计侧阻力";
const char* const kZeroRa = "单桩竖向承载力特征值Ra为0，请检查岩层参数";
const char* const kFactorError = "钻冲孔桩折减系数有错";
const char* const kC1Hint = "提示：第1层岩石端阻系数C1不在规范建议值0.4～0.6之内";
const char* const kC2Hint = "提示：第1层岩石侧阻系数C2不在规范建议值0.04～0.06之内";

const DiagnosticCase kCases[] = {
    // Section.
    {"DiameterZero",
     [] {
         PileInput in = Defaults();
         in.d = "0";
         return in;
     },
     {Error("桩身直径数据有错"), Red(kDd)}, "桩身直径数据有错", {}},
    {"DiameterNegativeEllipse", [] { return Ellipse("-5", "500"); }, {Error("桩身直径数据有错"), Red(kDd)},
     "桩身直径数据有错", {}},
    {"DiameterNotANumber",
     [] {
         PileInput in = Defaults();
         in.d = "1e999";
         return in;
     },
     {Error("桩身直径数据有错"), Red(kDd)}, "桩身直径数据有错", {}},
    {"StraightSegmentZero", [] { return Ellipse("1000", "0"); },
     {Cleared(), Black(kDd), Error("椭圆直段长度数据有错"), Red(kTyzd)}, "椭圆直段长度数据有错", {}},
    {"StraightSegmentText", [] { return Ellipse("1000", "abc"); },
     {Cleared(), Black(kDd), Error("椭圆直段长度数据有错"), Red(kTyzd)}, "椭圆直段长度数据有错", {}},
    {"LongSideEmpty", [] { return Rectangle("", "1000"); }, {Error("矩形长边尺寸数据有错"), Red(kDd)},
     "矩形长边尺寸数据有错", {}},
    {"ShortSideZero", [] { return Rectangle("1000", "0"); },
     {Cleared(), Black(kDd), Error("矩形短边尺寸数据有错"), Red(kTyzd)}, "矩形短边尺寸数据有错", {}},
    {"ShortSideNegativeIsNotExchanged", [] { return Rectangle("1000", "-2000"); },
     {Cleared(), Black(kDd), Error("矩形短边尺寸数据有错"), Red(kTyzd)}, "矩形短边尺寸数据有错", {}},
    {"RectangleExchangedBeforeTheLayerNotes",
     [] {
         PileInput in = Rectangle("1200", "1500");
         in.layers[0].lr = "";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石嵌岩深度未输入，隐含取0.00")}, FactorPassed(), {Info(kShallow)}}),
     nullptr, {Exchange(1500, 1200), ZeroCell(0, 1)}},

    // First pass: lr of every layer before any layer is computed.
    {"LrNegative",
     [] {
         PileInput in = Defaults();
         in.layers[0].lr = "-1";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩石嵌岩深度<0")}}), "第1层岩石嵌岩深度<0", {}},
    {"LrEmptyNoteIsWipedByTheFactorTest",
     [] {
         PileInput in = Defaults();
         in.layers[0].lr = "";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石嵌岩深度未输入，隐含取0.00")}, FactorPassed(), {Info(kShallow)}}),
     nullptr, {ZeroCell(0, 1)}},
    {"LrEmptyThenNegativeStopsInTheFirstPass",
     [] {
         PileInput in = Defaults(3);
         in.layers[1].lr = "";
         in.layers[2].lr = "-1";
         return in;
     },
     Join({SectionPassed(), {Note("第2层岩石嵌岩深度未输入，隐含取0.00"), Error("第3层岩石嵌岩深度<0")}}),
     "第3层岩石嵌岩深度<0", {ZeroCell(1, 1)}},
    {"LrNegativeInLayerNine",
     [] {
         PileInput in = Defaults(9);
         in.layers[8].lr = "-0.5";
         return in;
     },
     Join({SectionPassed(), {Error("第9层岩石嵌岩深度<0")}}), "第9层岩石嵌岩深度<0", {}},

    // Given resistances.
    {"QpaNegative",
     [] {
         PileInput in = GivenResistances();
         in.layers[0].qpaGiven = "-1";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩石端阻qpk<0")}}), "第1层岩石端阻qpk<0", {}},
    {"QpaEmpty",
     [] {
         PileInput in = GivenResistances();
         in.layers[0].qpaGiven = "";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石端阻未输入，隐含取0.00")}}), nullptr, {ZeroCell(0, 10)}},
    {"QraNegative",
     [] {
         PileInput in = GivenResistances();
         in.layers[0].qraGiven = "-840";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩石侧阻qsrk<0")}}), "第1层岩石侧阻qsrk<0", {}},
    {"QraZero",
     [] {
         PileInput in = GivenResistances();
         in.layers[0].qraGiven = "0";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石侧阻未输入，隐含取0.00")}}), nullptr, {ZeroCell(0, 11)}},
    {"QpaAndQraEmptyInLayerTwo",
     [] {
         PileInput in = GivenResistances(2);
         in.layers[1].qpaGiven = "";
         in.layers[1].qraGiven = "x";
         return in;
     },
     Join({SectionPassed(), {Note("第2层岩石端阻未输入，隐含取0.00"), Note("第2层岩石侧阻未输入，隐含取0.00")}}),
     nullptr, {ZeroCell(1, 10), ZeroCell(1, 11)}},

    // Compressive strength.
    {"FrkZero",
     [] {
         PileInput in = Defaults();
         in.layers[0].frk = "0";
         return in;
     },
     Join({SectionPassed(), {Error("岩石单轴抗压强度值错")}}), "岩石单轴抗压强度值错", {}},
    {"FrkNegativeInLayerTwoHasNoLayerNumber",
     [] {
         PileInput in = Defaults(2);
         in.layers[1].frk = "-3";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Error("岩石单轴抗压强度值错")}}), "岩石单轴抗压强度值错", {}},

    // Manual coefficients.
    {"ManualC1TooLarge",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "1.2";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩石端阻系数C1有错")}}), "第1层岩石端阻系数C1有错", {}},
    {"ManualC1Negative",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "-0.1";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩石端阻系数C1有错")}}), "第1层岩石端阻系数C1有错", {}},
    {"ManualC1Empty",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石端阻系数未输入，隐含取0.00")}}), nullptr, {ZeroCell(0, 6)}},
    {"ManualC1BelowRecommended",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "0.35";
         return in;
     },
     Join({SectionPassed(), {Hint(kC1Hint)}}), nullptr, {}},
    {"ManualC1OfOneIsInRangeButNotRecommended",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "1";
         return in;
     },
     Join({SectionPassed(), {Hint(kC1Hint)}}), nullptr, {}},
    {"ManualLowerBoundsGiveNoHint",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "0.4";
         in.layers[0].c2Manual = "0.04";
         return in;
     },
     SectionPassed(), nullptr, {}},
    {"ManualUpperBoundsGiveNoHint",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "0.6";
         in.layers[0].c2Manual = "0.06";
         return in;
     },
     SectionPassed(), nullptr, {}},
    {"ManualC2TooLarge",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c2Manual = "1.01";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩石侧阻系数C2有错")}}), "第1层岩石侧阻系数C2有错", {}},
    {"ManualC2Empty",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c2Manual = "";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石侧阻系数未输入，隐含取0.00")}}), nullptr, {ZeroCell(0, 7)}},
    {"ManualC2AboveRecommended",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c2Manual = "0.07";
         return in;
     },
     Join({SectionPassed(), {Hint(kC2Hint)}}), nullptr, {}},
    {"ManualC1BeforeC2",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "0.7";
         in.layers[0].c2Manual = "0.03";
         return in;
     },
     Join({SectionPassed(), {Hint(kC1Hint), Hint(kC2Hint)}}), nullptr, {}},
    {"ManualC1NoteThenC2Error",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "";
         in.layers[0].c2Manual = "2";
         return in;
     },
     Join({SectionPassed(), {Note("第1层岩石端阻系数未输入，隐含取0.00"), Error("第1层岩石侧阻系数C2有错")}}),
     "第1层岩石侧阻系数C2有错", {ZeroCell(0, 6)}},
    {"ManualHintNamesItsLayer",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual, 2);
         in.layers[1].c2Manual = "0.07";
         return in;
     },
     Join({SectionPassed(), {Hint("提示：第2层岩石侧阻系数C2不在规范建议值0.04～0.06之内")}}), nullptr, {}},
    {"ManualIgnoresTheReductionFactor",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.reductionFactor = "1.10";
         in.layers[0].integrityText = "";
         return in;
     },
     SectionPassed(), nullptr, {}},

    // Integrity class and index.
    {"IntegrityClassEmpty",
     [] {
         PileInput in = Defaults();
         in.layers[0].integrityText = "";
         return in;
     },
     Join({SectionPassed(), {Error("第1层岩体完整程度未明确")}}), "第1层岩体完整程度未明确", {}},
    {"IntegrityClassUnknown",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger, 2);
         in.layers[1].integrityText = "微风化";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Error("第2层岩体完整程度未明确")}}), "第2层岩体完整程度未明确", {}},
    {"IntegrityIndexZero", [] { return ByIndex("0"); },
     Join({SectionPassed(), {Error("第1层岩体完整性指数有错")}}), "第1层岩体完整性指数有错", {}},
    {"IntegrityIndexEmpty", [] { return ByIndex(""); },
     Join({SectionPassed(), {Error("第1层岩体完整性指数有错")}}), "第1层岩体完整性指数有错", {}},
    {"IntegrityIndexAboveOne", [] { return ByIndex("1.01"); },
     Join({SectionPassed(), {Error("第1层岩体完整性指数有错")}}), "第1层岩体完整性指数有错", {}},
    {"IntegrityIndexOnePasses", [] { return ByIndex("1"); }, Join({SectionPassed(), FactorPassed()}), nullptr, {}},

    // Reduction factor: tested in every layer, bored pile or not.
    {"FactorAboveOneUnticked",
     [] {
         PileInput in = Defaults();
         in.boredPile = false;
         in.reductionFactor = "1.10";
         return in;
     },
     Join({SectionPassed(), {Error(kFactorError)}}), kFactorError, {}},
    {"FactorNegative",
     [] {
         PileInput in = Defaults();
         in.reductionFactor = "-0.1";
         return in;
     },
     Join({SectionPassed(), {Error(kFactorError)}}), kFactorError, {}},
    {"FactorTextTickedDoesNotConvert",
     [] {
         PileInput in = Defaults();
         in.reductionFactor = "abc";
         return in;
     },
     Join({SectionPassed(), {Error(kFactorError)}}), kFactorError, {}},
    {"FactorEmptyTickedDoesNotConvert",
     [] {
         PileInput in = Defaults();
         in.reductionFactor = "";
         return in;
     },
     Join({SectionPassed(), {Error(kFactorError)}}), kFactorError, {}},
    {"FactorTextUntickedReadsAsZero",
     [] {
         PileInput in = Defaults();
         in.boredPile = false;
         in.reductionFactor = "abc";
         return in;
     },
     Join({SectionPassed(), FactorPassed()}), nullptr, {}},
    {"FactorOfOnePasses",
     [] {
         PileInput in = Defaults();
         in.reductionFactor = "1";
         return in;
     },
     Join({SectionPassed(), FactorPassed()}), nullptr, {}},
    {"FactorTestedInEveryLayer", [] { return Defaults(3); },
     Join({SectionPassed(), FactorPassed(), FactorPassed(), FactorPassed()}), nullptr, {}},
    {"FactorNotTestedWithGivenResistances",
     [] {
         PileInput in = GivenResistances();
         in.reductionFactor = "1.10";
         return in;
     },
     SectionPassed(), nullptr, {}},

    // Larger or smaller of both: the manual values after the factor test.
    {"LargerC1TooLarge",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger);
         in.layers[0].c1Manual = "1.2";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Error("第1层岩石端阻系数C1有错")}}), "第1层岩石端阻系数C1有错", {}},
    {"LargerC1EmptyHintNoNote",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger);
         in.layers[0].c1Manual = "";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Hint(kC1Hint)}}), nullptr, {}},
    {"SmallerC1ZeroHintNoNote",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Smaller);
         in.layers[0].c1Manual = "0";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Hint(kC1Hint)}}), nullptr, {}},
    {"SmallerC2TooLarge",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Smaller);
         in.layers[0].c2Manual = "2";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Error("第1层岩石侧阻系数C2有错")}}), "第1层岩石侧阻系数C2有错", {}},
    {"LargerC2EmptyHint",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger);
         in.layers[0].c2Manual = "";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Hint(kC2Hint)}}), nullptr, {}},
    {"LargerBothHintsInOrder",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger);
         in.layers[0].c1Manual = "0.35";
         in.layers[0].c2Manual = "0.07";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Hint(kC1Hint), Hint(kC2Hint)}}), nullptr, {}},
    {"SmallerBoundsGiveNoHint",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Smaller);
         in.layers[0].c1Manual = "0.6";
         in.layers[0].c2Manual = "0.04";
         return in;
     },
     Join({SectionPassed(), FactorPassed()}), nullptr, {}},

    // The shallow-socket information, after each layer's other messages.
    {"ShallowSocketShownForEveryLayer",
     [] {
         PileInput in = Defaults(2);
         in.layers[0].lr = "0.2";
         in.layers[1].lr = "0.2";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Info(kShallow)}, FactorPassed(), {Info(kShallow)}}), nullptr, {}},
    {"ShallowSocketAfterTheHints",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger);
         in.layers[0].lr = "0.4";
         in.layers[0].c1Manual = "0.35";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Hint(kC1Hint), Info(kShallow)}}), nullptr, {}},
    {"ShallowSocketInManualMode",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].lr = "0.4";
         in.layers[0].c1Manual = "0.35";
         return in;
     },
     Join({SectionPassed(), {Hint(kC1Hint), Info(kShallow)}}), nullptr, {}},

    // Ra = 0: no share can be computed; the run stops after everything else.
    {"ZeroCapacityGivenResistancesEmpty",
     [] {
         PileInput in = GivenResistances();
         in.layers[0].qpaGiven = "";
         in.layers[0].qraGiven = "";
         return in;
     },
     Join({SectionPassed(),
           {Note("第1层岩石端阻未输入，隐含取0.00"), Note("第1层岩石侧阻未输入，隐含取0.00"), Error(kZeroRa)}}),
     kZeroRa, {ZeroCell(0, 10), ZeroCell(0, 11)}},
    {"ZeroCapacityManualCoefficientsZero",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual);
         in.layers[0].c1Manual = "0";
         in.layers[0].c2Manual = "0";
         return in;
     },
     Join({SectionPassed(),
           {Note("第1层岩石端阻系数未输入，隐含取0.00"), Note("第1层岩石侧阻系数未输入，隐含取0.00"),
            Error(kZeroRa)}}),
     kZeroRa, {ZeroCell(0, 6), ZeroCell(0, 7)}},
    {"ZeroCapacityFactorZero",
     [] {
         PileInput in = Defaults();
         in.reductionFactor = "0";
         return in;
     },
     Join({SectionPassed(), FactorPassed(), {Error(kZeroRa)}}), kZeroRa, {}},
};

class DiagnosticTest : public ::testing::TestWithParam<DiagnosticCase> {};

TEST_P(DiagnosticTest, MessagesInOrder)
{
    const DiagnosticCase& c = GetParam();
    const ComputeOutcome outcome = ComputePile(c.input());
    EXPECT_EQ(outcome.events, c.events);
    EXPECT_EQ(outcome.corrections, c.corrections);
    if (c.stop) {
        ASSERT_TRUE(outcome.stopped());
        EXPECT_EQ(*outcome.stopError, c.stop);
        // Nothing after the failed check: its message is the last event but for the
        // red size control.
        const StatusEvent& last = outcome.events.back();
        const bool sizeControl = last.type == StatusEvent::Type::SetColour && last.colour == kRed;
        const StatusEvent& error = outcome.events[outcome.events.size() - (sizeControl ? 2 : 1)];
        EXPECT_EQ(error, Error(c.stop));
        EXPECT_EQ(outcome.result.verdict, "");
    } else {
        EXPECT_FALSE(outcome.stopped()) << *outcome.stopError;
        EXPECT_NE(outcome.result.verdict, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Checks, DiagnosticTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// What a stop leaves: the complete layers, then the interrupted one if its text
// columns had been set.

TEST(StopTest, FrkZeroInLayerTwoOfThreeKeepsLayerOneOnly)
{
    PileInput input = Defaults(3);
    input.layers[1].frk = "0";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_TRUE(outcome.stopped());
    const PileResult& r = outcome.result;
    ASSERT_EQ(r.layers.size(), 1u);
    const LayerResult& first = r.layers[0];
    EXPECT_TRUE(first.complete);
    EXPECT_EQ(first.hardness, "较软岩");
    EXPECT_EQ(first.remark, "较软岩,岩体较完整");
    EXPECT_NEAR(first.c1, 0.336, 1e-12);
    EXPECT_NEAR(first.rria, 2638.94, kCent);
    EXPECT_NEAR(first.sumRria, 2638.94, kCent);
    EXPECT_FALSE(first.carriesPileEnd);
    EXPECT_EQ(first.share, 0);
    // The geometry and the socket depth were done before the stop; Ra was not.
    EXPECT_NEAR(r.perimeter, 3141.59, kCent);
    EXPECT_NEAR(r.hr, 3.0, 1e-12);
    EXPECT_EQ(r.clause, "第10.2.4条");
    EXPECT_EQ(r.ra, 0);
    EXPECT_EQ(r.rpa, 0);
    EXPECT_EQ(r.verdict, "");
}

TEST(StopTest, FirstPassStopComputesNoLayer)
{
    PileInput input = Defaults(3);
    input.layers[1].lr = "";
    input.layers[2].lr = "-1";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_TRUE(outcome.stopped());
    EXPECT_TRUE(outcome.result.layers.empty());
    EXPECT_EQ(outcome.result.clause, "") << "no layer has its resistances";
    EXPECT_NEAR(outcome.result.hr, 1.0, 1e-12);
}

TEST(StopTest, SectionStopComputesNothing)
{
    PileInput input = Defaults();
    input.d = "-1";
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_TRUE(outcome.stopped());
    EXPECT_EQ(outcome.result.perimeter, 0);
    EXPECT_EQ(outcome.result.area, 0);
    EXPECT_EQ(outcome.result.hr, 0);
    EXPECT_TRUE(outcome.result.layers.empty());
}

struct InterruptedCase {
    const char* name;
    PileInput (*input)();
    bool kept;  // the interrupted layer is in the outcome
    const char* hardness;
    const char* remark;
};

void PrintTo(const InterruptedCase& c, std::ostream* os) { *os << c.name; }

const InterruptedCase kInterrupted[] = {
    {"FrkFailsBeforeAnything",
     [] {
         PileInput in = Defaults(2);
         in.layers[1].frk = "";
         return in;
     },
     false, "", ""},
    {"GivenResistanceFailsWithNothingSet",
     [] {
         PileInput in = GivenResistances(2);
         in.layers[1].qraGiven = "-1";
         return in;
     },
     false, "", ""},
    {"ManualCoefficientAfterHardness",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Manual, 2);
         in.layers[1].frk = "40";
         in.layers[1].c2Manual = "-1";
         return in;
     },
     true, "较硬岩", nullptr},
    {"IntegrityClassAfterHardness",
     [] {
         PileInput in = Defaults(2);
         in.layers[1].frk = "3";
         in.layers[1].integrityText = "";
         return in;
     },
     true, "极软岩", nullptr},
    {"ReductionFactorAfterRemark",
     [] {
         PileInput in = Defaults(2);
         in.reductionFactor = "abc";  // fails already in layer 1
         return in;
     },
     true, "较软岩", "较软岩,岩体较完整"},
    {"LargerManualAfterRemark",
     [] {
         PileInput in = WithCoefficientMode(CoefficientMode::Larger, 2);
         in.layers[1].frk = "70";
         in.layers[1].integrityText = "破碎";
         in.layers[1].c1Manual = "1.5";
         return in;
     },
     true, "坚硬岩", "坚硬岩,岩体破碎"},
};

class InterruptedLayerTest : public ::testing::TestWithParam<InterruptedCase> {};

TEST_P(InterruptedLayerTest, CarriesOnlyWhatWasSet)
{
    const InterruptedCase& c = GetParam();
    const PileInput input = c.input();
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_TRUE(outcome.stopped());
    const std::vector<LayerResult>& layers = outcome.result.layers;
    ASSERT_FALSE(layers.empty());
    // The failing layer is the last one that was reached; the layers before it are complete.
    const std::size_t completeLayers = c.kept ? layers.size() - 1 : layers.size();
    for (std::size_t i = 0; i < completeLayers; ++i) EXPECT_TRUE(layers[i].complete);
    if (!c.kept) {
        EXPECT_LT(layers.size(), input.layers.size());
        return;
    }
    const LayerResult& interrupted = layers.back();
    EXPECT_FALSE(interrupted.complete);
    EXPECT_TRUE(interrupted.hasHardness);
    EXPECT_EQ(interrupted.hardness, c.hardness);
    EXPECT_EQ(interrupted.hasRemark, c.remark != nullptr);
    EXPECT_EQ(interrupted.remark, c.remark ? c.remark : "");
    EXPECT_EQ(interrupted.c1, 0);
    EXPECT_EQ(interrupted.qpa, 0);
    EXPECT_EQ(interrupted.rria, 0);
}

INSTANTIATE_TEST_SUITE_P(Stops, InterruptedLayerTest, ::testing::ValuesIn(kInterrupted),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StopTest, ZeroCapacityKeepsEveryLayerCompleteAndComputesNoShare)
{
    PileInput input = GivenResistances(2);
    for (RockLayer& layer : input.layers) {
        layer.qpaGiven = "0";
        layer.qraGiven = "";
    }
    const ComputeOutcome outcome = ComputePile(input);
    ASSERT_TRUE(outcome.stopped());
    EXPECT_EQ(*outcome.stopError, "单桩竖向承载力特征值Ra为0，请检查岩层参数");
    EXPECT_EQ(outcome.events.back(), Error("单桩竖向承载力特征值Ra为0，请检查岩层参数"));
    const PileResult& r = outcome.result;
    ASSERT_EQ(r.layers.size(), 2u);
    for (const LayerResult& layer : r.layers) {
        EXPECT_TRUE(layer.complete);
        EXPECT_EQ(layer.share, 0);
    }
    EXPECT_TRUE(r.layers[1].carriesPileEnd);
    EXPECT_EQ(r.ra, 0);
    EXPECT_EQ(r.rpaShare, 0);
    EXPECT_EQ(r.verdict, "");
    EXPECT_EQ(r.clause, "第10.2.5条");
}

// Sizes that read as finite numbers but whose products overflow must not reach the
// results or the reports as infinities.
TEST(StopTest, OverflowingCapacityStopsInsteadOfPrintingInfinity)
{
    for (const char* diameter : {"1e200", "1e155"}) {
        PileInput input = PileInput::StartDefaults();
        input.d = diameter;
        const ComputeOutcome outcome = ComputePile(input);
        ASSERT_TRUE(outcome.stopped()) << diameter;
        EXPECT_EQ(*outcome.stopError, "单桩竖向承载力特征值Ra超出数值范围，请检查输入数据");
        EXPECT_EQ(outcome.events.back(),
                  Error("单桩竖向承载力特征值Ra超出数值范围，请检查输入数据"));
        EXPECT_EQ(outcome.result.verdict, "");
    }
}

}  // namespace
}  // namespace rockpile

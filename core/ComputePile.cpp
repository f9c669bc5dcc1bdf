// The calculation core. The checks run in the order of the calculation and stop at
// the first failure; their effects come out as status events in that same order:
//
// - a passed section size test: Clear, then SetColour(its size field, black); a
//   circular pile passes both size tests this way although only d is tested;
// - a failed section size test: ShowMessage(Error, text), then SetColour(its size
//   field, red);
// - a passed reduction factor test (every layer, automatic coefficients only):
//   SetColour(StatusLine, black), Clear, then SetColour(ReductionFactor, black);
// - every other check: at most its own message (error, note, hint or information).
//
// After a stop the outcome holds the complete layers, then the interrupted layer if
// its hardness (set once frk has passed) or its remark (set once the automatic
// coefficients are known) was set; it carries those texts only, never a number. The
// clause is set once the first layer is done.

#include "core/ComputePile.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

#include "core/Coefficients.h"
#include "core/InputChecks.h"

namespace rockpile {

std::optional<Argb> MessageColour(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return kRed;
    case MessageKind::Hint: return kMagenta;
    case MessageKind::Information: return kBlack;
    case MessageKind::Note: break;
    }
    return std::nullopt;
}

StatusEvent StatusEvent::Message(MessageKind kind, std::string text)
{
    StatusEvent event;
    event.type = Type::ShowMessage;
    event.kind = kind;
    event.text = std::move(text);
    return event;
}

StatusEvent StatusEvent::Clear()
{
    StatusEvent event;
    event.type = Type::ClearStatusLine;
    return event;
}

StatusEvent StatusEvent::Colour(StatusTarget target, Argb colour)
{
    StatusEvent event;
    event.type = Type::SetColour;
    event.target = target;
    event.colour = colour;
    return event;
}

namespace {

// Message texts. Layer messages are "第" (or "提示：第" for hints), the layer number
// and the rest, joined without blanks.
constexpr std::string_view kDiameterError = checks::kDiameterError;
constexpr std::string_view kStraightSegmentError = checks::kStraightSegmentError;
constexpr std::string_view kLongSideError = checks::kLongSideError;
constexpr std::string_view kShortSideError = checks::kShortSideError;
constexpr std::string_view kLayerPrefix = "第";
constexpr std::string_view kHintPrefix = "提示：第";
constexpr std::string_view kLrNegative = "层岩石嵌岩深度<0";
constexpr std::string_view kLrNotEntered = "层岩石嵌岩深度未输入，隐含取0.00";
constexpr std::string_view kQpaNegative = "层岩石端阻qpk<0";
constexpr std::string_view kQpaNotEntered = "层岩石端阻未输入，隐含取0.00";
constexpr std::string_view kQraNegative = "层岩石侧阻qsrk<0";
constexpr std::string_view kQraNotEntered = "层岩石侧阻未输入，隐含取0.00";
constexpr std::string_view kFrkError = "岩石单轴抗压强度值错";
constexpr std::string_view kC1Error = "层岩石端阻系数C1有错";
constexpr std::string_view kC1NotEntered = "层岩石端阻系数未输入，隐含取0.00";
constexpr std::string_view kC1Outside = "层岩石端阻系数C1不在规范建议值0.4～0.6之内";
constexpr std::string_view kC2Error = "层岩石侧阻系数C2有错";
constexpr std::string_view kC2NotEntered = "层岩石侧阻系数未输入，隐含取0.00";
constexpr std::string_view kC2Outside = "层岩石侧阻系数C2不在规范建议值0.04～0.06之内";
constexpr std::string_view kIntegrityClassError = "层岩体完整程度未明确";
constexpr std::string_view kIntegrityIndexError = "层岩体完整性指数有错";
constexpr std::string_view kReductionFactorError = checks::kReductionFactorError;
constexpr std::string_view kShallowSocket = "桩身嵌岩深度<0.5m，不计侧阻力";
constexpr std::string_view kZeroCapacity = "单桩竖向承载力特征值Ra为0，请检查岩层参数";
constexpr std::string_view kCapacityOverflow = "单桩竖向承载力特征值Ra超出数值范围，请检查输入数据";
constexpr std::string_view kDepthOverflow = "桩身嵌岩深度hr超出数值范围，请检查输入数据";
constexpr std::string_view kQpaOverflow = "层岩石端阻力特征值qpa超出数值范围，请检查输入数据";
constexpr std::string_view kQraOverflow = "层岩石侧阻力特征值qra超出数值范围，请检查输入数据";

constexpr std::string_view kClauseStrength = "第10.2.4条";
constexpr std::string_view kClauseGiven = "第10.2.5条";
constexpr std::string_view kCompliant = "合规";
constexpr std::string_view kBeyondStandard = "超规";

// Below this socket depth (m) the side resistance of the rock is not counted.
constexpr double kMinSocketDepth = 0.5;

// A value as the calculation reads it. A zero of either sign is taken as +0, which
// is what the "0.00" written back for a value not entered reads as; a negative zero
// would otherwise travel through the products and show as "-0".
double Read(std::string_view text) { return ReadNumber(text) + 0.0; }

std::string LayerMessage(std::string_view prefix, int layer, std::string_view rest)
{
    std::string text;
    text.reserve(prefix.size() + 1 + rest.size());
    text.append(prefix);
    text.append(std::to_string(layer));
    text.append(rest);
    return text;
}

bool InRange(double value, double low, double high) { return value >= low && value <= high; }

// One run of the calculation. Each step returns false when a check has failed; the
// outcome then holds the error and everything produced before it.
class Calculation {
public:
    Calculation(const PileInput& input, ComputeRecord record)
        : in_(input), withEvents_(record == ComputeRecord::WithEvents)
    {
        const std::size_t n = input.layers.size();
        out_.result.layers.reserve(n);
        // Section: up to 4 events; per layer: the reduction factor test (3), a note,
        // hint or the information message; most runs stay within this.
        if (withEvents_) out_.events.reserve(4 + 4 * n);
    }

    ComputeOutcome Run() &&
    {
        if (CheckSection() && SectionFinite() && FirstPass() && SecondPass() && CheckCapacity()) Assess();
        return std::move(out_);
    }

private:
    // Step 1: section checks, exchange of the rectangle's sides, perimeter and area.
    bool CheckSection()
    {
        PileResult& r = out_.result;
        if (in_.sectionType == SectionType::Rectangle || in_.sectionType == SectionType::Square) {
            double a = Read(in_.a);
            if (!checks::SizeValid(a)) return FailSize(kLongSideError, StatusTarget::SizeField1);
            PassSize(StatusTarget::SizeField1);
            double b = Read(in_.b);
            if (!checks::SizeValid(b)) return FailSize(kShortSideError, StatusTarget::SizeField2);
            PassSize(StatusTarget::SizeField2);
            // a is the long side; equal sides are rewritten as well.
            if (b >= a) {
                std::swap(a, b);
                Correction exchange;
                exchange.kind = Correction::Kind::ExchangeSides;
                exchange.newA = a;
                exchange.newB = b;
                out_.corrections.push_back(exchange);
            }
            r.perimeter = (a + b) * 2;
            r.area = a * b;
            return true;
        }

        const double d = Read(in_.d);
        if (!checks::SizeValid(d)) return FailSize(kDiameterError, StatusTarget::SizeField1);
        PassSize(StatusTarget::SizeField1);
        // A circular section has no straight segment; its c is neither read nor tested,
        // but the second size control is set back to black all the same.
        double c = 0;
        if (in_.sectionType == SectionType::Ellipse) {
            c = Read(in_.c);
            if (!checks::SizeValid(c)) return FailSize(kStraightSegmentError, StatusTarget::SizeField2);
        }
        PassSize(StatusTarget::SizeField2);
        r.perimeter = std::numbers::pi * d + 2 * c;
        r.area = std::numbers::pi * d * d / 4 + d * c;
        return true;
    }

    // Every quantity the calculation computes must be a finite number before it is kept:
    // inputs that read as finite numbers (d = "1e308") can still overflow a product, and
    // an infinity must never reach a cell, a report or a file. The perimeter and the area
    // enter Ra only, so their overflow is told as that of Ra.
    bool SectionFinite()
    {
        if (std::isfinite(out_.result.perimeter) && std::isfinite(out_.result.area)) return true;
        return Fail(std::string(kCapacityOverflow));
    }

    // Step 3: every lr is checked, and the socket depth hr summed, before any layer
    // is computed.
    bool FirstPass()
    {
        for (int row = 0; row < LayerCount(in_); ++row) {
            const double lr = Read(in_.layers[row].lr);
            if (!(lr >= 0)) return Fail(LayerMessage(kLayerPrefix, row + 1, kLrNegative));
            if (lr == 0) NoteZero(row, col::Lr, kLrNotEntered);
            out_.result.hr += lr;
        }
        if (!std::isfinite(out_.result.hr)) return Fail(std::string(kDepthOverflow));
        return true;
    }

    // Step 4: one layer after the other, each through all of its checks.
    bool SecondPass()
    {
        const int n = LayerCount(in_);
        for (int row = 0; row < n; ++row) {
            LayerResult layer;
            layer.complete = false;
            layer.hasHardness = false;
            layer.hasRemark = false;
            if (!ComputeLayer(row, layer)) {
                KeepInterruptedLayer(layer);
                return false;
            }
            layer.complete = true;
            layer.hasHardness = true;
            layer.hasRemark = true;
            if (row == 0) {
                out_.result.clause = in_.strengthMode == StrengthMode::CompressiveStrength ? kClauseStrength
                                                                                           : kClauseGiven;
            }
            out_.result.layers.push_back(std::move(layer));
        }
        return true;
    }

    bool ComputeLayer(int row, LayerResult& layer)
    {
        const RockLayer& cells = in_.layers[row];
        // Read again: an lr read as 0 is now the corrected "0.00".
        const double lr = Read(cells.lr);

        if (in_.strengthMode == StrengthMode::GivenResistances) {
            if (!GivenResistances(row, layer)) return false;
        } else {
            if (!ResistancesFromStrength(row, layer)) return false;
        }

        if (!std::isfinite(layer.qpa)) return Fail(LayerMessage(kLayerPrefix, row + 1, kQpaOverflow));
        if (!std::isfinite(layer.qra)) return Fail(LayerMessage(kLayerPrefix, row + 1, kQraOverflow));

        PileResult& r = out_.result;
        layer.rria = layer.qra * lr * r.perimeter / 1000;
        r.sumRria += layer.rria;
        layer.sumRria = r.sumRria;
        if (row == LayerCount(in_) - 1) {
            // The last layer carries the pile end; the qpa of the other layers enters
            // no formula.
            r.rpa = layer.qpa * r.area / 1'000'000;
            r.ra = r.rpa + r.sumRria;
            layer.carriesPileEnd = true;
            layer.rpa = r.rpa;
            layer.ra = r.ra;
        }
        if (!std::isfinite(layer.rria) || !std::isfinite(r.sumRria) || !std::isfinite(r.rpa) ||
            !std::isfinite(r.ra)) {
            return Fail(std::string(kCapacityOverflow));
        }
        return true;
    }

    // Given characteristic resistances (clause 10.2.5).
    bool GivenResistances(int row, LayerResult& layer)
    {
        const RockLayer& cells = in_.layers[row];
        layer.qpa = Read(cells.qpaGiven);
        if (!(layer.qpa >= 0)) return Fail(LayerMessage(kLayerPrefix, row + 1, kQpaNegative));
        if (layer.qpa == 0) NoteZero(row, col::Qpa, kQpaNotEntered);
        layer.qra = Read(cells.qraGiven);
        if (!(layer.qra >= 0)) return Fail(LayerMessage(kLayerPrefix, row + 1, kQraNegative));
        if (layer.qra == 0) NoteZero(row, col::Qra, kQraNotEntered);
        return true;
    }

    // Resistances from the compressive strength frk and the coefficients (clause 10.2.4).
    bool ResistancesFromStrength(int row, LayerResult& layer)
    {
        const RockLayer& cells = in_.layers[row];
        const double frk = Read(cells.frk);
        if (!(frk > 0)) return Fail(std::string(kFrkError));
        layer.hardness = HardnessText(frk);
        layer.hasHardness = true;

        if (!SettleCoefficients(row, layer)) return false;

        layer.qpa = layer.c1 * frk * 1000;
        if (out_.result.hr < kMinSocketDepth) {
            // The socket depth of the whole pile is too short: no layer carries side
            // resistance.
            layer.c2 = 0;
            layer.qra = 0;
            Show(MessageKind::Information, std::string(kShallowSocket));
        } else {
            layer.qra = layer.c2 * frk * 1000;
        }
        return true;
    }

    // The automatic and the adopted C1 and C2 of a layer by the coefficient mode.
    bool SettleCoefficients(int row, LayerResult& layer)
    {
        const RockLayer& cells = in_.layers[row];
        if (in_.coefficientMode == CoefficientMode::Manual) {
            double c1 = 0;
            double c2 = 0;
            if (!ReadManual(row, cells.c1Manual, col::C1Manual, kC1Low, kC1High, kC1Error, kC1NotEntered,
                            kC1Outside, c1) ||
                !ReadManual(row, cells.c2Manual, col::C2Manual, kC2Low, kC2High, kC2Error, kC2NotEntered,
                            kC2Outside, c2)) {
                return false;
            }
            layer.c1 = c1;
            layer.c2 = c2;
            out_.result.manualCoefficientsAdopted = true;
            return true;
        }

        AutoCoefficients automatic;
        if (in_.interpolationBasis == InterpolationBasis::IntegrityClass) {
            if (!AutoCoefficientsFromClass(cells.integrityText, automatic)) {
                return Fail(LayerMessage(kLayerPrefix, row + 1, kIntegrityClassError));
            }
        } else {
            const double kv = Read(cells.kv);
            if (!(kv > 0 && kv <= 1)) return Fail(LayerMessage(kLayerPrefix, row + 1, kIntegrityIndexError));
            automatic = AutoCoefficientsFromKv(kv);
        }
        layer.remark.reserve(layer.hardness.size() + 1 + automatic.integrity.size());
        layer.remark.append(layer.hardness).append(",").append(automatic.integrity);
        layer.hasRemark = true;

        double factor = 0;
        if (!CheckReductionFactor(factor)) return false;
        if (in_.boredPile) {
            automatic.c1 *= factor;
            automatic.c2 *= factor;
        }
        if (in_.softRockExposed && SoftRockFactorApplies(layer.hardness)) {
            automatic.c1 *= kSoftRockFactor;
            automatic.c2 *= kSoftRockFactor;
        }
        layer.c1Auto = automatic.c1;
        layer.c2Auto = automatic.c2;
        layer.c1 = automatic.c1;
        layer.c2 = automatic.c2;
        if (in_.coefficientMode == CoefficientMode::Automatic) return true;

        // Larger or smaller of both: the manual values are checked, never reduced, and
        // compared with the reduced automatic ones, C1 and C2 separately.
        double c1 = 0;
        double c2 = 0;
        if (!ReadManualToCompare(row, cells.c1Manual, kC1Low, kC1High, kC1Error, kC1Outside, c1) ||
            !ReadManualToCompare(row, cells.c2Manual, kC2Low, kC2High, kC2Error, kC2Outside, c2)) {
            return false;
        }
        Adopt(c1, layer.c1);
        Adopt(c2, layer.c2);
        return true;
    }

    // On equality the manual value is taken, and taking it marks the verdict.
    void Adopt(double manual, double& adopted)
    {
        const bool take = in_.coefficientMode == CoefficientMode::Larger ? manual >= adopted : manual <= adopted;
        if (take) {
            adopted = manual;
            out_.result.manualCoefficientsAdopted = true;
        }
    }

    // A manual coefficient in manual mode: range [0, 1], note for 0, hint outside the
    // recommended range.
    bool ReadManual(int row, const std::string& text, int column, double low, double high,
                    std::string_view error, std::string_view notEntered, std::string_view outside,
                    double& value)
    {
        value = Read(text);
        if (!InRange(value, 0, 1)) return Fail(LayerMessage(kLayerPrefix, row + 1, error));
        if (value == 0) {
            NoteZero(row, column, notEntered);
        } else if (!InRange(value, low, high)) {
            Show(MessageKind::Hint, LayerMessage(kHintPrefix, row + 1, outside));
        }
        return true;
    }

    // A manual coefficient to compare with the automatic one: range [0, 1], and a hint
    // outside the recommended range, 0 included (no note, no correction).
    bool ReadManualToCompare(int row, const std::string& text, double low, double high, std::string_view error,
                             std::string_view outside, double& value)
    {
        value = Read(text);
        if (!InRange(value, 0, 1)) return Fail(LayerMessage(kLayerPrefix, row + 1, error));
        if (!InRange(value, low, high)) Show(MessageKind::Hint, LayerMessage(kHintPrefix, row + 1, outside));
        return true;
    }

    // The reduction factor is tested in every layer whether or not the pile is a bored
    // pile. When it is, the factor is applied and must then be a number: text that only
    // reads as 0 (empty or malformed) fails the test instead of entering the product.
    bool CheckReductionFactor(double& factor)
    {
        factor = Read(in_.reductionFactor);
        bool valid = checks::ReductionFactorValid(factor);
        if (valid && in_.boredPile) {
            double converted = 0;
            valid = TryConvertNumber(in_.reductionFactor, converted);
            factor = converted + 0.0;
        }
        if (!valid) return Fail(std::string(kReductionFactorError));
        Record(StatusEvent::Colour(StatusTarget::StatusLine, kBlack));
        Record(StatusEvent::Clear());
        Record(StatusEvent::Colour(StatusTarget::ReductionFactor, kBlack));
        return true;
    }

    // Steps 5 and 6 need Ra > 0. All resistances being 0 has no message of its own in
    // the checks above; it stops the calculation like a failed check, so that no
    // share is divided by zero. Sizes or strengths so large that the products
    // overflow (d = "1e200") stop the same way rather than print infinities.
    bool CheckCapacity()
    {
        if (!std::isfinite(out_.result.ra)) return Fail(std::string(kCapacityOverflow));
        if (out_.result.ra > 0) return true;
        return Fail(std::string(kZeroCapacity));
    }

    // Steps 5 and 6: the shares of Ra and the verdict.
    void Assess()
    {
        PileResult& r = out_.result;
        // The resistances are finite and at most about 1e305 (each is a finite product
        // divided by 1000 or more), so 100 times one of them cannot overflow.
        for (LayerResult& layer : r.layers) layer.share = 100 * layer.rria / r.ra;
        r.rpaShare = 100 * r.rpa / r.ra;
        r.verdict = r.manualCoefficientsAdopted ? kBeyondStandard : kCompliant;
    }

    // The interrupted layer is kept only when a text column was already set for it
    // (hardness after the frk check, remark after the automatic coefficients); its
    // numeric fields are not.
    void KeepInterruptedLayer(LayerResult& layer)
    {
        if (!layer.hasHardness && !layer.hasRemark) return;
        LayerResult kept;
        kept.complete = false;
        kept.hasHardness = layer.hasHardness;
        kept.hasRemark = layer.hasRemark;
        kept.hardness = std::move(layer.hardness);
        kept.remark = std::move(layer.remark);
        out_.result.layers.push_back(std::move(kept));
    }

    void Record(StatusEvent event)
    {
        if (withEvents_) out_.events.push_back(std::move(event));
    }

    void Show(MessageKind kind, std::string text) { Record(StatusEvent::Message(kind, std::move(text))); }

    // A value that reads as 0 is taken as not entered: the note, and "0.00" in its cell.
    void NoteZero(int row, int column, std::string_view rest)
    {
        Show(MessageKind::Note, LayerMessage(kLayerPrefix, row + 1, rest));
        Correction zero;
        zero.kind = Correction::Kind::ZeroCell;
        zero.row = row;
        zero.column = column;
        out_.corrections.push_back(zero);
    }

    bool Fail(std::string text)
    {
        Show(MessageKind::Error, text);
        out_.stopError = std::move(text);
        return false;
    }

    bool FailSize(std::string_view text, StatusTarget field)
    {
        Fail(std::string(text));
        Record(StatusEvent::Colour(field, kRed));
        return false;
    }

    void PassSize(StatusTarget field)
    {
        Record(StatusEvent::Clear());
        Record(StatusEvent::Colour(field, kBlack));
    }

    const PileInput& in_;
    const bool withEvents_;
    ComputeOutcome out_;
};

}  // namespace

ComputeOutcome ComputePile(const PileInput& input, ComputeRecord record)
{
    return Calculation(input, record).Run();
}

}  // namespace rockpile

#pragma once
// The calculation core: one PileInput in, the bearing capacity, the corrections of the
// input and the ordered status events out. Pure: no state, no controls.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/PileInput.h"

namespace rockpile {

using Argb = std::uint32_t;
inline constexpr Argb kRed = 0xFFFF0000u;
inline constexpr Argb kMagenta = 0xFFFF00FFu;
inline constexpr Argb kBlack = 0xFF000000u;
inline constexpr Argb kGreen = 0xFF008000u;

// The four kinds of message of the input checks. Only errors stop a calculation.
enum class MessageKind {
    Error,        // red; stops the run
    Note,         // a value not entered is taken as 0.00; keeps the status line's colour
    Hint,         // magenta; a manual coefficient outside the recommended range
    Information,  // black; the socket is too short for side resistance
};

// Text colour of the status line for a message kind; none for a note.
std::optional<Argb> MessageColour(MessageKind kind);

// Controls whose text colour the checks set.
enum class StatusTarget {
    StatusLine,       // lb_shuoming
    SizeField1,       // cbe_dd: d or a
    SizeField2,       // cbe_tyzd: c or b
    ReductionFactor,  // cbe_zhuanchongkong
};

// One effect on the input page, to be applied in order.
struct StatusEvent {
    enum class Type {
        ShowMessage,      // show `text` in the status line (colour by `kind`)
        ClearStatusLine,  // empty the status line; it stays visible
        SetColour,        // set the text colour of `target` to `colour`
    };
    Type type = Type::ShowMessage;
    MessageKind kind = MessageKind::Information;
    std::string text;
    StatusTarget target = StatusTarget::StatusLine;
    Argb colour = kBlack;

    static StatusEvent Message(MessageKind kind, std::string text);
    static StatusEvent Clear();
    static StatusEvent Colour(StatusTarget target, Argb colour);
    bool operator==(const StatusEvent&) const = default;
};

// A change the calculation makes to its own input; the compute run writes it back.
struct Correction {
    enum class Kind {
        ExchangeSides,  // rectangle with b >= a: cbe_dd := newA, cbe_tyzd := newB
        ZeroCell,       // a value read as 0: the cell (row, column) := "0.00"
    };
    Kind kind = Kind::ZeroCell;
    double newA = 0;
    double newB = 0;
    int row = -1;
    int column = -1;
    bool operator==(const Correction&) const = default;
};

// The computed values of one layer (columns of the layer table in brackets).
struct LayerResult {
    std::string hardness;  // [19] hardness class text; compressive-strength mode only
    std::string remark;    // [18] e.g. "较软岩,岩体较完整"; empty in manual mode
    double c1Auto = 0;     // [20] automatic C1 after reductions; 0 in manual mode
    double c2Auto = 0;     // [21]
    double c1 = 0;         // [8] adopted C1
    double c2 = 0;         // [9] adopted C2; 0 when hr < 0.5 m
    double qpa = 0;        // [10] kPa
    double qra = 0;        // [11] kPa
    double rria = 0;       // [15] kN
    double sumRria = 0;    // [14] kN, from the first layer down to this one
    double share = 0;      // [16], [17] percent of Ra
    bool carriesPileEnd = false;  // the last layer: shows Ra [12] and Rpa [13]
    double ra = 0;
    double rpa = 0;

    // A layer whose calculation a failed check interrupted carries only the fields
    // set before the check: complete is false, and the flags say which are set.
    bool complete = true;
    bool hasHardness = true;
    bool hasRemark = true;
};

struct PileResult {
    double perimeter = 0;  // u, mm
    double area = 0;       // Ap, mm²
    double hr = 0;         // socket depth, m
    std::vector<LayerResult> layers;
    double sumRria = 0;    // Rra, kN
    double rpa = 0;        // kN
    double ra = 0;         // kN
    double rpaShare = 0;   // percent
    bool manualCoefficientsAdopted = false;
    std::string clause;    // "第10.2.4条" or "第10.2.5条"
    std::string verdict;   // "合规" or "超规"
};

// Either a complete calculation or a stop at the first failed check. After a stop,
// `result` holds what was produced before it: the complete layers, then the failing
// layer if any of its fields had been set (complete = false); the shares are not set.
struct ComputeOutcome {
    PileResult result;
    std::vector<Correction> corrections;
    std::vector<StatusEvent> events;
    std::optional<std::string> stopError;  // the text of the failed check

    bool stopped() const { return stopError.has_value(); }
};

// What a calculation records besides its result, corrections and stop: the status
// events for the input page, or none, for a caller that reads only the numbers (the
// texts of a listed candidate). The result is the same either way.
enum class ComputeRecord { WithEvents, ResultOnly };

ComputeOutcome ComputePile(const PileInput& input, ComputeRecord record = ComputeRecord::WithEvents);

// The straight line through (x0, y0) and (x1, y1), evaluated at x.
double Interpolate(double x0, double y0, double x1, double y1, double x);

// The hardness class text of a rock of strength frk (MPa, > 0).
std::string HardnessClass(double frk);

// The integrity class texts, IntegrityClass 1 to 5.
inline constexpr const char* kIntegrityClasses[5] = {"完整", "较完整", "较破碎", "破碎", "极破碎"};

}  // namespace rockpile

#pragma once
// Shorthands for the core tests: expected status events and corrections written out
// literally, readable printing of both, and the inputs the tests start from.

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <vector>

#include "core/ComputePile.h"
#include "core/PileInput.h"

namespace rockpile {

inline const char* KindName(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return "Error";
    case MessageKind::Note: return "Note";
    case MessageKind::Hint: return "Hint";
    case MessageKind::Information: return "Information";
    }
    return "?";
}

inline const char* TargetName(StatusTarget target)
{
    switch (target) {
    case StatusTarget::StatusLine: return "StatusLine";
    case StatusTarget::SizeField1: return "SizeField1";
    case StatusTarget::SizeField2: return "SizeField2";
    case StatusTarget::ReductionFactor: return "ReductionFactor";
    }
    return "?";
}

// GoogleTest finds these by argument-dependent lookup when it prints a mismatch.
inline void PrintTo(const StatusEvent& event, std::ostream* os)
{
    switch (event.type) {
    case StatusEvent::Type::ShowMessage: *os << "Show(" << KindName(event.kind) << ", \"" << event.text << "\")"; break;
    case StatusEvent::Type::ClearStatusLine: *os << "Clear"; break;
    case StatusEvent::Type::SetColour:
        *os << "Colour(" << TargetName(event.target) << ", " << std::hex << event.colour << std::dec << ")";
        break;
    }
}

inline void PrintTo(const Correction& correction, std::ostream* os)
{
    if (correction.kind == Correction::Kind::ExchangeSides) {
        *os << "ExchangeSides(" << correction.newA << ", " << correction.newB << ")";
    } else {
        *os << "ZeroCell(" << correction.row << ", " << correction.column << ")";
    }
}

namespace test {

inline StatusEvent Error(const char* text) { return StatusEvent::Message(MessageKind::Error, text); }
inline StatusEvent Note(const char* text) { return StatusEvent::Message(MessageKind::Note, text); }
inline StatusEvent Hint(const char* text) { return StatusEvent::Message(MessageKind::Hint, text); }
inline StatusEvent Info(const char* text) { return StatusEvent::Message(MessageKind::Information, text); }
inline StatusEvent Cleared() { return StatusEvent::Clear(); }
inline StatusEvent Black(StatusTarget target) { return StatusEvent::Colour(target, 0xFF000000u); }
inline StatusEvent Red(StatusTarget target) { return StatusEvent::Colour(target, 0xFFFF0000u); }

using Events = std::vector<StatusEvent>;

inline Events Join(std::initializer_list<Events> parts)
{
    Events all;
    for (const Events& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The passed section tests of a circular or elliptical pile and of a rectangle: each
// size test empties the status line and sets its control back to black.
inline Events SectionPassed()
{
    return {Cleared(), Black(StatusTarget::SizeField1), Cleared(), Black(StatusTarget::SizeField2)};
}

// The passed reduction factor test of one layer.
inline Events FactorPassed()
{
    return {Black(StatusTarget::StatusLine), Cleared(), Black(StatusTarget::ReductionFactor)};
}

inline Correction ZeroCell(int row, int column)
{
    Correction correction;
    correction.kind = Correction::Kind::ZeroCell;
    correction.row = row;
    correction.column = column;
    return correction;
}

inline Correction Exchange(double newA, double newB)
{
    Correction correction;
    correction.kind = Correction::Kind::ExchangeSides;
    correction.newA = newA;
    correction.newB = newB;
    return correction;
}

// The inputs of the window at start, with `layers` copies of its first row.
inline PileInput Defaults(int layers = 1)
{
    PileInput input = PileInput::StartDefaults();
    input.layers.assign(static_cast<std::size_t>(layers), RockLayer::StartRow());
    return input;
}

// Two-decimal figures are proved to their last digit.
inline constexpr double kCent = 0.005;

}  // namespace test
}  // namespace rockpile

#pragma once
// Everything the input page holds that a user types or chooses: the input of one
// calculation, the pile's own number and the precision of the result fields. The
// window fills its controls from it and reads it back from them; the input files and
// the pile schedule of the batch calculator hold it. Plain data, no Qt.

#include <string>

#include "core/PileInput.h"

namespace rockpile {

struct PageInputs {
    // The user's name for the pile (for example "ZH-07"); may be empty. The reports
    // number their entries by position (ZH1, ZH2, ...) whatever this says.
    std::string pileNumber;
    PileInput pile = PileInput::StartDefaults();
    int precisionMode = 2;  // item index of popbox_jingdu, 0..4; "个位取整" at start

    bool operator==(const PageInputs&) const;
};

bool operator==(const RockLayer& a, const RockLayer& b);
bool operator==(const PileInput& a, const PileInput& b);

}  // namespace rockpile

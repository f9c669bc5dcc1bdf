#pragma once
// Plain rules of the input page: which columns of the layer table show and which rock
// controls are enabled for the modes, and the text a number cell keeps for what the
// user typed. The window applies them to its widgets.

#include <array>
#include <string>
#include <string_view>

#include "core/PileInput.h"

namespace rockpile {

// Which columns of the layer table are visible and which rock controls are enabled,
// for the strength mode, the coefficient mode, the interpolation basis, the expanded
// state of the table and the bored-pile mark.
struct RockControlRules {
    std::array<bool, col::Count> columnVisible{};
    bool coefficientModeEnabled = false;  // lb_chezhuxishu, cbb_chezhuxishu
    bool interpolationEnabled = false;    // lb_wanzhengchengdu, cbb_wanzhengchengdu,
                                          // ckb_dixiashui, ckb_ruanzhiyan
    bool reductionEnabled = false;        // lb_zhuanchongkong, cbe_zhuanchongkong
};
RockControlRules RockRules(StrengthMode strength, CoefficientMode coefficients,
                           InterpolationBasis basis, bool expanded, bool boredPile);

// The text a number cell of the layer table (lr, Kv, frk, C1, C2, qpa, qra) keeps for
// a typed text: the number with two decimals ("1" becomes "1.00", "-0" "0.00"), or the
// empty text for an entry that is no number (empty, a sign alone).
std::string CurrencyText(std::string_view typed);

}  // namespace rockpile

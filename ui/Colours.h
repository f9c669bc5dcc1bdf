#pragma once
// The one set of colours the window draws its texts and backgrounds in. Red, black and
// green are the colours the calculation core reports its messages in, so that a message
// and a control coloured by the window agree. (The banner picture and the faces of the
// round buttons are drawings with their own shades, kept with them.)

#include <QColor>

#include "core/ComputePile.h"

namespace rockpile::colour {

inline const QColor Red = QColor::fromRgba(kRed);
inline const QColor Black = QColor::fromRgba(kBlack);
inline const QColor Green = QColor::fromRgba(kGreen);
inline const QColor Blue = QColor::fromRgba(0xFF0000FFu);
inline const QColor Magenta = QColor::fromRgba(0xFFFF00FFu);
inline const QColor BlueViolet = QColor::fromRgba(0xFF8A2BE2u);
inline const QColor White = QColor::fromRgba(0xFFFFFFFFu);
inline const QColor DodgerBlue = QColor::fromRgba(0xFF1E90FFu);

// The gradients behind the pages (top to bottom) and behind the About window (top,
// and from 52 % of its height down).
inline const QColor PageTop = DodgerBlue;
inline const QColor PageBottom = White;
inline const QColor AboutTop = QColor::fromRgba(0xFFF48D72u);
inline const QColor AboutBottom = QColor::fromRgba(0xFFFEE9E9u);

// Disabled texts: dark enough to keep a contrast of at least 3:1 on the gradients
// above and on the light faces of disabled fields, combos and buttons.
inline const QColor DisabledWindowText = QColor::fromRgba(0xFF474747u);
inline const QColor DisabledControlText = QColor::fromRgba(0xFF6A6A6Au);

}  // namespace rockpile::colour

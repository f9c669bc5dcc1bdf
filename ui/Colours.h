#pragma once
// The one set of colours the window draws its texts in. Red, black and green are the
// colours the calculation core reports its messages in, so that a message and a
// control coloured by the window agree.

#include <QColor>

#include "core/ComputePile.h"

namespace rockpile::colour {

inline const QColor Red = QColor::fromRgba(kRed);
inline const QColor Black = QColor::fromRgba(kBlack);
inline const QColor Green = QColor::fromRgba(kGreen);
inline const QColor Blue = QColor::fromRgba(0xFF0000FFu);
inline const QColor Magenta = QColor::fromRgba(0xFFFF00FFu);
inline const QColor BlueViolet = QColor::fromRgba(0xFF8A2BE2u);

}  // namespace rockpile::colour

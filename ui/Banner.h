#pragma once
// The banner picture of the status strip, drawn by the program itself.

#include <QPixmap>
#include <QSize>

namespace rockpile {

// A picture of `size` design units drawn at `pixelRatio` pixels per unit (the strip
// shows it at a quarter of its pixel size with the default ratio): a pile socketed
// into rock strata and the name "嵌岩桩" on a radial gradient from light pink in the
// middle to white.
QPixmap DrawBanner(const QSize& size, int pixelRatio = 4);

}  // namespace rockpile

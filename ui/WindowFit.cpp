#include "ui/WindowFit.h"

#include <algorithm>
#include <cmath>

namespace rockpile {

QRect FitClientGeometry(const QSize& design, const QMargins& frame, const QRect& available)
{
    const int roomWidth = available.width() - frame.left() - frame.right();
    const int roomHeight = available.height() - frame.top() - frame.bottom();
    const double scale = std::clamp(std::min(double(roomWidth) / design.width(),
                                             double(roomHeight) / design.height()),
                                    0.0, 1.0);
    // Round down so the frame never pokes out by a pixel.
    const QSize client(std::max(1, int(std::floor(design.width() * scale))),
                       std::max(1, int(std::floor(design.height() * scale))));
    const QSize outer(client.width() + frame.left() + frame.right(),
                      client.height() + frame.top() + frame.bottom());
    const QPoint outerTopLeft(available.left() + (available.width() - outer.width()) / 2,
                              available.top() + (available.height() - outer.height()) / 2);
    return QRect(outerTopLeft + QPoint(frame.left(), frame.top()), client);
}

}  // namespace rockpile

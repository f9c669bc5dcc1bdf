#include "ui/WindowFit.h"

#include <algorithm>
#include <cmath>

namespace rockpile {

namespace {

QSize FitClientSize(const QSize& design, const QMargins& frame, const QRect& available)
{
    const int roomWidth = available.width() - frame.left() - frame.right();
    const int roomHeight = available.height() - frame.top() - frame.bottom();
    const double scale = std::clamp(std::min(double(roomWidth) / design.width(),
                                             double(roomHeight) / design.height()),
                                    0.0, 1.0);
    // Round down so the frame never pokes out by a pixel.
    return QSize(std::max(1, int(std::floor(design.width() * scale))),
                 std::max(1, int(std::floor(design.height() * scale))));
}

}  // namespace

QRect FitClientGeometry(const QSize& design, const QMargins& frame, const QRect& available)
{
    return FitClientGeometry(design, frame, available, available.center());
}

QRect FitClientGeometry(const QSize& design, const QMargins& frame, const QRect& available,
                        const QPoint& centre)
{
    const QSize client = FitClientSize(design, frame, available);
    QRect outer(QPoint(), QSize(client.width() + frame.left() + frame.right(),
                                client.height() + frame.top() + frame.bottom()));
    // QRect::center() rounds down; centring the outer size on it the same way keeps a
    // window centred in an area exactly (equal room on both sides, give or take one).
    outer.moveLeft(centre.x() - (outer.width() - 1) / 2);
    outer.moveTop(centre.y() - (outer.height() - 1) / 2);
    // Keep it inside the available area; the top-left corner wins if it is too large.
    outer.moveLeft(std::max(available.left(), std::min(outer.left(), available.right() - outer.width() + 1)));
    outer.moveTop(std::max(available.top(), std::min(outer.top(), available.bottom() - outer.height() + 1)));
    return QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), client);
}

}  // namespace rockpile

#pragma once
// Where a window of a fixed aspect opens: the largest client area of the design's
// proportions, never larger than the design, whose frame fits the available area of
// the screen (the screen less task bars and docks), centred there or on a given point
// as far as the available area allows.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace rockpile {

// The client geometry (what QWidget::setGeometry takes) for a window of `design` size
// with window-manager `frame` margins on a screen whose free area is `available`,
// centred in the available area.
QRect FitClientGeometry(const QSize& design, const QMargins& frame, const QRect& available);

// The same size, with the frame centred on `centre` and then moved the least distance
// that keeps it inside `available` (a popup over its window, say).
QRect FitClientGeometry(const QSize& design, const QMargins& frame, const QRect& available,
                        const QPoint& centre);

}  // namespace rockpile

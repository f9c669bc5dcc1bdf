#pragma once
// Where a window of a fixed aspect opens: the largest client area of the design's
// proportions, never larger than the design, whose frame fits the available area of
// the screen (the screen less task bars and docks), centred there.

#include <QMargins>
#include <QRect>
#include <QSize>

namespace rockpile {

// The client geometry (what QWidget::setGeometry takes) for a window of `design` size
// with window-manager `frame` margins on a screen whose free area is `available`.
QRect FitClientGeometry(const QSize& design, const QMargins& frame, const QRect& available);

}  // namespace rockpile

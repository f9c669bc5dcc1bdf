#pragma once
// A page of the window with a fixed design size. Its controls are placed in design
// units; whenever the page is resized, every control's geometry and font are scaled by
// one factor s = min(width / designWidth, height / designHeight) and the content is
// centred, so the page keeps its proportions at any window size. At the design size
// s is 1 and every control stands exactly where it was placed.

#include <QHash>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QWidget>

namespace rockpile {

// The text size of a control is a design size in pixels: a control placed with text
// size 24 draws its text 24 pixels high at scale 1.
inline constexpr double kDefaultTextSize = 12.0;

class ScaledPage : public QWidget {
    Q_OBJECT
public:
    explicit ScaledPage(const QSizeF& designSize, QWidget* parent = nullptr);

    QSizeF designSize() const { return designSize_; }
    double scale() const { return scale_; }

    // Records `child` at `rect` (design units, relative to its parent widget, which is
    // this page or a control already placed on it) with a design text size, and
    // applies the current scale at once. `child` must already have its parent set.
    void place(QWidget* child, const QRectF& rect, double textSize = kDefaultTextSize);

    // Changes the recorded design text size of a placed control (e.g. a font size
    // chosen by the user) and applies it at the current scale.
    void setTextSize(QWidget* child, double textSize);
    double textSize(const QWidget* child) const;
    QRectF designRect(const QWidget* child) const;

signals:
    // After every resize, with the scale now applied; for content that a control does
    // not scale by itself (column widths and row heights of grids).
    void scaleChanged(double scale);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placement {
        QPointer<QWidget> widget;
        QRectF rect;
        double textSize = kDefaultTextSize;
    };
    void apply(Placement& placement) const;
    void applyAll();

    QSizeF designSize_;
    double scale_ = 1.0;
    QPointF origin_;
    QHash<const QWidget*, Placement> placements_;
};

}  // namespace rockpile

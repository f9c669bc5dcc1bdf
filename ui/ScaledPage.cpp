#include "ui/ScaledPage.h"

#include <QResizeEvent>
#include <algorithm>
#include <cmath>

namespace rockpile {

ScaledPage::ScaledPage(const QSizeF& designSize, QWidget* parent)
    : QWidget(parent), designSize_(designSize)
{
    resize(designSize.toSize());
}

void ScaledPage::place(QWidget* child, const QRectF& rect, double textSize)
{
    Placement& placement = placements_[child];
    placement.widget = child;
    placement.rect = rect;
    placement.textSize = textSize;
    apply(placement);
}

void ScaledPage::setTextSize(QWidget* child, double textSize)
{
    auto it = placements_.find(child);
    if (it == placements_.end()) return;
    it->textSize = textSize;
    apply(*it);
}

double ScaledPage::textSize(const QWidget* child) const
{
    auto it = placements_.constFind(child);
    return it == placements_.constEnd() ? 0.0 : it->textSize;
}

QRectF ScaledPage::designRect(const QWidget* child) const
{
    auto it = placements_.constFind(child);
    return it == placements_.constEnd() ? QRectF() : it->rect;
}

void ScaledPage::apply(Placement& placement) const
{
    QWidget* widget = placement.widget;
    if (!widget) return;
    const QRectF& r = placement.rect;
    // Controls placed directly on the page move with the centred content; controls
    // inside a group box are placed relative to the box, which is already scaled.
    const QPointF offset = widget->parentWidget() == this ? origin_ : QPointF();
    const double left = std::round(offset.x() + r.left() * scale_);
    const double top = std::round(offset.y() + r.top() * scale_);
    const double right = std::round(offset.x() + r.right() * scale_);
    const double bottom = std::round(offset.y() + r.bottom() * scale_);
    widget->setGeometry(int(left), int(top), int(right - left), int(bottom - top));

    QFont font = widget->font();
    font.setPixelSize(std::max(1, int(std::lround(placement.textSize * scale_))));
    widget->setFont(font);
}

void ScaledPage::applyAll()
{
    for (auto it = placements_.begin(); it != placements_.end();) {
        if (!it->widget) {
            it = placements_.erase(it);
            continue;
        }
        apply(*it);
        ++it;
    }
}

void ScaledPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const double sx = width() / designSize_.width();
    const double sy = height() / designSize_.height();
    scale_ = std::min(sx, sy);
    origin_ = QPointF((width() - designSize_.width() * scale_) / 2.0,
                      (height() - designSize_.height() * scale_) / 2.0);
    applyAll();
    emit scaleChanged(scale_);
}

}  // namespace rockpile

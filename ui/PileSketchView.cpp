#include "ui/PileSketchView.h"

#include <QPainter>

#include "book/ReportRenderer.h"

namespace rockpile {

PileSketchView::PileSketchView(QWidget* parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void PileSketchView::setSketch(const book::PileSketchData& data)
{
    data_ = data;
    hasData_ = true;
    update();
}

void PileSketchView::clear()
{
    hasData_ = false;
    update();
}

void PileSketchView::paintEvent(QPaintEvent*)
{
    if (!hasData_) return;
    QPainter p(this);
    QFont f = book::ReportFont(10);
    f.setPixelSize(std::max(9, std::min(width(), height() * 2) / 30));
    const int margin = 8;
    book::DrawPileSketch(p, QRectF(rect()).adjusted(margin, margin, -margin, -margin), data_, f);
}

}  // namespace rockpile

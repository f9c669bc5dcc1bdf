#include "ui/ReportGridView.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

#include "book/CharGrid.h"

namespace rockpile {
namespace {
constexpr int kMargin = 1;  // pixels left of the first cell and above the first line
}

ReportGridView::ReportGridView(QWidget* parent) : QAbstractScrollArea(parent), renderer_(QFont())
{
    setFrameShape(QFrame::NoFrame);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // At the page's default size a text report entry (50 cells of 7 pixels) is as wide
    // as the view less a full-width scroll bar; a slimmer bar keeps it whole.
    verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar:vertical { width: 9px; }"));
    updateRenderer();
}

void ReportGridView::setLines(const QStringList& lines)
{
    lines_ = lines;
    widestCells_ = book::WidestLine(lines_);
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

void ReportGridView::setFontPixelSize(int pixels)
{
    QFont f = font();
    f.setPixelSize(std::max(1, pixels));
    setFont(f);  // changeEvent lays the view out again
}

int ReportGridView::fontPixelSize() const { return renderer_.font().pixelSize(); }

QSize ReportGridView::sizeHint() const
{
    const auto m = renderer_.metrics(nullptr);
    return {int(std::ceil(widestCells_ * m.cell)) + 2 * kMargin + verticalScrollBar()->sizeHint().width(),
            int(std::ceil(25 * m.lineHeight))};
}

void ReportGridView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) {
        updateRenderer();
        updateScrollBars();
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(event);
}

void ReportGridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ReportGridView::updateRenderer()
{
    QFont f = book::ReportFont(10);
    const QFont own = font();
    if (own.pixelSize() > 0) f.setPixelSize(own.pixelSize());
    else f.setPointSizeF(own.pointSizeF());
    renderer_.setFont(f);
}

void ReportGridView::updateScrollBars()
{
    const auto m = renderer_.metrics(viewport());
    const int width = int(std::ceil(widestCells_ * m.cell)) + 2 * kMargin;
    const int height = int(std::ceil(lines_.size() * m.lineHeight)) + 2 * kMargin;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, int(m.cell)));
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(std::max(1, int(m.lineHeight)));
}

void ReportGridView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.setPen(palette().color(QPalette::Text));
    const auto m = renderer_.metrics(viewport());
    const double left = kMargin - horizontalScrollBar()->value();
    const double top = kMargin - verticalScrollBar()->value();
    // Only the lines that show.
    const int first = std::max(0, int(std::floor(-top / m.lineHeight)));
    const int last = std::min(int(lines_.size()) - 1, int(std::ceil((viewport()->height() - top) / m.lineHeight)));
    for (int i = first; i <= last; ++i) renderer_.drawLine(p, left, top + i * m.lineHeight, lines_.at(i));
}

}  // namespace rockpile

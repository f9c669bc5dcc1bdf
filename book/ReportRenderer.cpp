#include "book/ReportRenderer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

#include "book/CharGrid.h"

namespace rockpile::book {

QString ReportFontFamily()
{
    for (const char* candidate : {"WenQuanYi Zen Hei Mono", "SimHei", "WenQuanYi Micro Hei Mono",
                                  "Noto Sans Mono CJK SC", "Noto Sans CJK SC"}) {
        const QString family = QString::fromLatin1(candidate);
        if (QFontDatabase::hasFamily(family)) return family;
    }
    return {};
}

QFont ReportFont(double pointSize)
{
    QFont font(ReportFontFamily());
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    font.setKerning(false);
    return font;
}

ReportRenderer::ReportRenderer(const QFont& font) { setFont(font); }

void ReportRenderer::setFont(const QFont& font)
{
    font_ = font;
    font_.setKerning(false);
}

ReportRenderer::Metrics ReportRenderer::metrics(QPaintDevice* device) const
{
    const QFontMetricsF fm = device ? QFontMetricsF(font_, device) : QFontMetricsF(font_);
    Metrics m;
    m.cell = fm.horizontalAdvance(QLatin1Char('0'));
    m.ascent = fm.ascent();
    m.lineHeight = std::ceil(fm.height() + fm.leading());
    if (m.lineHeight < fm.lineSpacing()) m.lineHeight = fm.lineSpacing();
    return m;
}

void ReportRenderer::drawLine(QPainter& painter, double left, double top, const QString& line) const
{
    painter.setFont(font_);
    const QFontMetricsF fm(font_, painter.device());
    const double cell = fm.horizontalAdvance(QLatin1Char('0'));
    const double baseline = top + fm.ascent();
    const GridLine grid = PlaceOnGrid(line);

    // Characters whose own advance fills their cells exactly are drawn together as
    // one run (one text object, which also keeps words whole for text extraction);
    // any other character is centred in its cells on its own, and narrowed if it is
    // wider than them.
    const double tolerance = cell * 0.01;
    QString run;
    double runLeft = 0;
    int runEnd = -1;  // cell after the run's last character
    int runCells = 0;
    const auto flush = [&] {
        if (run.isEmpty()) return;
        if (std::abs(fm.horizontalAdvance(run) - runCells * cell) <= tolerance) {
            painter.drawText(QPointF(runLeft, baseline), run);
        } else {  // the font shapes the run differently: place each character
            const GridLine parts = PlaceOnGrid(run);
            for (const GridChar& c : parts.chars)
                painter.drawText(QPointF(runLeft + c.cell * cell, baseline), c.text);
        }
        run.clear();
        runCells = 0;
    };
    for (const GridChar& c : grid.chars) {
        const double slot = c.cells * cell;
        const double advance = fm.horizontalAdvance(c.text);
        const double x = left + c.cell * cell;
        if (std::abs(advance - slot) <= tolerance) {
            if (run.isEmpty() || runEnd != c.cell) {
                flush();
                runLeft = x;
            }
            run += c.text;
            runCells += c.cells;
            runEnd = c.cell + c.cells;
            continue;
        }
        flush();
        if (advance <= slot) {
            painter.drawText(QPointF(x + (slot - advance) / 2, baseline), c.text);
        } else {
            painter.save();
            painter.translate(x, baseline);
            painter.scale(slot / advance, 1.0);
            painter.drawText(QPointF(0, 0), c.text);
            painter.restore();
        }
    }
    flush();
}

}  // namespace rockpile::book

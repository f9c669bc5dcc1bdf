#pragma once
// Draws report lines on the character grid with a QPainter: the one renderer of the
// screen view, the printer and the PDF.

#include <QFont>
#include <QString>

class QPainter;
class QPaintDevice;
class QPointF;

namespace rockpile::book {

// The family the reports are drawn in: "WenQuanYi Zen Hei Mono" (fonts-wqy-zenhei),
// else "SimHei", else the first CJK family the font database knows of those below.
// Empty when none is installed.
QString ReportFontFamily();

// The report font at `pointSize` (kerning off: every character sits in its own cells).
QFont ReportFont(double pointSize);

class ReportRenderer {
public:
    explicit ReportRenderer(const QFont& font);

    const QFont& font() const { return font_; }
    void setFont(const QFont& font);

    // Sizes on `device` (nullptr: the screen): the width of one cell and the height of
    // one line, in the device's pixels.
    struct Metrics {
        double cell = 0;
        double lineHeight = 0;
        double ascent = 0;
    };
    Metrics metrics(QPaintDevice* device) const;

    // Draws `line` with the left edge of its first cell at `left` and the top of its
    // line box at `top`, in the painter's current coordinates and pen.
    void drawLine(QPainter& painter, double left, double top, const QString& line) const;

private:
    QFont font_;
};

}  // namespace rockpile::book

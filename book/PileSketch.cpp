#include "book/PileSketch.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "report/Format.h"
#include "report/Texts.h"

namespace rockpile::book {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(SectionType type) { return Q(std::string(SectionName(type))); }

double Number(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

// Rock hatch colours, light enough that the labels stay readable.
const QColor kLayerColours[] = {QColor(0xE8, 0xD9, 0xC0), QColor(0xD6, 0xE4, 0xD0), QColor(0xD9, 0xDD, 0xEE),
                                QColor(0xEE, 0xDC, 0xDC), QColor(0xE4, 0xE4, 0xD2)};

// A horizontal dimension line with end ticks and its text above.
void DimensionH(QPainter& p, double x1, double x2, double y, const QString& text)
{
    const double t = 3;
    p.drawLine(QPointF(x1, y), QPointF(x2, y));
    p.drawLine(QPointF(x1, y - t), QPointF(x1, y + t));
    p.drawLine(QPointF(x2, y - t), QPointF(x2, y + t));
    const QFontMetricsF fm(p.font(), p.device());
    p.drawText(QPointF((x1 + x2 - fm.horizontalAdvance(text)) / 2, y - t - fm.descent()), text);
}

void DimensionV(QPainter& p, double x, double y1, double y2, const QString& text)
{
    const double t = 3;
    p.drawLine(QPointF(x, y1), QPointF(x, y2));
    p.drawLine(QPointF(x - t, y1), QPointF(x + t, y1));
    p.drawLine(QPointF(x - t, y2), QPointF(x + t, y2));
    const QFontMetricsF fm(p.font(), p.device());
    p.save();
    p.translate(x - t - fm.descent(), (y1 + y2 + fm.horizontalAdvance(text)) / 2);
    p.rotate(-90);
    p.drawText(QPointF(0, 0), text);
    p.restore();
}

}  // namespace

PileSketchData MakePileSketchData(const ReportSnapshot& s, const PileResult& result, int entryNumber)
{
    PileSketchData d;
    d.entryNumber = entryNumber;
    d.sectionKind = static_cast<int>(s.section) - 1;
    d.sizeA = Q(s.ddText).trimmed();
    d.sizeB = Q(s.tyzdText).trimmed();
    d.a = Number(d.sizeA);
    d.b = Number(d.sizeB);
    d.square = s.section == SectionType::Rectangle && d.a > 0 && d.a == d.b;
    for (const auto& row : s.rows) {
        SketchLayer layer;
        layer.index = Q(row[col::Number]).trimmed();
        layer.name = Q(row[col::Weathering]).trimmed();
        layer.thicknessText = Q(row[col::Lr]).trimmed();
        layer.thickness = Number(layer.thicknessText);
        if (s.strengthMode == StrengthMode::GivenResistances)
            layer.strengthText = QStringLiteral("qpa=%1 qra=%2 kPa")
                                     .arg(Q(row[col::Qpa]).trimmed(), Q(row[col::Qra]).trimmed());
        else
            layer.strengthText = QStringLiteral("frk=%1 MPa").arg(Q(row[col::Frk]).trimmed());
        d.layers.push_back(layer);
    }
    d.raText = QStringLiteral("Ra = %1 kN").arg(Q(FormatFixed(result.ra, 10, 2)));
    d.verdict = Q(result.verdict);
    return d;
}

void DrawPileSketch(QPainter& p, const QRectF& area, const PileSketchData& d, const QFont& font)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font;
    p.setFont(f);
    const QFontMetricsF fm(f, p.device());
    const double line = fm.lineSpacing();
    const QPen pen(Qt::black, std::max(1.0, line / 14));
    p.setPen(pen);

    // Left third: the section seen from above; the rest: the socket in elevation.
    const QRectF sectionArea(area.left(), area.top() + line, area.width() * 0.3, area.height() - 3 * line);
    const QRectF socketArea(area.left() + area.width() * 0.34, area.top() + line,
                            area.width() * 0.66, area.height() - 3 * line);

    // Title.
    p.drawText(QPointF(area.left(), area.top() + fm.ascent()),
               QStringLiteral("ZH%1 桩身截面与嵌岩段示意").arg(d.entryNumber));

    // Section, scaled so that its larger size fills the area less a margin for the
    // dimension lines.
    const double a = d.a > 0 ? d.a : 1;
    const double b = d.sectionKind == 1 ? std::max(0.0, d.b) : (d.b > 0 ? d.b : a);
    const double widthMm = d.sectionKind == 1 ? a + b : a;  // ellipse: straight part + diameter
    const double heightMm = d.sectionKind == 0 || d.sectionKind == 1 ? a : b;
    const double room = std::min(sectionArea.width() - 2 * line, sectionArea.height() - 3 * line);
    const double scale = room / std::max(widthMm, heightMm);
    const double w = widthMm * scale, h = heightMm * scale;
    const QPointF centre(sectionArea.left() + line + room / 2, sectionArea.top() + 2 * line + room / 2);
    const QRectF box(centre.x() - w / 2, centre.y() - h / 2, w, h);
    p.setBrush(QColor(0xDD, 0xDD, 0xDD));
    QString kind;
    if (d.sectionKind == 0) {
        p.drawEllipse(box);
        kind = Q(SectionType::Circular);
        DimensionH(p, box.left(), box.right(), box.top() - line * 0.4, QStringLiteral("d=%1").arg(d.sizeA));
    } else if (d.sectionKind == 1) {
        QPainterPath path;
        path.addRoundedRect(box, h / 2, h / 2);
        p.drawPath(path);
        kind = Q(SectionType::Ellipse);
        DimensionH(p, box.left(), box.right(), box.top() - line * 0.4, QStringLiteral("d+c"));
        DimensionH(p, box.left() + h / 2, box.right() - h / 2, box.bottom() + line * 1.2,
                   QStringLiteral("c=%1").arg(d.sizeB));
        DimensionV(p, box.left() - line * 0.4, box.top(), box.bottom(), QStringLiteral("d=%1").arg(d.sizeA));
    } else {
        p.drawRect(box);
        kind = Q(d.square ? SectionType::Square : SectionType::Rectangle);
        DimensionH(p, box.left(), box.right(), box.top() - line * 0.4, QStringLiteral("a=%1").arg(d.sizeA));
        DimensionV(p, box.left() - line * 0.4, box.top(), box.bottom(), QStringLiteral("b=%1").arg(d.sizeB));
    }
    p.setBrush(Qt::NoBrush);
    p.drawText(QPointF(sectionArea.left(), sectionArea.bottom()), kind + QStringLiteral(" (mm)"));

    // Socket: layers as bands, thickness to scale; the pile crosses all of them.
    double total = 0;
    for (const SketchLayer& l : d.layers) total += std::max(0.0, l.thickness);
    const double top = socketArea.top() + line;
    const double depth = socketArea.height() - line;
    const double bandLeft = socketArea.left();
    const double bandWidth = socketArea.width() * 0.42;
    const double pileWidth = bandWidth * 0.3;
    const double pileLeft = bandLeft + (bandWidth - pileWidth) / 2;
    const double labelX = bandLeft + bandWidth + line * 1.6;
    double y = top;
    p.drawText(QPointF(labelX, top - fm.descent()), QStringLiteral("嵌岩段 (m)"));
    for (int i = 0; i < d.layers.size(); ++i) {
        const SketchLayer& l = d.layers[i];
        const double part = total > 0 ? std::max(0.0, l.thickness) / total : 1.0 / d.layers.size();
        const double bandH = depth * part;
        const QRectF band(bandLeft, y, bandWidth, bandH);
        p.fillRect(band, kLayerColours[i % 5]);
        p.drawRect(band);
        if (bandH > 0) DimensionV(p, labelX - line * 0.8, y, y + bandH, l.thicknessText);
        // Labels: index and name, then the strength as entered; kept inside the band
        // where it is high enough, else at its middle.
        const double mid = y + bandH / 2;
        const QString first = QStringLiteral("%1 %2  hr%1=%3").arg(l.index, l.name, l.thicknessText);
        if (bandH >= 2 * line) {
            p.drawText(QPointF(labelX, mid - line * 0.15), first);
            p.drawText(QPointF(labelX, mid + line * 0.85), l.strengthText);
        } else {
            p.drawText(QPointF(labelX, mid + fm.ascent() / 2), first + QStringLiteral("  ") + l.strengthText);
        }
        y += bandH;
    }
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    p.drawRect(QRectF(pileLeft, socketArea.top(), pileWidth, y - socketArea.top()));
    p.setBrush(Qt::NoBrush);

    // Ra under the drawing.
    QFont bold = f;
    bold.setBold(true);
    p.setFont(bold);
    p.drawText(QPointF(area.left(), area.bottom() - fm.descent()),
               d.raText + QStringLiteral("    ") + d.verdict);
    p.restore();
}

}  // namespace rockpile::book

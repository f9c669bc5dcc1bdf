#include "ui/Banner.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace rockpile {

QPixmap DrawBanner(const QSize& size, int pixelRatio)
{
    const double w = size.width();
    const double h = size.height();
    QPixmap pixmap(size * pixelRatio);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(pixelRatio, pixelRatio);

    // Background: light pink in the middle fading to white at the edges.
    QRadialGradient background(QPointF(w / 2, h / 2), w / 2);
    background.setColorAt(0, QColor(0xF5, 0xBD, 0xBD));
    background.setColorAt(1, Qt::white);
    p.save();
    p.translate(w / 2, h / 2);
    p.scale(1.0, h / w * 2.2);  // stretch the circle into a flat ellipse along the strip
    p.translate(-w / 2, -h / 2);
    p.fillRect(QRectF(0, -h * 4, w, h * 9), background);
    p.restore();

    // Motif at the left: soil over two rock strata, a pile socketed into the lower rock.
    const QRectF motif(8, 3, 64, h - 6);
    const double soilBottom = motif.top() + motif.height() * 0.35;
    const double rockMid = motif.top() + motif.height() * 0.65;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xD8, 0xC3, 0x9C));
    p.drawRect(QRectF(motif.left(), motif.top() + 4, motif.width(), soilBottom - motif.top() - 4));
    QPainterPath upperRock;
    upperRock.moveTo(motif.left(), soilBottom);
    upperRock.cubicTo(motif.left() + 20, soilBottom - 3, motif.left() + 40, soilBottom + 3,
                      motif.right(), soilBottom - 1);
    upperRock.lineTo(motif.right(), rockMid);
    upperRock.cubicTo(motif.left() + 40, rockMid + 3, motif.left() + 20, rockMid - 3,
                      motif.left(), rockMid);
    upperRock.closeSubpath();
    p.setBrush(QColor(0x9A, 0x8C, 0x7E));
    p.drawPath(upperRock);
    p.setBrush(QColor(0x6E, 0x63, 0x5B));
    QPainterPath lowerRock;
    lowerRock.moveTo(motif.left(), rockMid);
    lowerRock.cubicTo(motif.left() + 20, rockMid - 3, motif.left() + 40, rockMid + 3,
                      motif.right(), rockMid);
    lowerRock.lineTo(motif.right(), motif.bottom());
    lowerRock.lineTo(motif.left(), motif.bottom());
    lowerRock.closeSubpath();
    p.drawPath(lowerRock);
    // Cracks in the rock.
    p.setPen(QPen(QColor(0x4A, 0x42, 0x3C), 0.6));
    p.drawLine(QPointF(motif.left() + 6, rockMid + 3), QPointF(motif.left() + 14, motif.bottom() - 1));
    p.drawLine(QPointF(motif.right() - 8, soilBottom + 2), QPointF(motif.right() - 14, rockMid - 1));
    // The pile: a concrete column from above the ground into the lower rock.
    const QRectF pile(motif.center().x() - 6, motif.top(), 12, motif.bottom() - 3 - motif.top());
    QLinearGradient concrete(pile.topLeft(), pile.topRight());
    concrete.setColorAt(0, QColor(0xB8, 0xBE, 0xC6));
    concrete.setColorAt(0.45, QColor(0xF2, 0xF4, 0xF7));
    concrete.setColorAt(1, QColor(0x8E, 0x96, 0xA0));
    p.setPen(QPen(QColor(0x55, 0x5D, 0x66), 0.6));
    p.setBrush(concrete);
    p.drawRoundedRect(pile, 1.5, 1.5);
    // Load arrow on the pile head.
    p.setPen(QPen(QColor(0x1E, 0x90, 0xFF), 1.2));
    p.setBrush(QColor(0x1E, 0x90, 0xFF));
    QPolygonF arrow;
    arrow << QPointF(pile.center().x() - 3, pile.top() + 2) << QPointF(pile.center().x() + 3, pile.top() + 2)
          << QPointF(pile.center().x(), pile.top() + 6);
    p.drawPolygon(arrow);

    // The name.
    QFont title;
    title.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("SimHei")});
    title.setPixelSize(19);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(0x8A, 0x2B, 0xE2));
    const QRectF nameRect(82, 0, 110, h);
    p.drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("嵌岩桩"));
    QFont small = title;
    small.setPixelSize(10);
    small.setBold(false);
    p.setFont(small);
    p.setPen(QColor(0x55, 0x55, 0x66));
    p.drawText(QRectF(w - 150, 0, 140, h), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("DBJ 15-31-2016  Ra"));
    p.setPen(QPen(QColor(0x1E, 0x90, 0xFF, 120), 0.8));
    p.drawLine(QPointF(150, h / 2), QPointF(w - 156, h / 2));
    p.end();
    return pixmap;
}

}  // namespace rockpile

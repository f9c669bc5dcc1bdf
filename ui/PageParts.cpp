#include "ui/PageParts.h"

#include <QFontMetrics>
#include <algorithm>

namespace rockpile {

QLabel* MakeLabel(ScaledPage* page, QWidget* parent, const char* name, const QString& text, const QRectF& rect,
                  double textSize)
{
    auto* label = Named(new QLabel(text, parent), name);
    page->place(label, rect, textSize);
    return label;
}

RoundButton* MakeButton(ScaledPage* page, QWidget* parent, const char* name, const QString& text, double radius,
                        const QRectF& rect, double textSize)
{
    auto* button = Named(new RoundButton(text, radius, rect.height(), parent), name);
    page->place(button, rect, textSize);
    return button;
}

QComboBox* MakeCombo(ScaledPage* page, QWidget* parent, const char* name, const QStringList& items, int chosen,
                     const QRectF& rect, double textSize)
{
    auto* combo = Named(new QComboBox(parent), name);
    combo->addItems(items);
    combo->setCurrentIndex(chosen);
    page->place(combo, rect, textSize);
    return combo;
}

void SetBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

QString SavedPathLine(const QLabel* line, const QString& text, bool withLink)
{
    const QString linkText = QStringLiteral("打开文件夹");
    const QFontMetrics metrics(line->font());
    const QString link = withLink ? QStringLiteral("  <a href=\"%1\">%2</a>").arg(kOpenFolderHref, linkText) : QString();
    const int room = line->width() - (withLink ? metrics.horizontalAdvance(QStringLiteral("  ") + linkText) : 0) - 4;
    return metrics.elidedText(text, Qt::ElideMiddle, std::max(0, room)).toHtmlEscaped() + link;
}

}  // namespace rockpile

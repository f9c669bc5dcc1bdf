#pragma once
// The small steps every page takes to create its controls: name a control, place a
// label, a round button or a combo at a design rectangle, make a text bold.

#include <QComboBox>
#include <QLabel>
#include <QRectF>
#include <QString>
#include <QStringList>

#include "ui/Controls.h"
#include "ui/ScaledPage.h"

namespace rockpile {

// A design rectangle; `factor` scales its size (combos drawn "at 0.8").
inline QRectF Rect(double x, double y, double w, double h, double factor = 1.0)
{
    return QRectF(x, y, w * factor, h * factor);
}

template <typename W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* MakeLabel(ScaledPage* page, QWidget* parent, const char* name, const QString& text, const QRectF& rect,
                  double textSize = kDefaultTextSize);
RoundButton* MakeButton(ScaledPage* page, QWidget* parent, const char* name, const QString& text, double radius,
                        const QRectF& rect, double textSize = kDefaultTextSize);
QComboBox* MakeCombo(ScaledPage* page, QWidget* parent, const char* name, const QStringList& items, int chosen,
                     const QRectF& rect, double textSize);
void SetBold(QWidget* widget);

// The rich text of a line that says where a file went: `text` (which names the full
// path) shortened in its middle where the line is too narrow, so that the link
// "打开文件夹" after it always stays in view. Without `withLink`, the text alone.
QString SavedPathLine(const QLabel* line, const QString& text, bool withLink);
// What a click or Enter on the link of SavedPathLine hands to linkActivated.
inline const QString kOpenFolderHref = QStringLiteral("folder");

}  // namespace rockpile

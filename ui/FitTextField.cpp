#include "ui/FitTextField.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

namespace rockpile {

namespace {
// QLineEdit keeps this many pixels free on each side of its text inside the contents
// rectangle of the frame.
constexpr int kLineEditInnerMargin = 2;
}  // namespace

FitTextField::FitTextField(double designTextSize, double designHeight, QWidget* parent)
    : QLineEdit(parent), sizeRatio_(designHeight > 0 ? designTextSize / designHeight : 0.0)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        setToolTip(text);
        fit();
    });
}

int FitTextField::nominalPixelSize() const
{
    return std::max(1, int(std::lround(sizeRatio_ * height())));
}

int FitTextField::textRoomWidth() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditInnerMargin;
}

bool FitTextField::fits(const QString& text, const QFont& font) const
{
    // The line edit scrolls as soon as the rounded text width plus one pixel for the
    // cursor exceeds its room; round up so that a fitting text never scrolls.
    const double advance = QFontMetricsF(font).horizontalAdvance(text);
    return int(std::ceil(advance)) + 1 <= textRoomWidth();
}

void FitTextField::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    // A font set from outside brings its own size; the field sizes it again.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fit();
}

void FitTextField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    fit();
}

void FitTextField::fit()
{
    if (fitting_ || sizeRatio_ <= 0) return;
    const QString shown = text();
    QFont probe = font();
    const auto fitsAt = [&](int pixels) {
        probe.setPixelSize(pixels);
        return fits(shown, probe);
    };
    int size = nominalPixelSize();
    if (!shown.isEmpty() && textRoomWidth() > 0 && !fitsAt(size)) {
        // Largest size that fits: the width grows with the size, so bisect.
        int low = 1, high = size - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (fitsAt(mid)) low = mid; else high = mid - 1;
        }
        size = low;
    }
    if (font().pixelSize() == size) return;
    QFont sized = font();
    sized.setPixelSize(size);
    fitting_ = true;
    setFont(sized);
    fitting_ = false;
    // Show the text from its first character.
    setCursorPosition(0);
}

}  // namespace rockpile

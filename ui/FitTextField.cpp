#include "ui/FitTextField.h"

#include <QEvent>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

namespace rockpile {

namespace {
// QLineEdit keeps this many pixels free on each side of its text inside the contents
// rectangle of the frame.
constexpr int kLineEditInnerMargin = 2;
}  // namespace

FitTextField::FitTextField(QWidget* parent) : QLineEdit(parent)
{
    nominalPixelSize_ = font().pixelSize() > 0 ? font().pixelSize() : fontInfo().pixelSize();
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        setToolTip(text);
        fit();
    });
}

int FitTextField::textRoomWidth() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    return contents.width() - margins.left() - margins.right() - 2 * kLineEditInnerMargin;
}

void FitTextField::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && !fitting_) {
        // A size set from outside (the page's scaling) is the new nominal size.
        nominalPixelSize_ = font().pixelSize() > 0 ? font().pixelSize() : fontInfo().pixelSize();
        fit();
    }
}

void FitTextField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    fit();
}

void FitTextField::fit()
{
    if (fitting_ || nominalPixelSize_ <= 0) return;
    const int room = textRoomWidth();
    QFont probe = font();
    const auto fits = [&](int pixels) {
        probe.setPixelSize(pixels);
        return QFontMetrics(probe).horizontalAdvance(text()) <= room;
    };
    int size = nominalPixelSize_;
    if (!text().isEmpty() && room > 0 && !fits(size)) {
        // Largest size that fits: the advance grows with the size, so bisect.
        int low = 1, high = size - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (fits(mid)) low = mid; else high = mid - 1;
        }
        size = low;
    }
    if (font().pixelSize() == size) return;
    QFont shrunk = font();
    shrunk.setPixelSize(size);
    fitting_ = true;
    setFont(shrunk);
    fitting_ = false;
    // Show the text from its first character.
    setCursorPosition(0);
}

}  // namespace rockpile

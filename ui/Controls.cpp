#include "ui/Controls.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QStyleOptionButton>
#include <algorithm>

namespace rockpile {

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, colour);
        palette.setColor(group, QPalette::Text, colour);
        palette.setColor(group, QPalette::ButtonText, colour);
    }
    widget->setPalette(palette);
    // The line edit of an editable combo has a palette of its own.
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
        combo->lineEdit()->setPalette(palette);
}

QColor TextColour(const QWidget* widget)
{
    return widget->palette().color(QPalette::Active, QPalette::WindowText);
}

void UseLegibleDisabledText(QWidget* window)
{
    QPalette palette = window->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kDisabledWindowText);
    palette.setColor(QPalette::Disabled, QPalette::Text, kDisabledControlText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledControlText);
    window->setPalette(palette);
}

RoundButton::RoundButton(const QString& text, double radius, double designHeight, QWidget* parent)
    : QPushButton(text, parent), radiusRatio_(designHeight > 0 ? radius / designHeight : 0.0)
{
    setCursor(Qt::PointingHandCursor);
}

double RoundButton::radius() const
{
    return std::min(radiusRatio_ * height(), std::min(width(), height()) / 2.0);
}

void RoundButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double r = radius();

    QColor top(0xFD, 0xFD, 0xFD);
    QColor bottom(0xDC, 0xE4, 0xEE);
    if (!isEnabled()) {
        top = bottom = QColor(0xE6, 0xE6, 0xE6);
    } else if (isDown()) {
        top = QColor(0xC8, 0xD6, 0xE8);
        bottom = QColor(0xB0, 0xC4, 0xDE);
    } else if (underMouse()) {
        top = QColor(0xF0, 0xF8, 0xFF);
        bottom = QColor(0xCC, 0xE4, 0xFA);
    }
    QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    QPainterPath path;
    path.addRoundedRect(frame, r, r);
    painter.fillPath(path, fill);
    painter.setPen(QPen(hasFocus() ? QColor(0x1E, 0x90, 0xFF) : QColor(0x8C, 0x9C, 0xB0), 1));
    painter.drawPath(path);

    painter.setFont(fittedFont());
    painter.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::ButtonText)
                               : palette().color(QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect(), textFlags(), text());
}

QRect RoundButton::textRect() const
{
    // Clear of the one-pixel frame.
    return rect().adjusted(1, 1, -1, -1);
}

int RoundButton::textFlags() const
{
    const QRect room = textRect();
    const int byWords = Qt::AlignCenter | Qt::TextWordWrap;
    if (QFontMetrics(font()).boundingRect(room, byWords, text()).width() <= room.width())
        return byWords;
    return Qt::AlignCenter | Qt::TextWrapAnywhere;
}

QFont RoundButton::fittedFont() const
{
    const QRect room = textRect();
    const int flags = textFlags();
    QFont fitted = font();
    const auto fits = [&] {
        const QRect needed = QFontMetrics(fitted).boundingRect(room, flags, text());
        return needed.width() <= room.width() && needed.height() <= room.height();
    };
    int pixels = fitted.pixelSize() > 0 ? fitted.pixelSize() : QFontInfo(fitted).pixelSize();
    while (pixels > 1 && !fits()) fitted.setPixelSize(--pixels);
    return fitted;
}

void RoundButton::keyPressEvent(QKeyEvent* event)
{
    // Enter and Return press the focused button; with Ctrl or Alt they stay shortcuts.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        event->accept();
        if (isEnabled()) click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

EditCombo::EditCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // no inline completion: the typed text is the value
    connect(lineEdit(), &QLineEdit::editingFinished, this, &EditCombo::commit);
    connect(this, &QComboBox::activated, this, &EditCombo::commit);
    connect(this, &QComboBox::currentIndexChanged, this, &EditCombo::commit);
}

void EditCombo::setText(const QString& text)
{
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(findText(text, Qt::MatchExactly));
        setEditText(text);
    }
    commit();
}

void EditCombo::replaceItems(const QStringList& items)
{
    const QSignalBlocker blocker(this);
    const QString text = currentText();
    clear();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(text);
}

void EditCombo::commit()
{
    const QString text = currentText();
    if (text == committed_) return;
    committed_ = text;
    emit committed();
}

}  // namespace rockpile

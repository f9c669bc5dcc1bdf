#pragma once
// Small control kinds of the window and the one way its code sets text colours.

#include <QColor>
#include <QComboBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

#include "ui/Colours.h"

namespace rockpile {

// Text colours. Every control's text colour is set and read through these two, so that
// labels, fields, combos and buttons agree on where the colour lives (the Active and
// Inactive groups of the roles WindowText, Text and ButtonText; disabled controls keep
// the style's grey).
void SetTextColour(QWidget* widget, const QColor& colour);
QColor TextColour(const QWidget* widget);

// Disabled texts of `window` and everything in it: dark enough to keep a contrast of at
// least 3:1 on the window's gradients and on the light faces of disabled fields, combos
// and buttons (the style's light grey is barely legible there).
inline const QColor kDisabledWindowText = colour::DisabledWindowText;
inline const QColor kDisabledControlText = colour::DisabledControlText;
void UseLegibleDisabledText(QWidget* window);

// A push button drawn with rounded corners. The radius is given in design units at the
// design height of the button and follows the button when the page is scaled. Its text
// is drawn whole: wrapped at words, or between any characters where a word is wider than
// the button (a tall narrow button stacks its characters), and at a smaller size only if
// it still does not fit. Enter or Return presses the focused button, as Space does.
class RoundButton : public QPushButton {
    Q_OBJECT
public:
    RoundButton(const QString& text, double radius, double designHeight, QWidget* parent);

    double radius() const;  // at the current size

    // Where the text is drawn, the flags it is laid out with and the font it fits in.
    QRect textRect() const;
    int textFlags() const;
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double radiusRatio_;
};

// An editable combo whose text counts as changed only when it is committed: the user
// picks an item, or types and then presses Enter or leaves the field (the keystrokes
// themselves commit nothing), or code sets a different text or item. `committed` is
// emitted once per change of the committed text; committing the same text again emits
// nothing. Code that sets the text must use setText (or setCurrentIndex) so that the
// change handler runs as after a user entry.
class EditCombo : public QComboBox {
    Q_OBJECT
public:
    explicit EditCombo(QWidget* parent);

    // Sets the text (no item is chosen unless the text equals an item) and commits it.
    void setText(const QString& text);
    // Replaces the list of suggestions without touching the text and without committing.
    void replaceItems(const QStringList& items);
    QString committedText() const { return committed_; }

signals:
    void committed();

private:
    void commit();

    QString committed_;
};

}  // namespace rockpile

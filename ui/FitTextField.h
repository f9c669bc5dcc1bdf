#pragma once
// A read-only result field that always shows its whole text.
//
// A figure cut at the left edge reads as a smaller figure ("178128.30" drawn in a field
// too narrow for it shows "78128.30"), so the field never scrolls its text: when the text
// does not fit at its nominal size, it is drawn at the largest smaller size that fits.
// The nominal size is a design text size at a design height (18 at 32, say) and follows
// the field's height, so it scales with the page like every other control; fonts set
// from outside (the page's scaling, bold) keep their family and weight, and the field
// chooses the size. The whole text is also the tooltip.

#include <QLineEdit>

namespace rockpile {

class FitTextField : public QLineEdit {
    Q_OBJECT
public:
    FitTextField(double designTextSize, double designHeight, QWidget* parent = nullptr);

    // The pixel size at the current height, before any shrinking.
    int nominalPixelSize() const;
    // The width available to the text: the contents rectangle of the frame less the
    // text margins and the line edit's own inner margin.
    int textRoomWidth() const;
    // Whether `text` drawn in `font` fits textRoomWidth() without scrolling.
    bool fits(const QString& text, const QFont& font) const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    double sizeRatio_;
    bool fitting_ = false;
};

}  // namespace rockpile

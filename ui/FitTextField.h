#pragma once
// A read-only result field that always shows its whole text.
//
// A figure cut at the left edge reads as a smaller figure ("178128.30" drawn in a field
// too narrow for it shows "78128.30"), so the field never scrolls its text: when the text
// does not fit at the page's font size, it is drawn at the largest smaller size that
// fits. The page keeps setting the nominal size (it scales with the window); the field
// only ever shrinks from it. The whole text is also the tooltip.

#include <QLineEdit>

namespace rockpile {

class FitTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit FitTextField(QWidget* parent = nullptr);

    // The pixel size the page asked for, before any shrinking.
    int nominalPixelSize() const { return nominalPixelSize_; }
    // The width available to the text inside the frame and margins.
    int textRoomWidth() const;

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    int nominalPixelSize_ = 0;
    bool fitting_ = false;
};

}  // namespace rockpile

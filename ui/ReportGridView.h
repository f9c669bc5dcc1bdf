#pragma once
// A read-only scrolling view of report lines drawn on the character grid, with the
// renderer of the printed book. The font family is the report font; the size follows
// the widget's font, so a page that scales its controls' fonts scales this view too.

#include <QAbstractScrollArea>
#include <QStringList>

#include "book/ReportRenderer.h"

namespace rockpile {

class ReportGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReportGridView(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);  // scrolls to the top
    const QStringList& lines() const { return lines_; }

    // Sets the text size in pixels (the size the font track bar gives).
    void setFontPixelSize(int pixels);
    int fontPixelSize() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateRenderer();
    void updateScrollBars();

    QStringList lines_;
    int widestCells_ = 0;
    book::ReportRenderer renderer_;
};

}  // namespace rockpile

#pragma once
// Shows the sketch of one pile in its socket, drawn from a copy of its data.

#include <QWidget>

#include "book/PileSketch.h"

namespace rockpile {

class PileSketchView : public QWidget {
    Q_OBJECT
public:
    explicit PileSketchView(QWidget* parent = nullptr);

    // Shows `data` (copied); clear() empties the view.
    void setSketch(const book::PileSketchData& data);
    void clear();
    bool hasSketch() const { return hasData_; }
    // The data shown (meaningful while hasSketch()).
    const book::PileSketchData& sketch() const { return data_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    book::PileSketchData data_;
    bool hasData_ = false;
};

}  // namespace rockpile

#pragma once
// The sketch of one pile in its socket: the section with its sizes, the rock layers of
// the socket to scale in depth, and Ra. Drawn from a copy of the calculation's data,
// never from controls.

#include <QFont>
#include <QString>
#include <QVector>

#include "report/Reports.h"

class QPainter;
class QRectF;

namespace rockpile::book {

struct SketchLayer {
    QString index;      // the layer number as the table shows it
    QString name;       // weathering, e.g. "中风化"
    double thickness = 0;  // hri, m
    QString thicknessText; // hri as entered
    QString strengthText;  // "frk=25.00MPa" or "qpa=… qra=…kPa", as entered
};

struct PileSketchData {
    int entryNumber = 0;
    int sectionKind = 0;   // 0 circle, 1 ellipse, 2 rectangle
    bool square = false;
    QString sizeA;         // d, or the long side a (mm, as entered)
    QString sizeB;         // c of an ellipse, or the short side b
    double a = 0;
    double b = 0;
    QVector<SketchLayer> layers;
    QString raText;        // "Ra = 9236.28 kN"
    QString verdict;       // "合规" / "超规"
};

// The sketch data of a completed calculation (the same inputs the report entry reads).
PileSketchData MakePileSketchData(const ReportSnapshot& snapshot, const PileResult& result,
                                  int entryNumber);

// Draws the sketch into `area` with texts in `font` (its size is scaled to the area).
void DrawPileSketch(QPainter& painter, const QRectF& area, const PileSketchData& data,
                    const QFont& font);

}  // namespace rockpile::book

#pragma once
// The character grid the reports are drawn on. One cell is the width of a digit; a
// character takes one or two cells. The report lines were laid out as a Chinese
// Windows editor shows them: a character that takes two bytes in GBK ("μ", "：", "，",
// "≤", "∑" as much as any ideograph) is two cells, a one-byte character one cell.
// Fonts are not trusted to draw exactly at those widths; the renderer places every
// character in its own cells.

#include <QString>
#include <QVector>

namespace rockpile::book {

// Cells taken by the character `codePoint`: 2 where GBK writes it in two bytes, 1 for
// ASCII. A character GBK cannot write takes 2 cells from U+1000 on (and above U+FFFF),
// as the report's own padding counts it, and 1 below.
int CellCount(char32_t codePoint);

// One character of a line placed on the grid.
struct GridChar {
    QString text;     // the character (two UTF-16 units above U+FFFF)
    int cell = 0;     // first cell, from 0
    int cells = 1;    // 1 or 2
};

// A report line placed on the grid; blanks take their cells but are not listed.
struct GridLine {
    QVector<GridChar> chars;
    int cells = 0;    // width of the whole line in cells, blanks included
};

GridLine PlaceOnGrid(const QString& line);

// Width in cells of the widest of `lines`.
int WidestLine(const QStringList& lines);

}  // namespace rockpile::book

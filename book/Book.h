#pragma once
// The calculation book: the lines of one report laid out on A4 pages with a running
// head and a page foot, printed on a QPrinter or written to a PDF file. The book holds
// a copy of everything it draws.

#include <QPageLayout>
#include <QString>
#include <QStringList>
#include <QVector>

#include "book/PileSketch.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace rockpile::book {

enum class ReportKind {
    Text,   // the calculation report: A4 portrait, each entry from a new page, a sketch at its head
    Table,  // the table report: A4 landscape, a whole row on one line
};

// One page: lines [firstLine, firstLine + lineCount) of the report, and whether the
// sketch of `sketchEntry` stands above them.
struct BookPage {
    int firstLine = 0;
    int lineCount = 0;
    QString pileLabel;      // running head: "ZH3", or "ZH1 - ZH12" on a table page
    int sketchIndex = -1;   // index into the book's sketches, -1 for none
};

class Book {
public:
    // `sketches` are matched to text report entries by their entry number.
    Book(ReportKind kind, QStringList lines, QVector<PileSketchData> sketches = {});

    ReportKind kind() const { return kind_; }
    const QStringList& lines() const { return lines_; }
    QString title() const;

    // A4, portrait or landscape by kind, margins in mm with room for binding.
    QPageLayout pageLayout() const;

    // The pages as they fall on `device` once it has the book's page layout.
    QVector<BookPage> paginate(QPaintDevice& device) const;

    // Sets the page layout on `device`, then draws every page on it. Returns an error
    // text, empty when all pages were drawn.
    QString paint(QPagedPaintDevice& device) const;

private:
    struct Frame;  // sizes on one device
    Frame frame(QPaintDevice& device) const;
    void paintPage(QPainter& painter, const Frame& frame, const BookPage& page, int number,
                   int count) const;

    ReportKind kind_;
    QStringList lines_;
    QVector<PileSketchData> sketches_;
};

// Writes the book to `path` as PDF. The file is written beside its final place and
// moved over it only once complete, so a failure keeps an earlier file intact. Returns
// the error shown to the user (Chinese, naming the full path), empty on success.
QString ExportPdf(const Book& book, const QString& path);

// Prints the book on `printer` (as chosen in a print dialog). Returns an error text,
// empty on success.
QString PrintBook(const Book& book, QPrinter& printer);

}  // namespace rockpile::book

#include "book/Book.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "book/CharGrid.h"
#include "book/ReportRenderer.h"
#include "files/ResultFile.h"

namespace rockpile::book {
namespace {

const QString kEntryTitle = QStringLiteral("================== 嵌岩桩计算书 ==================");

// Body text sizes in points; the table report shrinks below its size where its widest
// line would not fit the page width.
constexpr double kTextPointSize = 10.5;
constexpr double kTablePointSize = 9.0;
constexpr double kHeadPointSize = 9.0;
constexpr double kSketchHeightMm = 62.0;

double MmToPixels(double mm, const QPaintDevice& device) { return mm * device.logicalDpiY() / 25.4; }

// The entry number of a text report entry from its "1.基桩编号: ZHn" line.
int EntryNumber(const QStringList& lines, int titleLine)
{
    static const QRegularExpression re(QStringLiteral("^1\\.基桩编号: ZH(\\d+)"));
    if (titleLine + 1 >= lines.size()) return 0;
    const auto m = re.match(lines.at(titleLine + 1));
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// The entry number of a table report row, 0 for any other line.
int RowNumber(const QString& line)
{
    static const QRegularExpression re(QStringLiteral("^\\s+ZH(\\d+)\\s"));
    const auto m = re.match(line);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

}  // namespace

struct Book::Frame {
    double width = 0;          // paint rectangle, device pixels
    double height = 0;
    ReportRenderer body{QFont()};
    ReportRenderer::Metrics metrics;
    QFont headFont;
    double headHeight = 0;     // running head with its rule and the gap below it
    double footHeight = 0;
    double sketchHeight = 0;
    int linesPerPage = 1;
    int linesBelowSketch = 1;
};

Book::Book(ReportKind kind, QStringList lines, QVector<PileSketchData> sketches)
    : kind_(kind), lines_(std::move(lines)), sketches_(std::move(sketches))
{
}

QString Book::title() const
{
    return kind_ == ReportKind::Text ? QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016) 文本")
                                     : QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016) 表格");
}

QPageLayout Book::pageLayout() const
{
    // Bound on the left edge of a portrait page; a landscape page is turned into a
    // portrait book, so its binding edge is its top.
    if (kind_ == ReportKind::Text)
        return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(25, 15, 15, 15),
                           QPageLayout::Millimeter);
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(15, 25, 15, 12),
                       QPageLayout::Millimeter);
}

Book::Frame Book::frame(QPaintDevice& device) const
{
    Frame f;
    f.width = device.width();
    f.height = device.height();
    const int widest = std::max(1, WidestLine(lines_));
    double points = kind_ == ReportKind::Text ? kTextPointSize : kTablePointSize;
    f.body.setFont(ReportFont(points));
    f.metrics = f.body.metrics(&device);
    if (widest * f.metrics.cell > f.width) {
        points *= f.width / (widest * f.metrics.cell) * 0.995;
        f.body.setFont(ReportFont(points));
        f.metrics = f.body.metrics(&device);
    }
    f.headFont = ReportFont(kHeadPointSize);
    const QFontMetricsF head(f.headFont, &device);
    f.headHeight = head.lineSpacing() * 2;
    f.footHeight = head.lineSpacing() * 2;
    f.sketchHeight = MmToPixels(kSketchHeightMm, device);
    const double bodyHeight = f.height - f.headHeight - f.footHeight;
    f.linesPerPage = std::max(1, int(std::floor(bodyHeight / f.metrics.lineHeight)));
    f.linesBelowSketch =
        std::max(1, int(std::floor((bodyHeight - f.sketchHeight) / f.metrics.lineHeight)));
    return f;
}

QVector<BookPage> Book::paginate(QPaintDevice& device) const
{
    const Frame f = frame(device);
    QVector<BookPage> pages;
    const int n = int(lines_.size());
    if (kind_ == ReportKind::Table) {
        for (int first = 0; first < n || (n == 0 && pages.isEmpty()); first += f.linesPerPage) {
            BookPage page;
            page.firstLine = first;
            page.lineCount = std::min(f.linesPerPage, n - first);
            int low = 0, high = 0;
            for (int i = first; i < first + page.lineCount; ++i) {
                if (const int row = RowNumber(lines_.at(i))) {
                    low = low ? std::min(low, row) : row;
                    high = std::max(high, row);
                }
            }
            if (low) page.pileLabel = low == high ? QStringLiteral("ZH%1").arg(low)
                                                  : QStringLiteral("ZH%1 - ZH%2").arg(low).arg(high);
            pages.push_back(page);
            if (n == 0) break;
        }
        return pages;
    }

    // Text report: every entry from a new page; the lines before the first title (none
    // in a report the program wrote) and the closing time stamp go with their neighbours.
    QVector<int> starts;
    for (int i = 0; i < n; ++i)
        if (lines_.at(i) == kEntryTitle) starts.push_back(i);
    if (starts.isEmpty() || starts.front() != 0) starts.prepend(0);
    for (int e = 0; e < starts.size(); ++e) {
        const int begin = starts[e];
        const int end = e + 1 < starts.size() ? starts[e + 1] : n;
        const int number = EntryNumber(lines_, begin);
        int sketch = -1;
        for (int s = 0; s < sketches_.size(); ++s)
            if (number > 0 && sketches_[s].entryNumber == number) sketch = s;
        int line = begin;
        bool firstPage = true;
        do {
            BookPage page;
            page.firstLine = line;
            page.pileLabel = number > 0 ? QStringLiteral("ZH%1").arg(number) : QString();
            page.sketchIndex = firstPage ? sketch : -1;
            const int room = page.sketchIndex >= 0 ? f.linesBelowSketch : f.linesPerPage;
            page.lineCount = std::min(room, end - line);
            line += page.lineCount;
            firstPage = false;
            pages.push_back(page);
        } while (line < end);
    }
    return pages;
}

void Book::paintPage(QPainter& p, const Frame& f, const BookPage& page, int number, int count) const
{
    p.setPen(Qt::black);
    // Running head: the title on the left, the pile on the right, a rule beneath.
    p.setFont(f.headFont);
    const QFontMetricsF head(f.headFont, p.device());
    const double headBase = head.ascent();
    p.drawText(QPointF(0, headBase), title());
    if (!page.pileLabel.isEmpty())
        p.drawText(QPointF(f.width - head.horizontalAdvance(page.pileLabel), headBase), page.pileLabel);
    p.setPen(QPen(Qt::black, std::max(1.0, head.lineWidth())));
    p.drawLine(QPointF(0, head.height() + head.descent()), QPointF(f.width, head.height() + head.descent()));

    double y = f.headHeight;
    if (page.sketchIndex >= 0) {
        DrawPileSketch(p, QRectF(0, y, f.width, f.sketchHeight * 0.94), sketches_[page.sketchIndex],
                       f.headFont);
        y += f.sketchHeight;
    }
    p.setPen(Qt::black);
    for (int i = page.firstLine; i < page.firstLine + page.lineCount; ++i) {
        f.body.drawLine(p, 0, y, lines_.at(i));
        y += f.metrics.lineHeight;
    }

    // Foot.
    p.setFont(f.headFont);
    const QString foot = QStringLiteral("第 %1 页 共 %2 页").arg(number).arg(count);
    p.drawText(QPointF((f.width - head.horizontalAdvance(foot)) / 2, f.height - head.descent()), foot);
}

QString Book::paint(QPagedPaintDevice& device) const
{
    if (ReportFontFamily().isEmpty())
        return QStringLiteral("缺少计算书字体“WenQuanYi Zen Hei Mono”（fonts-wqy-zenhei），无法输出计算书");
    if (!device.setPageLayout(pageLayout())) return QStringLiteral("无法设置A4页面");
    const Frame f = frame(device);
    const QVector<BookPage> pages = paginate(device);
    QPainter painter;
    if (!painter.begin(&device)) return QStringLiteral("无法开始绘制页面");
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return QStringLiteral("无法开始新的一页");
        }
        paintPage(painter, f, pages[i], i + 1, int(pages.size()));
    }
    if (!painter.end()) return QStringLiteral("无法完成页面绘制");
    return {};
}

QString ExportPdf(const Book& book, const QString& path)
{
    const QString shown = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const auto failure = [&](const QString& why) {
        return QStringLiteral("PDF文件未能保存：%1（%2），原有文件未改动").arg(shown, why);
    };
    // A failed create or write told by its cause in Chinese, as every save of the program.
    const auto saveFailure = [&](const QSaveFile& file, int errorNumber) {
        return failure(SaveFailureReason(ClassifySaveFailure(path, errorNumber), file.errorString()));
    };
    // A file-size limit fails the write instead of ending the program.
    KeepFileSizeLimitFromEndingProcess();
    QSaveFile file(path);
    // No writing in place: without a temporary file beside the target the export fails.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) return saveFailure(file, errno);
    QString error;
    {
        QPdfWriter writer(&file);
        writer.setTitle(book.title());
        writer.setCreator(QStringLiteral("嵌岩桩承载力计算"));
        writer.setResolution(600);
        error = book.paint(writer);
    }
    if (!error.isEmpty()) {
        file.cancelWriting();
        return failure(error);
    }
    errno = 0;
    if (!file.commit()) return saveFailure(file, errno);
    return {};
}

QString PrintBook(const Book& book, QPrinter& printer)
{
    printer.setDocName(book.title());
    const QString error = book.paint(printer);
    return error.isEmpty() ? QString() : QStringLiteral("打印未完成：%1").arg(error);
}

}  // namespace rockpile::book

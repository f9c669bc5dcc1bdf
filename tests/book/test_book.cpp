// The calculation book: PDF export of both reports checked with poppler-utils, and the
// character grid measured on drawn images.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csignal>

#include "book/Book.h"
#include "book/ReportRenderer.h"
#include "report/Reports.h"
#include "tests/report/ReportFixtures.h"

using namespace rockpile;
using namespace rockpile::book;
using namespace rockpile::testing_report;

namespace {

const QString kTitle = QStringLiteral("================== 嵌岩桩计算书 ==================");

QStringList ToQt(const Lines& lines)
{
    QStringList out;
    for (const std::string& l : lines) out << QString::fromStdString(l);
    return out;
}

// A line as text extraction gives it back: runs of blanks collapsed. "μ" and "∑" take
// two cells but the font draws them one cell wide, centred; the half-cell gaps beside
// them read as blanks, so a blank touching either is dropped from both sides.
QString Collapse(const QString& text)
{
    QString out = text.simplified();
    static const QRegularExpression narrowGap(QStringLiteral(" ?([μ∑]) ?"));
    out.replace(narrowGap, QStringLiteral("\\1"));
    return out;
}

QString Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QStringLiteral("<failed: %1>").arg(program);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Three calculations of the start pile: entries ZH1 to ZH3 in both reports.
struct ThreePiles {
    ReportModel model;
    QVector<PileSketchData> sketches;
    ThreePiles()
    {
        for (int i = 1; i <= 3; ++i) {
            model.AppendReports(StartSnapshot(), StartResult(), kStamp);
            sketches.push_back(MakePileSketchData(StartSnapshot(), StartResult(), i));
        }
    }
};

const std::string kTimeLine = std::string("计算时间：") + kStamp;

// A word of pdftotext -bbox output.
struct Word {
    double xMin, yMin, xMax;
    QString text;
};

QVector<QVector<Word>> BboxLines(const QString& pdf, int page)
{
    const QString html = Run("pdftotext", {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    static const QRegularExpression re(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    QVector<QVector<Word>> lines;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const Word w{m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4)};
        if (lines.isEmpty() || std::abs(lines.last().first().yMin - w.yMin) > 0.5) lines.push_back({});
        lines.last().push_back(w);
    }
    return lines;
}

// The line of `lines` holding every word of `words` in that order, and those words.
QVector<Word> FindWords(const QVector<QVector<Word>>& lines, const QStringList& words)
{
    for (const auto& line : lines) {
        QVector<Word> found;
        int k = 0;
        for (const Word& w : line)
            if (k < words.size() && w.text == words[k]) {
                found.push_back(w);
                ++k;
            }
        if (k == words.size()) return found;
    }
    return {};
}

}  // namespace

class BookTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfGivesBackEveryLineInOrder_data();
    void pdfGivesBackEveryLineInOrder();
    void pdfColumnsLineUp();
    void failingExportKeepsEarlierFile();
    void exportFailuresToldInChinese_data();
    void exportFailuresToldInChinese();
    void gridLinesUpOnImage_data();
    void gridLinesUpOnImage();

private:
    QTemporaryDir dir_;
};

void BookTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    // ROCKPILE_KEEP_BOOKS=1 keeps the written PDFs for a look.
    if (qEnvironmentVariableIsSet("ROCKPILE_KEEP_BOOKS")) {
        dir_.setAutoRemove(false);
        qInfo("books kept in %s", qPrintable(dir_.path()));
    }
    QVERIFY2(!ReportFontFamily().isEmpty(), "fonts-wqy-zenhei is needed");
}

void BookTest::pdfGivesBackEveryLineInOrder_data()
{
    QTest::addColumn<bool>("table");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<int>("entryPages");  // pages on which an entry begins
    QTest::newRow("text") << false
                          << ToQt(Join({StartEntry('1'), StartEntry('2'), StartEntry('3'), {kTimeLine}}))
                          << false << 3;
    QTest::newRow("table") << true
                           << ToQt(Join({kTableHeader, {StartRow('1'), StartRow('2'), StartRow('3')},
                                         kTableFooter, {kTimeLine}}))
                           << true << 0;
}

void BookTest::pdfGivesBackEveryLineInOrder()
{
    QFETCH(bool, table);
    QFETCH(QStringList, expected);
    QFETCH(bool, landscape);
    QFETCH(int, entryPages);
    ThreePiles piles;
    const Book book(table ? ReportKind::Table : ReportKind::Text,
                    ToQt(table ? piles.model.tableLines() : piles.model.textLines()), piles.sketches);
    const QString pdf = dir_.filePath(table ? "table.pdf" : "text.pdf");
    QCOMPARE(ExportPdf(book, pdf), QString());

    // Every report line, in order, as a line of its own.
    const QStringList got = Run("pdftotext", {"-raw", "-enc", "UTF-8", pdf, "-"}).split('\n');
    int at = 0;
    for (const QString& line : expected) {
        const QString want = Collapse(line);
        while (at < got.size() && Collapse(got[at]) != want) ++at;
        QVERIFY2(at < got.size(), qPrintable("missing or out of order: " + line));
        ++at;
    }

    // Pages: A4 in the orientation of the report, each foot numbered, entries from a
    // new page.
    const QString info = Run("pdfinfo", {"-f", "1", "-l", "999", pdf});
    const int pages = QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt();
    QVERIFY(pages >= 1);
    if (!table) QVERIFY2(pages >= 3, "each entry from a new page");
    static const QRegularExpression size("Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts \\(A4\\)");
    int sized = 0;
    for (auto it = size.globalMatch(info); it.hasNext(); ++sized) {
        const auto m = it.next();
        QCOMPARE(m.captured(1).toDouble() > m.captured(2).toDouble(), landscape);
    }
    QCOMPARE(sized, pages);
    int titled = 0;
    for (int p = 1; p <= pages; ++p) {
        const QString text = Run("pdftotext", {"-raw", "-f", QString::number(p), "-l", QString::number(p), pdf, "-"});
        QVERIFY2(text.contains(QStringLiteral("第 %1 页 共 %2 页").arg(p).arg(pages)), qPrintable(text));
        if (!table && text.contains(kTitle)) {
            ++titled;
            // The entry title is the first report line under the running head (and the
            // sketch, whose Ra line ends in the verdict).
            const QStringList lines = text.split('\n');
            const int title = int(lines.indexOf(kTitle));
            QVERIFY(title >= 1);
            QVERIFY2(lines[title - 1].contains("Ra = ") || lines[title - 1].startsWith(QStringLiteral("嵌岩桩计算书")),
                     qPrintable(lines[title - 1]));
        }
    }
    if (!table) QCOMPARE(titled, entryPages);

    // The CJK font travels with the file.
    const QStringList fonts = Run("pdffonts", {pdf}).split('\n').mid(2);
    QVERIFY(!fonts.isEmpty());
    bool cjk = false;
    for (const QString& f : fonts) {
        if (f.trimmed().isEmpty()) continue;
        const QStringList cols = f.simplified().split(' ');
        // name type [type2] encoding emb sub uni object ID: "emb" is the 5th from the end.
        QVERIFY2(cols.size() >= 7 && cols[cols.size() - 5] == "yes", qPrintable("not embedded: " + f));
        if (f.contains("WenQuanYi", Qt::CaseInsensitive)) cjk = true;
    }
    QVERIFY(cjk);
}

void BookTest::pdfColumnsLineUp()
{
    ThreePiles piles;
    const QString text = dir_.filePath("cols-text.pdf");
    const QString table = dir_.filePath("cols-table.pdf");
    QCOMPARE(ExportPdf(Book(ReportKind::Text, ToQt(piles.model.textLines()), piles.sketches), text), QString());
    QCOMPARE(ExportPdf(Book(ReportKind::Table, ToQt(piles.model.tableLines())), table), QString());

    const auto same = [](double a, double b) { return std::abs(a - b) < 0.6; };  // points
    // Text report: the values after "Ap:" and after "μ:" start in one column.
    auto lines = BboxLines(text, 2);
    lines += BboxLines(text, 1);
    const auto ap = FindWords(lines, {"0.79", "m^2"});
    const auto mu = FindWords(lines, {"3.14", "m"});
    QVERIFY(ap.size() == 2 && mu.size() == 2);
    QVERIFY2(same(ap[0].xMin, mu[0].xMin), qPrintable(QString("%1 %2").arg(ap[0].xMin).arg(mu[0].xMin)));
    QVERIFY(same(ap[1].xMin, mu[1].xMin));
    const auto rpa = FindWords(lines, {"6597.34", "kN"});
    const auto rra = FindWords(lines, {"2638.94", "kN"});
    QVERIFY(rpa.size() == 2 && rra.size() == 2);
    QVERIFY(same(rpa[0].xMin, rra[0].xMin));
    QVERIFY(same(rpa[1].xMin, rra[1].xMin));

    // Table report: a row under its header, left and right edges of its columns.
    const auto tlines = BboxLines(table, 1);
    // The head has "μ(m)" between "Ap(m^2)" and "hr(m)".
    const auto head = FindWords(tlines, {"d(mm)", "hr(m)", "Ra(kN)"});
    const auto row = FindWords(tlines, {"1000", "1.00", "9236"});
    QCOMPARE(head.size(), 3);
    QCOMPARE(row.size(), 3);
    QVERIFY(same(head[0].xMin, row[0].xMin));
    QVERIFY(same(head[1].xMin, row[1].xMin));
    QVERIFY(same(head[2].xMax, row[2].xMax));
}

void BookTest::failingExportKeepsEarlierFile()
{
    ThreePiles piles;
    const Book book(ReportKind::Table, ToQt(piles.model.tableLines()));
    QTemporaryDir base;
    const QString folder = base.filePath("locked");
    QVERIFY(QDir().mkpath(folder));
    const QString pdf = folder + "/book.pdf";
    QCOMPARE(ExportPdf(book, pdf), QString());
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();
    QVERIFY(QFile::setPermissions(base.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                    QFile::ReadOther | QFile::ExeOther));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));

    // Folder permissions do not bind the superuser: the export then runs in a child
    // process that has given its privileges up.
    QString message;
    if (geteuid() == 0) {
        int pipeFds[2];
        QVERIFY(pipe(pipeFds) == 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            close(pipeFds[0]);
            if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
            const QByteArray text = ExportPdf(book, pdf).toUtf8();
            const bool written = write(pipeFds[1], text.constData(), size_t(text.size())) == text.size();
            _exit(written ? 0 : 3);
        }
        close(pipeFds[1]);
        QByteArray text;
        char buffer[512];
        for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
        close(pipeFds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 2) QSKIP("cannot drop privileges here");
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        message = QString::fromUtf8(text);
    } else {
        message = ExportPdf(book, pdf);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(message, QStringLiteral("PDF文件未能保存：") + QFileInfo(pdf).absoluteFilePath() +
                          QStringLiteral("（没有写入权限），原有文件未改动"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"book.pdf"});
}

void BookTest::exportFailuresToldInChinese_data()
{
    QTest::addColumn<QString>("where");  // "missing folder", "folder", "size limit"
    QTest::addColumn<QString>("cause");
    QTest::newRow("no such folder") << "missing folder" << QStringLiteral("文件夹不存在");
    QTest::newRow("path is a folder") << "folder" << QStringLiteral("该路径是一个文件夹");
    // In a child process that keeps the default action of SIGXFSZ, which would end it.
    QTest::newRow("file-size limit") << "size limit" << QStringLiteral("磁盘已满或文件超过允许的大小");
}

void BookTest::exportFailuresToldInChinese()
{
    QFETCH(QString, where);
    QFETCH(QString, cause);
    ThreePiles piles;
    const Book book(ReportKind::Table, ToQt(piles.model.tableLines()));
    QTemporaryDir base;
    QString pdf = base.filePath("book.pdf");
    if (where == "missing folder") pdf = base.filePath("missing/book.pdf");
    if (where == "folder") QVERIFY(QDir().mkdir(pdf));
    if (where == "size limit") {
        QFile earlier(pdf);
        QVERIFY(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
    }
    const QString expected = QStringLiteral("PDF文件未能保存：") + QFileInfo(pdf).absoluteFilePath() +
                             QStringLiteral("（") + cause + QStringLiteral("），原有文件未改动");
    if (where != "size limit") {
        QCOMPARE(ExportPdf(book, pdf), expected);
    } else {
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limit{};
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 2048;
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(ExportPdf(book, pdf) == expected ? 0 : 3);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), WIFSIGNALED(status) ? qPrintable(QString::number(WTERMSIG(status))) : "");
        QCOMPARE(WEXITSTATUS(status), 0);
        QFile earlier(pdf);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    }
    QCOMPARE(QDir(base.path()).entryList(QDir::Files | QDir::Hidden),
             where == "size limit" ? QStringList{"book.pdf"} : QStringList{});
}

namespace {

// Where the renderer drew character `index` of `line`: the columns of ink that the
// prefix up to and including it has and the prefix before it has not. Measured on the
// image, independent of how the renderer places characters.
struct Ink {
    int left = -1, right = -1;
    double centre() const { return (left + right) / 2.0; }
};

QImage Draw(const ReportRenderer& renderer, const QString& text)
{
    QImage image(3400, 60, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    renderer.drawLine(p, 10, 5, text);
    return image;
}

Ink InkOf(const ReportRenderer& renderer, const QString& line, qsizetype index, qsizetype count = 1)
{
    const QImage with = Draw(renderer, line.left(index + count));
    const QImage without = Draw(renderer, line.left(index));
    Ink ink;
    for (int x = 0; x < with.width(); ++x)
        for (int y = 0; y < with.height(); ++y)
            if (std::abs(qGray(with.pixel(x, y)) - qGray(without.pixel(x, y))) > 60) {
                if (ink.left < 0) ink.left = x;
                ink.right = x;
                break;
            }
    return ink;
}

}  // namespace

void BookTest::gridLinesUpOnImage_data()
{
    // A line and the line beneath it; in each a mark (a text found in the line) and the
    // character of the mark to measure; and which edge of the ink must agree: 'L' left,
    // 'R' right, 'C' centre. Different glyphs are compared within a quarter cell, the
    // same glyph within a pixel; a column off is a whole cell.
    QTest::addColumn<QString>("above");
    QTest::addColumn<QString>("aboveMark");
    QTest::addColumn<int>("aboveAt");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("lineMark");
    QTest::addColumn<int>("lineAt");
    QTest::addColumn<char>("edge");
    const QString ap = QStringLiteral("      桩身截面面积Ap:                    0.79 m^2");
    const QString mu = QStringLiteral("      桩身截面周长μ:                    3.14 m");
    QTest::newRow("μ: decimal point") << ap << "0.79" << 1 << mu << "3.14" << 1 << 'C';
    QTest::newRow("μ: unit") << ap << "m^2" << 0 << mu << " m" << 1 << 'C';
    QTest::newRow("∑: clause") << QStringLiteral("          Ra=Rsa+Rra+Rpa        (10.2.4-1)") << "(" << 0
                               << QStringLiteral("          Rsa=μ.∑qsia.li      (10.2.4-2)") << "(" << 0 << 'C';
    QTest::newRow("∑: head") << QStringLiteral("      岩   ∑Rsia  层侧阻力 侧阻比例 岩石坚硬") << QStringLiteral("岩石") << 0
                             << QStringLiteral("      层    (kN)   Rsia(kN)  Rsia/Ra 程    度") << QStringLiteral("程") << 0
                             << 'C';
    QTest::newRow("≤") << QStringLiteral("      软化系数≤0.6的软质岩，施工时无可靠    ") << "0.6" << 0
                       << QStringLiteral("                措施缩短桩端基岩暴露时间     ") << QStringLiteral("措") << 0 << 'L';
    const QString head = QString::fromStdString(kTableHeader[3]);
    const QString row = QString::fromStdString(StartRow('1'));
    QTest::newRow("table: hr after μ") << head << "hr(m)" << 0 << row << "1.00" << 0 << 'L';
    QTest::newRow("table: Ra") << head << "Ra(kN)" << 5 << row << "9236" << 3 << 'R';
}

void BookTest::gridLinesUpOnImage()
{
    QFETCH(QString, above);
    QFETCH(QString, aboveMark);
    QFETCH(int, aboveAt);
    QFETCH(QString, line);
    QFETCH(QString, lineMark);
    QFETCH(int, lineAt);
    QFETCH(char, edge);
    const qsizetype i1 = above.indexOf(aboveMark) + aboveAt;
    const qsizetype i2 = line.indexOf(lineMark) + lineAt;
    QVERIFY(i1 >= aboveAt && i2 >= lineAt);
    const bool sameGlyph = above.at(i1) == line.at(i2);
    for (int pixels : {14, 40}) {
        QFont font = ReportFont(10);
        font.setPixelSize(pixels);
        const ReportRenderer renderer(font);
        const double cell = renderer.metrics(nullptr).cell;
        const Ink a = InkOf(renderer, above, i1);
        const Ink b = InkOf(renderer, line, i2);
        QVERIFY(a.left >= 0 && b.left >= 0);
        const double xa = edge == 'L' ? a.left : edge == 'R' ? a.right : a.centre();
        const double xb = edge == 'L' ? b.left : edge == 'R' ? b.right : b.centre();
        const double tolerance = sameGlyph ? 1.0 : cell / 4;
        QVERIFY2(std::abs(xa - xb) <= tolerance,
                 qPrintable(QString("size %1: %2 vs %3 (cell %4)").arg(pixels).arg(xa).arg(xb).arg(cell)));
    }
}

QTEST_MAIN(BookTest)
#include "test_book.moc"

// The report grid view and the sketch view: widths at the page's default size, the
// font size, and (with ROCKPILE_SHOTS=<folder>) screenshots for a look.

#include <QScrollBar>
#include <QtTest>

#include "report/Reports.h"
#include "tests/report/ReportFixtures.h"
#include "ui/PileSketchView.h"
#include "ui/ReportGridView.h"

using namespace rockpile;
using namespace rockpile::testing_report;

namespace {
QStringList ToQt(const std::vector<std::string>& lines)
{
    QStringList out;
    for (const std::string& l : lines) out << QString::fromStdString(l);
    return out;
}
}  // namespace

class ReportGridViewTest : public QObject {
    Q_OBJECT
private slots:
    void textReportFitsAtDefaultSize();
    void fontSizeChangesTheLayout();
    void screenshots();
};

void ReportGridViewTest::textReportFitsAtDefaultSize()
{
    ReportModel model;
    QVERIFY(model.AppendReports(StartSnapshot(), StartResult(), kStamp));
    // The results page places its report views 362 by 670 at scale 1, size 14.
    ReportGridView text, table;
    for (ReportGridView* v : {&text, &table}) {
        v->resize(362, 670);
        v->setFontPixelSize(14);
        v->show();
    }
    text.setLines(ToQt(model.textLines()));
    table.setLines(ToQt(model.tableLines()));
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    QCOMPARE(text.horizontalScrollBar()->maximum(), 0);
    QVERIFY(text.verticalScrollBar()->maximum() > 0);
    QVERIFY(table.horizontalScrollBar()->maximum() > 0);  // about 150 columns may scroll
}

void ReportGridViewTest::fontSizeChangesTheLayout()
{
    ReportModel model;
    QVERIFY(model.AppendReports(StartSnapshot(), StartResult(), kStamp));
    ReportGridView view;
    view.resize(362, 670);
    view.setLines(ToQt(model.tableLines()));
    view.setFontPixelSize(4);
    const int small = view.horizontalScrollBar()->maximum();
    view.setFontPixelSize(24);
    QCOMPARE(view.fontPixelSize(), 24);
    QVERIFY(view.horizontalScrollBar()->maximum() > small);
}

void ReportGridViewTest::screenshots()
{
    const QString folder = qEnvironmentVariable("ROCKPILE_SHOTS");
    if (folder.isEmpty()) QSKIP("set ROCKPILE_SHOTS to a folder to write screenshots");
    QDir().mkpath(folder);
    ReportModel model;
    QVERIFY(model.AppendReports(StartSnapshot(), StartResult(), kStamp));
    QVERIFY(model.AppendReports(StartSnapshot(), StartResult(), kStamp));
    for (int size : {4, 14, 24}) {
        for (bool table : {false, true}) {
            ReportGridView view;
            view.resize(362, 670);
            view.setFontPixelSize(size);
            view.setLines(ToQt(table ? model.tableLines() : model.textLines()));
            view.show();
            QVERIFY(QTest::qWaitForWindowExposed(&view));
            if (!table && size == 14) view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
            QVERIFY(view.grab().save(
                QStringLiteral("%1/view_%2_%3.png").arg(folder, table ? "table" : "text").arg(size)));
        }
    }
    PileSketchView sketch;
    sketch.resize(362, 300);
    sketch.setSketch(book::MakePileSketchData(StartSnapshot(), StartResult(), 1));
    sketch.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sketch));
    QVERIFY(sketch.grab().save(folder + "/sketch.png"));
}

QTEST_MAIN(ReportGridViewTest)
#include "test_reportgridview.moc"

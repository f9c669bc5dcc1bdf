// The results page on its own, in front of a fake window: the reports and the sketch
// of each entry, saving into a documents folder that has to be made, the status line
// and its link to the folder, PDF export and printing offscreen, the shortcuts, Enter
// on a focused button and the tab order.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "core/ComputePile.h"
#include "files/ResultFile.h"
#include "tests/report/ReportFixtures.h"
#include "tests/support/FileSizeLimit.h"
#include "ui/PileSketchView.h"
#include "ui/ReportGridView.h"
#include "ui/ResultsPage.h"

using rockpile::ResultsPage;

namespace {

struct FakeHost : rockpile::ResultsPageHost {
    QString folder;
    QStringList opened;
    // The path the "user" picks in the PDF dialog; empty cancels.
    QString pdfAnswer;
    QStringList suggestedPdfPaths;
    // Where the "print dialog" sends the print: a PDF file; empty cancels.
    QString printTo;
    int printDialogs = 0;
    QPageLayout::Orientation printOrientation = QPageLayout::Portrait;

    QString DocumentsFolder() const override { return folder; }
    void OpenFolder(const QString& f) override { opened << f; }
    void ChoosePdfPath(const QString& suggested, const std::function<void(const QString&)>& chosen) override
    {
        suggestedPdfPaths << suggested;
        if (!pdfAnswer.isEmpty()) chosen(pdfAnswer);
    }
    void ChoosePrinter(QPrinter& printer, const std::function<void()>& accepted) override
    {
        ++printDialogs;
        printOrientation = printer.pageLayout().orientation();
        if (printTo.isEmpty()) return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        accepted();
    }
};

// A completed calculation of the start inputs, with the pile diameter `d`.
struct Calculation {
    rockpile::ReportSnapshot snapshot;
    rockpile::PileResult result;
};
Calculation Calculate(const char* d)
{
    rockpile::PileInput input = rockpile::PileInput::StartDefaults();
    input.d = d;
    Calculation c{rockpile::testing_report::StartSnapshot(), rockpile::ComputePile(input).result};
    c.snapshot.ddText = d;
    return c;
}

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The text of a PDF as pdftotext gives it, one line per line.
QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000)) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestResultsPageHost : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temp;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<ResultsPage> page;

    template <typename W = QWidget>
    W* find(const char* name)
    {
        auto* w = page->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("control %s not found", name);
        return w;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QString status() { return page->statusText(); }
    void append(const char* d = "1000")
    {
        const Calculation c = Calculate(d);
        QVERIFY(page->AppendCalculation(c.snapshot, c.result, rockpile::testing_report::kStamp));
    }
    // Closes a message box on screen and returns its text.
    QString takeMessage()
    {
        QString text;
        for (QMessageBox* box : page->findChildren<QMessageBox*>()) {
            if (!box->isVisible()) continue;
            text = box->text();
            box->done(QMessageBox::Ok);
        }
        return text;
    }

private slots:
    void init()
    {
        temp = std::make_unique<QTemporaryDir>();
        QVERIFY(temp->isValid());
        host = std::make_unique<FakeHost>();
        host->folder = temp->filePath(QStringLiteral("文档"));
        page = std::make_unique<ResultsPage>(*host, nullptr);
        page->resize(370, 800);
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
    }
    void cleanup()
    {
        page.reset();
        host.reset();
        temp.reset();
    }

    void sketchPageShowsTheCurrentEntry()
    {
        auto* sketch = find<rockpile::PileSketchView>("img_jiantu");
        auto* text = find<rockpile::ReportGridView>("meo_jisuanjieguo_Doc");
        QVERIFY(!sketch->isVisible());
        QVERIFY(!sketch->hasSketch());

        append("1000");
        append("1200");
        QCOMPARE(page->sketches().size(), size_t(2));
        button("cbt_JianTu")->click();
        QVERIFY(sketch->isVisible());
        QVERIFY(!text->isVisible());
        QVERIFY(!find("meo_jisuanjieguo_Xls")->isVisible());
        QCOMPARE(sketch->sketch().entryNumber, 2);
        QCOMPARE(sketch->sketch().sizeA, QStringLiteral("1200"));
        // The switch still names the report that "保存" writes.
        QCOMPARE(button("cbt_PageBook")->text(), QStringLiteral("1"));
        QCOMPARE(page->shownReport(), ResultsPage::ShownReport::Text);

        // Deleting the last entry drops its sketch; the one before shows.
        button("cbt_sanchu")->click();
        QCOMPARE(page->sketches().size(), size_t(1));
        QCOMPARE(sketch->sketch().entryNumber, 1);
        QCOMPARE(sketch->sketch().sizeA, QStringLiteral("1000"));
        QCOMPARE(sketch->sketch().raText, QStringLiteral("Ra = 9236.28 kN"));
        // The numbers follow the reports: the next entry is number 2 again.
        append("1100");
        QCOMPARE(sketch->sketch().entryNumber, 2);
        QCOMPARE(sketch->sketch().sizeA, QStringLiteral("1100"));
        button("cbt_sanchu")->click();
        button("cbt_sanchu")->click();
        QVERIFY(page->sketches().empty());
        QVERIFY(!sketch->hasSketch());

        // The sketch button toggles back to the report; the switch leaves the sketch.
        button("cbt_JianTu")->click();
        QVERIFY(text->isVisible());
        button("cbt_JianTu")->click();
        button("cbt_PageBook")->click();
        QVERIFY(!sketch->isVisible());
        QVERIFY(find("meo_jisuanjieguo_Xls")->isVisible());
        QVERIFY(!button("cbt_JianTu")->isChecked());
    }

    void saveMakesAMissingDocumentsFolderAndSaysWhere()
    {
        QVERIFY(!QFileInfo::exists(host->folder));
        append();
        QSignalSpy saveRequests(page.get(), &ResultsPage::saveRequested);
        button("cbt_Save")->click();
        QCOMPARE(saveRequests.size(), 1);  // the window asks for the permission first

        QVERIFY(page->SaveShownReport());
        const QString path = rockpile::ResultFilePath(host->folder, rockpile::TextReportFileName());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(takeMessage(), QString());
        QCOMPARE(status(), QStringLiteral("已保存：") + Native(path));
        QCOMPARE(page->UnsavedReports(), 2);
        QVERIFY(!button("cbt_Save")->isEnabled());

        // The status line names the file (elided in its middle where it is too long,
        // whole in its tool tip) and its link opens the folder.
        auto* line = find<QLabel>("lb_zhuangtai");
        QCOMPARE(line->toolTip(), QStringLiteral("已保存：") + Native(path));
        QVERIFY(line->text().contains(QStringLiteral("打开文件夹")));
        QVERIFY(line->text().contains(rockpile::TextReportFileName().right(8)));
        emit line->linkActivated(QStringLiteral("folder"));
        QCOMPARE(host->opened, QStringList{host->folder});
    }

    void folderThatCannotBeMadeIsNamed()
    {
        QFile blocker(temp->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        host->folder = temp->filePath(QStringLiteral("blocker/文档"));
        append();
        QVERIFY(!page->SaveShownReport());
        QCOMPARE(takeMessage(), QStringLiteral("文件夹无法创建：%1，计算结果未能存盘").arg(Native(host->folder)));
        QCOMPARE(page->UnsavedReports(), 3);
        QVERIFY(button("cbt_Save")->isEnabled());
        QCOMPARE(status(), QString());
    }

    void pdfGoesNextToTheReportsByDefault_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("text") << false << QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016)_文本.pdf")
                              << QStringLiteral("1.基桩编号: ZH1");
        QTest::newRow("table") << true << QStringLiteral("嵌岩桩计算书(依据DBJ15-31-2016)_表格.pdf")
                               << QStringLiteral("注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算");
    }
    void pdfGoesNextToTheReportsByDefault()
    {
        QFETCH(bool, table);
        QFETCH(QString, fileName);
        QFETCH(QString, firstLine);
        append();
        if (table) button("cbt_PageBook")->click();
        const QString expected = rockpile::ResultFilePath(host->folder, fileName);
        host->pdfAnswer = expected;  // the user keeps the suggested path
        button("cbt_DaoChu")->click();
        QCOMPARE(host->suggestedPdfPaths, QStringList{expected});
        QVERIFY(QFileInfo(host->folder).isDir());  // made for the dialog to open in
        QCOMPARE(takeMessage(), QString());
        QVERIFY(ReadAll(expected).startsWith("%PDF"));
        QCOMPARE(status(), QStringLiteral("已导出PDF：") + Native(expected));
        QVERIFY2(PdfText(expected).contains(firstLine), qPrintable(PdfText(expected)));
        // Exporting changes nothing of what is unsaved.
        QCOMPARE(page->UnsavedReports(), 3);
    }

    void pdfToAnotherPathAndCancel()
    {
        append();
        const QString other = temp->filePath(QStringLiteral("elsewhere/书.pdf"));
        host->pdfAnswer = other;
        button("cbt_DaoChu")->click();
        QVERIFY(ReadAll(other).startsWith("%PDF"));
        QCOMPARE(status(), QStringLiteral("已导出PDF：") + Native(other));
        emit find<QLabel>("lb_zhuangtai")->linkActivated(QStringLiteral("folder"));
        QCOMPARE(host->opened, QStringList{temp->filePath(QStringLiteral("elsewhere"))});

        // A cancelled dialog writes nothing and keeps the status line.
        host->pdfAnswer.clear();
        button("cbt_DaoChu")->click();
        QCOMPARE(host->suggestedPdfPaths.size(), 2);
        QCOMPARE(status(), QStringLiteral("已导出PDF：") + Native(other));
        QVERIFY(!QFileInfo::exists(page->DefaultPdfPath()));
    }

    void failingExportKeepsTheEarlierPdf()
    {
        append();
        const QString path = page->DefaultPdfPath();
        host->pdfAnswer = path;
        button("cbt_DaoChu")->click();
        const QByteArray earlier = ReadAll(path);
        QVERIFY(earlier.startsWith("%PDF"));

        append();  // a longer book, which the full disk cuts short
        {
            const FileSizeLimit limit(4096);
            button("cbt_DaoChu")->click();
        }
        const QString message = takeMessage();
        QVERIFY2(message.startsWith(QStringLiteral("PDF文件未能保存：") + Native(path)), qPrintable(message));
        QVERIFY(message.endsWith(QStringLiteral("原有文件未改动")));
        QCOMPARE(ReadAll(path), earlier);
        QCOMPARE(status(), QString());
        QCOMPARE(QDir(host->folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(path).fileName()});
    }

    void printGoesThroughTheDialog_data()
    {
        QTest::addColumn<bool>("table");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("text") << false << QPageLayout::Portrait;
        QTest::newRow("table") << true << QPageLayout::Landscape;
    }
    void printGoesThroughTheDialog()
    {
        QFETCH(bool, table);
        QFETCH(QPageLayout::Orientation, orientation);
        append();
        if (table) button("cbt_PageBook")->click();
        // Cancelled: nothing printed.
        button("cbt_DaYin")->click();
        QCOMPARE(host->printDialogs, 1);
        QCOMPARE(host->printOrientation, orientation);
        QCOMPARE(status(), QString());

        host->printTo = temp->filePath(QStringLiteral("print.pdf"));
        button("cbt_DaYin")->click();
        QCOMPARE(takeMessage(), QString());
        QVERIFY(ReadAll(host->printTo).startsWith("%PDF"));
        QCOMPARE(status(), QStringLiteral("已送出打印：") + Native(host->printTo));
        QVERIFY(PdfText(host->printTo).contains(QStringLiteral("ZH1")));
    }

    void shortcutsPressTheirButtons()
    {
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        const std::pair<const char*, const char*> tips[] = {
            {"cbt_Save", "Ctrl+S"}, {"cbt_Exit", "Esc"}, {"cbt_DaYin", "Ctrl+P"}, {"cbt_DaoChu", "Ctrl+Shift+E"}};
        for (const auto& [name, keys] : tips)
            QVERIFY2(button(name)->toolTip().contains(QString::fromLatin1(keys)), name);

        // A shortcut presses its button as a click would be seen: down, then up.
        QSignalSpy saves(page.get(), &ResultsPage::saveRequested);
        QSignalSpy backs(page.get(), &ResultsPage::backRequested);
        append();
        QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(saves.size(), 1);
        QVERIFY(page->SaveShownReport());
        QTest::keyClick(page.get(), Qt::Key_S, Qt::ControlModifier);
        QTest::qWait(300);
        QCOMPARE(saves.size(), 1);  // saved: the button is disabled, and so is its key
        QTest::keyClick(page.get(), Qt::Key_Escape);
        QTRY_COMPARE(backs.size(), 1);
        QTest::keyClick(page.get(), Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(host->printDialogs, 1);
        QTest::keyClick(page.get(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(host->suggestedPdfPaths.size(), 1);
        QCOMPARE(saves.size(), 1);
        QCOMPARE(backs.size(), 1);
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        QSignalSpy backs(page.get(), &ResultsPage::backRequested);
        button("cbt_Exit")->setFocus();
        QTest::keyClick(button("cbt_Exit"), Qt::Key(key));
        QCOMPARE(backs.size(), 1);
        button("cbt_PageBook")->setFocus();
        QTest::keyClick(button("cbt_PageBook"), Qt::Key(key));
        QCOMPARE(button("cbt_PageBook")->text(), QStringLiteral("2"));
    }

    void tabFollowsTheReadingOrder()
    {
        page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(page.get()));
        append();
        button("cbt_DaYin")->setFocus();
        QStringList walked{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 9; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(walked, QStringList({"cbt_DaYin", "cbt_DaoChu", "cbt_JianTu", "cbt_PageBook",
                                      "meo_jisuanjieguo_Doc", "cbt_Exit", "cbt_Save", "cbt_sanchu",
                                      "tcb_meoFontSize", "cbt_DaYin"}));
        // After a save the link to the folder is reached between the switch and the report.
        QVERIFY(page->SaveShownReport());
        button("cbt_PageBook")->setFocus();
        QTest::keyClick(button("cbt_PageBook"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("lb_zhuangtai"));
    }
};

QTEST_MAIN(TestResultsPageHost)
#include "test_resultspagehost.moc"

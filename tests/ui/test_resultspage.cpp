// The results page: the unsaved state of the two reports and the save button, the saved
// files, permission and write failures, the precision rerun, the shared font size of
// the report views, and deleting entries down to empty. Calculations go through the real
// compute run with the inputs at their start values.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "tests/support/MainFormTest.h"
#include "tests/support/WidgetTestSupport.h"
#include "ui/MainForm.h"
#include "ui/ReportGridView.h"
#include "ui/Permissions.h"
#include "files/ResultFile.h"

#ifdef Q_OS_UNIX
#include "tests/support/FileSizeLimit.h"
#endif

using rockpile::PermissionStatus;
Q_DECLARE_METATYPE(std::vector<PermissionStatus>)

namespace {

// The time stamps follow the user's locale; these tests run in the Chinese one.
const bool kChineseLocale = [] {
    qputenv("LC_ALL", "zh_CN.UTF-8");
    return true;
}();

// The clock of the reports is fixed at 2026-03-05 14:07:09.
const QDateTime kReportTime(QDate(2026, 3, 5), QTime(14, 7, 9));
const QString kTimeLine = QStringLiteral("计算时间：2026/3/5 14:07:09");

const QStringList kTableHeader{
    QStringLiteral("========================================================== 嵌岩桩计算书 =============================================================================="),
    QStringLiteral("------------------------------------------------------------------------------------------------------------------------------------------------------"),
    QStringLiteral(" 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  嵌岩深度  桩侧阻力  桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 "),
    QStringLiteral(" 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)    μ(m)     hr(m)    Rra(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)   合规判定 "),
    QStringLiteral("------------------------------------------------------------------------------------------------------------------------------------------------------"),
};
const QStringList kTableFooter{
    QStringLiteral("------------------------------------------------------------------------------------------------------------------------------------------------------"),
    QStringLiteral(" 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算"),
    QStringLiteral("======================================================================================================================================================"),
    kTimeLine,
};
// Rows of the start inputs (Rpa 6597.34 kN, Rra 2638.94 kN, Ra 9236.28 kN) rounded to
// units and with two decimals.
QString UnitsRow(int number)
{
    return QStringLiteral("   ZH%1      圆  桩     1000        -         -         -       0.79      3.14      1.00       2639      29%       6597      71%       9236     合规   ")
        .arg(number);
}
const QString kTwoDecimalsRow2 = QStringLiteral(
    "   ZH2      圆  桩     1000        -         -         -       0.79      3.14      1.00     2638.94   28.57%    6597.34   71.43%    9236.28    合规   ");

const QString kEntryTitle = QStringLiteral("================== 嵌岩桩计算书 ==================");
const QString kEntryClose = QStringLiteral("==================================================");

QByteArray Gbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? QByteArray("<not GBK>") : bytes;
}

QStringList TableLines(const QStringList& rows)
{
    return kTableHeader + rows + kTableFooter;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray("<missing>");
    return file.readAll();
}

QStringList Lines(const rockpile::ReportGridView* view) { return view->lines(); }

// A permission service with a scripted answer, optionally asking for the rationale first.
class ScriptedPermissions : public rockpile::PermissionService {
public:
    std::vector<PermissionStatus> answer{PermissionStatus::Granted};
    bool explainFirst = false;
    QStringList requested;

    void request(const QStringList& names, const rockpile::PermissionResultFn& result,
                 const rockpile::PermissionRationaleFn& rationale) override
    {
        requested = names;
        const auto decide = [=, this] { result(names, answer); };
        if (explainFirst)
            rationale(names, decide);
        else
            decide();
    }
};

}  // namespace

class TestResultsPage : public QObject, rockpile::testing::MainFormTest {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void unsavedReportsFollowTheTypicalUse();
    void savedBytesAfterOneCalculation();
    void savedBytesAfterTwoCalculations();
    void deniedPermissionWritesNothing_data();
    void deniedPermissionWritesNothing();
    void rationaleResumesTheRequest();
    void failedSaveKeepsEarlierFileAndFlags();
    void missingDocumentsFolderIsReported();
    void missingDocumentsFolderIsCreated();
    void escapeReturnsToTheInputPage();
    void precisionRerunAddsEntry();
    void fontSizeSharedByBothViews();
    void reportViewFontLinesUpColumns();
    void deletingEntriesDownToEmpty();
    void pageMovesKeepTheShownReport();
    void searchPageSaveWithoutVisibleListDoesNothing();

private:
    QPushButton* Button(const char* name) const { return find<QPushButton>(name); }
    rockpile::ReportGridView* View(const char* name) const { return find<rockpile::ReportGridView>(name); }
    rockpile::ReportGridView* TextView() const { return View("meo_jisuanjieguo_Doc"); }
    rockpile::ReportGridView* TableView() const { return View("meo_jisuanjieguo_Xls"); }
    QString TextFile() const
    {
        return rockpile::ResultFilePath(docs->path(), rockpile::TextReportFileName());
    }
    QString TableFile() const
    {
        return rockpile::ResultFilePath(docs->path(), rockpile::TableReportFileName());
    }
    // Runs "计算" and then opens the results page with "结果"; false when the
    // calculation added no entry or "结果" did not come up.
    bool CalculateAndView()
    {
        const int before = form->resultsPage()->reports().reportCount();
        Button("cbt_compute")->click();
        if (form->resultsPage()->reports().reportCount() != before + 1) return false;
        if (!Button("cbt_View")->isVisibleTo(form.get())) return false;
        Button("cbt_View")->click();
        return true;
    }
    void Save() { Button("cbt_Save")->click(); }
    // The message box on screen: its text, and closes it.
    QString TakeMessage()
    {
        QString text;
        for (QMessageBox* box : form->findChildren<QMessageBox*>()) {
            if (!box->isVisible()) continue;
            text = box->text();
            box->done(QMessageBox::Ok);
        }
        return text;
    }

    std::unique_ptr<QTemporaryDir> docs;
};

void TestResultsPage::initTestCase()
{
    QVERIFY(kChineseLocale);
    QCOMPARE(QLocale::system().language(), QLocale::Chinese);
}

void TestResultsPage::init()
{
    docs = std::make_unique<QTemporaryDir>();
    QVERIFY(docs->isValid());
    const QString folder = docs->path();
    OpenForm(Ready::Exposed, [folder](MainForm& f) {
        f.documentsPath = [folder] { return folder; };
        f.reportClock = [] { return kReportTime; };
    });
}

void TestResultsPage::cleanup()
{
    CloseForm();
    docs.reset();
}

void TestResultsPage::unsavedReportsFollowTheTypicalUse()
{
    QPushButton* save = Button("cbt_Save");
    QPushButton* pageBook = Button("cbt_PageBook");
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);

    QVERIFY(CalculateAndView());  // calculation completed
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(save->isEnabled());

    Save();  // text report saved
    QCOMPARE(form->resultsPage()->UnsavedReports(), 2);
    QVERIFY(!save->isEnabled());
    QVERIFY(QFile::exists(TextFile()));
    QVERIFY(!QFile::exists(TableFile()));

    pageBook->click();  // switch to the table report
    QCOMPARE(pageBook->text(), QStringLiteral("2"));
    QVERIFY(TableView()->isVisible());
    QVERIFY(!TextView()->isVisible());
    QCOMPARE(form->resultsPage()->UnsavedReports(), 2);
    QVERIFY(save->isEnabled());

    Save();  // table report saved
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    QVERIFY(!save->isEnabled());
    QVERIFY(QFile::exists(TableFile()));

    pageBook->click();  // switch to the text report
    QCOMPARE(pageBook->text(), QStringLiteral("1"));
    QVERIFY(TextView()->isVisible());
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    QVERIFY(!save->isEnabled());

    Button("cbt_Exit")->click();
    form->cbt_computeClick();  // another calculation
    QCOMPARE(form->resultsPage()->reports().reportCount(), 2);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(save->isEnabled());

    Button("cbt_View")->click();
    Button("cbt_sanchu")->click();  // an entry deleted while another remains
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(save->isEnabled());
    Button("cbt_sanchu")->click();  // only entry deleted
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    QVERIFY(!save->isEnabled());
    QCOMPARE(TakeMessage(), QString());
}

void TestResultsPage::savedBytesAfterOneCalculation()
{
    QVERIFY(CalculateAndView());
    Save();
    Button("cbt_PageBook")->click();
    Save();
    QCOMPARE(TakeMessage(), QString());

    const QByteArray expectedTable = Gbk(TableLines({UnitsRow(1)}).join(QStringLiteral("\r\n")));
    QCOMPARE(ReadAll(TableFile()), expectedTable);

    // The text report: the lines on screen, CR LF between them, none after the time
    // stamp line, which closes the file.
    const QByteArray text = ReadAll(TextFile());
    const QByteArray stamp = QByteArray::fromHex("bcc6cbe3cab1bce4a3ba") + "2026/3/5 14:07:09";
    QVERIFY(text.endsWith("\r\n" + stamp));
    QVERIFY(text.startsWith(Gbk(kEntryTitle + QStringLiteral("\r\n1.基桩编号: ZH1\r\n"))));
    QVERIFY(!text.contains("\n\n") && text.count('\n') == text.count("\r\n"));
    QStringDecoder decoder("GBK");
    const QString decoded = decoder.decode(text);
    QVERIFY(!decoder.hasError());
    QCOMPARE(decoded.split(QStringLiteral("\r\n")), Lines(TextView()));
    QCOMPARE(Lines(TextView()).count(kEntryClose), 1);
}

void TestResultsPage::savedBytesAfterTwoCalculations()
{
    QVERIFY(CalculateAndView());
    Save();  // the first text report file, overwritten below
    const QByteArray firstText = ReadAll(TextFile());

    Button("cbt_Exit")->click();
    form->cbt_computeClick();
    Button("cbt_View")->click();
    Save();
    Button("cbt_PageBook")->click();
    Save();
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);

    QCOMPARE(ReadAll(TableFile()),
             Gbk(TableLines({UnitsRow(1), UnitsRow(2)}).join(QStringLiteral("\r\n"))));

    const QByteArray text = ReadAll(TextFile());
    QVERIFY(text.size() > firstText.size());
    const QStringList lines = QString(QStringDecoder("GBK").decode(text)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines, Lines(TextView()));
    // Two entries, one time stamp line at the very end.
    QCOMPARE(lines.count(kEntryTitle), 2);
    QCOMPARE(lines.count(kEntryClose), 2);
    QCOMPARE(lines.filter(QStringLiteral("计算时间：")), QStringList{kTimeLine});
    QCOMPARE(lines.last(), kTimeLine);
    QCOMPARE(lines.at(lines.size() - 2), kEntryClose);
    QVERIFY(lines.contains(QStringLiteral("1.基桩编号: ZH2")));
}

void TestResultsPage::deniedPermissionWritesNothing_data()
{
    QTest::addColumn<std::vector<PermissionStatus>>("answer");
    QTest::newRow("denied") << std::vector<PermissionStatus>{PermissionStatus::Denied};
    QTest::newRow("permanently denied")
        << std::vector<PermissionStatus>{PermissionStatus::PermanentlyDenied};
    QTest::newRow("no status") << std::vector<PermissionStatus>{};
    QTest::newRow("two statuses")
        << std::vector<PermissionStatus>{PermissionStatus::Granted, PermissionStatus::Granted};
}

void TestResultsPage::deniedPermissionWritesNothing()
{
    QFETCH(std::vector<PermissionStatus>, answer);
    auto service = std::make_shared<ScriptedPermissions>();
    service->answer = answer;
    form->permissionService = service;

    QVERIFY(CalculateAndView());
    Save();
    QCOMPARE(service->requested, QStringList{form->FPermissionWriteExternalStorage});
    QCOMPARE(TakeMessage(), QStringLiteral("无权存盘"));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(Button("cbt_Save")->isEnabled());
    QVERIFY(QDir(docs->path()).isEmpty());

    // Granted on the next try: the save goes through.
    service->answer = {PermissionStatus::Granted};
    Save();
    QCOMPARE(TakeMessage(), QString());
    QCOMPARE(form->resultsPage()->UnsavedReports(), 2);
    QVERIFY(QFile::exists(TextFile()));
}

void TestResultsPage::rationaleResumesTheRequest()
{
    auto service = std::make_shared<ScriptedPermissions>();
    service->explainFirst = true;
    form->permissionService = service;
    QVERIFY(CalculateAndView());

    Save();
    // Nothing is written while the explanation is on screen.
    QVERIFY(!QFile::exists(TextFile()));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QCOMPARE(TakeMessage(), QStringLiteral("需要存贮权限，否则计算结果不能存盘"));
    // Closing the box resumed the request, which was granted.
    QTRY_VERIFY(QFile::exists(TextFile()));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 2);
    QVERIFY(!Button("cbt_Save")->isEnabled());
}

void TestResultsPage::failedSaveKeepsEarlierFileAndFlags()
{
    QVERIFY(CalculateAndView());
    Save();
    const QByteArray earlier = ReadAll(TextFile());
    QVERIFY(earlier.size() > 600);

    Button("cbt_Exit")->click();
    form->cbt_computeClick();
    Button("cbt_View")->click();
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);

#ifdef Q_OS_UNIX
    {
        // The disk fills up after 512 bytes of the new file.
        const FileSizeLimit limit(512);
        Save();
    }
    const QString message = TakeMessage();
    QVERIFY2(message.startsWith(QStringLiteral("文件无法保存：") + TextFile() + QLatin1Char('\n')),
             qPrintable(message));
    QCOMPARE(ReadAll(TextFile()), earlier);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(Button("cbt_Save")->isEnabled());
    QCOMPARE(QDir(docs->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{rockpile::TextReportFileName()});
#endif

    // A documents folder that cannot be made (a file stands where its parent should
    // be): the message names the full path, nothing changes.
    QFile blocker(docs->filePath(QStringLiteral("blocker")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString unmakeable = docs->filePath(QStringLiteral("blocker/文档"));
    form->documentsPath = [unmakeable] { return unmakeable; };
    Button("cbt_PageBook")->click();
    Save();
    QCOMPARE(TakeMessage(), QStringLiteral("文件夹无法创建：%1，计算结果未能存盘").arg(QDir::toNativeSeparators(unmakeable)));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(Button("cbt_Save")->isEnabled());
    QVERIFY(blocker.remove());

    // Once the disk has room again, the same button saves.
    form->documentsPath = [this] { return docs->path(); };
    Button("cbt_PageBook")->click();
    Save();
    QCOMPARE(TakeMessage(), QString());
    QCOMPARE(form->resultsPage()->UnsavedReports(), 2);
    QVERIFY(ReadAll(TextFile()) != earlier);
}

void TestResultsPage::missingDocumentsFolderIsReported()
{
    form->documentsPath = [] { return QString(); };
    QVERIFY(CalculateAndView());
    Save();
    QCOMPARE(TakeMessage(), QStringLiteral("找不到“文档”文件夹，计算结果未能存盘"));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(Button("cbt_Save")->isEnabled());
    QVERIFY(QDir(docs->path()).isEmpty());
}

void TestResultsPage::missingDocumentsFolderIsCreated()
{
    const QString folder = docs->filePath(QStringLiteral("用户/文档"));
    form->documentsPath = [folder] { return folder; };
    QStringList opened;
    form->openFolder = [&opened](const QString& f) { opened << f; };
    QVERIFY(CalculateAndView());
    Save();
    QCOMPARE(TakeMessage(), QString());
    const QString path = rockpile::ResultFilePath(folder, rockpile::TextReportFileName());
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(form->resultsPage()->statusText(), QStringLiteral("已保存：") + QDir::toNativeSeparators(path));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 2);
    emit form->findChild<QLabel*>(QStringLiteral("lb_zhuangtai"))->linkActivated(QStringLiteral("folder"));
    QCOMPARE(opened, QStringList{folder});
}

void TestResultsPage::escapeReturnsToTheInputPage()
{
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QVERIFY(CalculateAndView());
    QWidget* results = form->findChild<QWidget*>(QStringLiteral("JieGuo_DocLayer"));
    QVERIFY(results->isVisible());
    QTest::keyClick(form.get(), Qt::Key_Escape);
    QTRY_VERIFY(!results->isVisible());
    QVERIFY(form->findChild<QWidget*>(QStringLiteral("MainFormLayer"))->isVisible());
    // The keys of the results page do nothing while it is hidden.
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    QTest::qWait(300);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
}

void TestResultsPage::precisionRerunAddsEntry()
{
    QVERIFY(CalculateAndView());
    Button("cbt_Exit")->click();
    auto* popup = form->findChild<QComboBox*>(QStringLiteral("popbox_jingdu"));
    Button("cbt_JingDu")->click();
    QVERIFY(popup->isVisibleTo(form.get()));

    popup->setCurrentIndex(0);  // "两位小数"
    QCOMPARE(form->resultsPage()->reports().reportCount(), 2);
    QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("edt_ra"))->text(), QStringLiteral("9236.28"));
    QVERIFY(!popup->isVisibleTo(form.get()));
    QVERIFY(Button("cbt_View")->isVisibleTo(form.get()));
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);

    // The new entry is on screen in both views; the earlier row keeps its precision.
    QCOMPARE(Lines(TableView()), TableLines({UnitsRow(1), kTwoDecimalsRow2}));
    QVERIFY(Lines(TextView()).contains(QStringLiteral("1.基桩编号: ZH2")));
}

void TestResultsPage::fontSizeSharedByBothViews()
{
    QVERIFY(CalculateAndView());
    auto* slider = form->findChild<QSlider*>(QStringLiteral("tcb_meoFontSize"));
    QCOMPARE(slider->value(), 14);
    QCOMPARE(TextView()->font().pixelSize(), 14);
    QCOMPARE(TableView()->font().pixelSize(), 14);

    for (int size : {24, 4, 17}) {
        slider->setValue(size);
        QCOMPARE(TextView()->font().pixelSize(), size);
        QCOMPARE(TableView()->font().pixelSize(), size);  // the hidden view too
    }
    // The size stays across leaving and reopening the page ("结果" relays the text out).
    Button("cbt_Exit")->click();
    Button("cbt_View")->click();
    QCOMPARE(slider->value(), 17);
    QCOMPARE(TextView()->font().pixelSize(), 17);
    QCOMPARE(TableView()->font().pixelSize(), 17);
}

void TestResultsPage::reportViewFontLinesUpColumns()
{
    const QString missingFont = rockpile::testing::MissingReportFont();
    QVERIFY2(missingFont.isEmpty(), qPrintable(missingFont));
    QVERIFY(CalculateAndView());
    for (rockpile::ReportGridView* view : {TextView(), TableView()}) {
        // Narrow characters share one width and wide ones are exactly twice as wide, so
        // every row of the table report is as wide as its header.
        const QFontMetricsF metrics(view->font());
        const qreal narrow = metrics.horizontalAdvance(QLatin1Char('0'));
        bool linesUp = narrow > 0;
        for (const QString& wide : {QStringLiteral("桩"), QStringLiteral("合规")})
            linesUp &= metrics.horizontalAdvance(wide) == wide.size() * 2 * narrow;
        for (const QString& text : {QStringLiteral(" "), QStringLiteral("-"), QStringLiteral("%"),
                                    QStringLiteral("="), QStringLiteral("Z")})
            linesUp &= metrics.horizontalAdvance(text) == narrow;
        const QStringList lines = Lines(TableView());
        linesUp &= metrics.horizontalAdvance(lines.at(5)) == metrics.horizontalAdvance(lines.at(2));
        // The test runs under a Chinese locale, where the font list names the fonts in
        // Chinese: the report font must still be found by its English name.
        QVERIFY2(linesUp, qPrintable(view->font().family()));
    }
}

void TestResultsPage::deletingEntriesDownToEmpty()
{
    QVERIFY(CalculateAndView());
    for (int i = 0; i < 2; ++i) form->cbt_computeClick();
    QCOMPARE(form->resultsPage()->reports().reportCount(), 3);
    QPushButton* remove = Button("cbt_sanchu");
    QVERIFY(remove->isEnabled());

    remove->click();
    QCOMPARE(form->resultsPage()->reports().reportCount(), 2);
    QCOMPARE(Lines(TableView()), TableLines({UnitsRow(1), UnitsRow(2)}));
    QStringList text = Lines(TextView());
    QCOMPARE(text.last(), kTimeLine);
    QCOMPARE(text.at(text.size() - 2), kEntryClose);
    QCOMPARE(text.count(kEntryTitle), 2);
    QVERIFY(remove->isEnabled());

    remove->click();
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
    QCOMPARE(Lines(TableView()), TableLines({UnitsRow(1)}));
    QCOMPARE(Lines(TextView()).count(kEntryTitle), 1);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);

    remove->click();
    QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    QCOMPARE(TextView()->lines(), QStringList());
    QCOMPARE(TableView()->lines(), QStringList());
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    QVERIFY(!remove->isEnabled());
    QVERIFY(!Button("cbt_Save")->isEnabled());

    // An empty report saves as an empty file.
    Button("cbt_Save")->setEnabled(true);
    Save();
    QCOMPARE(ReadAll(TextFile()), QByteArray());

    // The next calculation starts again at ZH1 with the header.
    Button("cbt_Exit")->click();
    form->cbt_computeClick();
    QCOMPARE(Lines(TableView()), TableLines({UnitsRow(1)}));
    QVERIFY(Lines(TextView()).contains(QStringLiteral("1.基桩编号: ZH1")));
}

void TestResultsPage::pageMovesKeepTheShownReport()
{
    QWidget* input = form->findChild<QWidget*>(QStringLiteral("MainFormLayer"));
    QWidget* results = form->findChild<QWidget*>(QStringLiteral("JieGuo_DocLayer"));
    QVERIFY(CalculateAndView());
    QVERIFY(results->isVisible());
    QVERIFY(!input->isVisible());
    Button("cbt_PageBook")->click();

    Button("cbt_Exit")->click();
    QVERIFY(input->isVisible());
    QVERIFY(!results->isVisible());
    Button("cbt_View")->click();
    QVERIFY(results->isVisible());
    QCOMPARE(Button("cbt_PageBook")->text(), QStringLiteral("2"));
    QVERIFY(TableView()->isVisible());
    QVERIFY(!TextView()->isVisible());
}

void TestResultsPage::searchPageSaveWithoutVisibleListDoesNothing()
{
    form->SaveTarget = 1;
    form->cbt_YHsaveClick();
    QCOMPARE(TakeMessage(), QString());
    QVERIFY(QDir(docs->path()).isEmpty());
}

QTEST_MAIN(TestResultsPage)
#include "test_resultspage.moc"

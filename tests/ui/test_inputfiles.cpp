// Input files in the window and the window against the batch calculator.
//
// A table of piles goes through the window's real compute run ("计算") and through the
// batch calculator's RunPile: both must leave the same result fields, size texts and
// status text, and the same report lines, entry after entry. An input file saved from a
// page with every control set away from its start value opens into a fresh window as
// exactly that page. Bad files leave the page as it was and name themselves.
#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "batch/BatchCalculator.h"
#include "files/TimeStamp.h"
#include "io/InputFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/WidgetTestSupport.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"

using rockpile::testing::Find;

namespace {

const QDateTime kReportTime(QDate(2026, 3, 5), QTime(14, 7, 9));

rockpile::RockLayer Layer(const char* lr, const char* integrity, const char* frk)
{
    rockpile::RockLayer layer = rockpile::RockLayer::StartRow();
    layer.lr = lr;
    layer.integrityText = integrity;
    layer.frk = frk;
    return layer;
}

// One pile of the table: its inputs, and what the window shows in edt_ra and, for a
// completed run, in the table report's row of the pile.
struct Pile {
    const char* name;
    rockpile::PageInputs inputs;
    QString ra;
    std::string tableRow;
};

std::vector<Pile> Piles()
{
    using namespace rockpile;
    std::vector<Pile> piles;

    piles.push_back({"start inputs", PageInputs(), QStringLiteral("9236"),
                     "   ZH1      圆  桩     1000        -         -         -       0.79      3.14      1.00       2639      29%       6597      71%       9236     合规   "});

    PageInputs ellipse;
    ellipse.pile.sectionType = SectionType::Ellipse;
    ellipse.pile.d = "1200";
    ellipse.pile.c = "400";
    ellipse.pile.layers = {Layer("1.50", "较破碎", "15.00"), Layer("2.00", "完整", "30.00")};
    ellipse.precisionMode = 0;
    piles.push_back({"ellipse, two layers, two decimals", ellipse, QStringLiteral("28330.60"),
                     "   ZH2      椭圆桩     1200       400        -         -       1.61      4.57      3.50    12091.98   42.68%   16238.61   57.32%   28330.60    合规   "});

    PageInputs rectangle;
    rectangle.pile.sectionType = SectionType::Rectangle;
    rectangle.pile.d = rectangle.pile.c = std::string();
    rectangle.pile.a = "1200";
    rectangle.pile.b = "1500";
    rectangle.pile.strengthMode = StrengthMode::GivenResistances;
    rectangle.pile.layers = {Layer("1.00", "", ""), Layer("", "", ""), Layer("2.00", "", "")};
    rectangle.pile.layers[0].qraGiven = "500.00";
    rectangle.pile.layers[1].qraGiven = "";
    rectangle.pile.layers[1].qpaGiven = "";
    rectangle.pile.layers[2].qpaGiven = "9000.00";
    rectangle.pile.layers[2].qraGiven = "900.00";
    rectangle.precisionMode = 3;
    piles.push_back({"rectangle with exchanged sides, given resistances, an empty lr, tens", rectangle,
                     QStringLiteral("28620"),
                     "   ZH3      矩形桩       -         -       1500      1200      1.80      5.40      3.00      12420      43%      16200      57%      28620     合规   "});

    PageInputs manual;
    manual.pile.coefficientMode = CoefficientMode::Manual;
    manual.pile.layers = {Layer("1.00", "较完整", "25.00"), Layer("0.80", "较完整", "40.00")};
    manual.pile.layers[0].c1Manual = "0.35";
    manual.pile.layers[1].c2Manual = "";
    manual.precisionMode = 1;
    piles.push_back({"manual coefficients with a hint and a note, one decimal", manual,
                     QStringLiteral("18849.6"),
                     "   ZH4      圆  桩     1000        -         -         -       0.79      3.14      1.80      3141.6    16.7%    15708.0    83.3%    18849.6    超规   "});

    PageInputs larger;
    larger.pile.coefficientMode = CoefficientMode::Larger;
    larger.pile.interpolationBasis = InterpolationBasis::IntegrityIndex;
    larger.pile.boredPile = false;
    larger.pile.softRockExposed = false;
    larger.pile.layers = {Layer("0.20", "", "8.00"), Layer("0.20", "", "12.00")};
    larger.pile.layers[0].kv = "0.60";
    larger.pile.layers[1].kv = "0.90";
    larger.precisionMode = 4;
    piles.push_back({"larger of both by Kv, short socket, hundreds", larger, QStringLiteral("5600"),
                     "   ZH5      圆  桩     1000        -         -         -       0.79      3.14      0.40          0       0%       5600     100%       5600     合规   "});

    PageInputs failing;
    failing.pile.layers = {Layer("1.00", "较完整", "25.00"), Layer("1.00", "较完整", "0")};
    piles.push_back({"frk of 0 in layer 2 stops", failing, QString(), std::string()});

    PageInputs square;
    square.pile.sectionType = SectionType::Rectangle;
    square.pile.a = square.pile.b = "1000.0";
    piles.push_back({"rectangle with equal sides, rewritten", square, QStringLiteral("11760"),
                     "   ZH6      方  桩       -         -       1000      1000      1.00      4.00      1.00       3360      29%       8400      71%      11760     合规   "});
    return piles;
}

class MessageBoxes {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}
    QStringList texts() const
    {
        QStringList texts;
        for (QMessageBox* box : owner_->findChildren<QMessageBox*>())
            if (box->isVisible()) texts << box->text();
        return texts;
    }
    void closeAll() const
    {
        for (QMessageBox* box : owner_->findChildren<QMessageBox*>()) box->close();
    }

private:
    QWidget* owner_;
};

}  // namespace

class TestInputFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void windowAndBatchGiveTheSameFiguresAndLines();
    void inputFileRoundTripsEveryControl();
    void badFileLeavesThePage_data();
    void badFileLeavesThePage();
    void droppedFileOpens();
    void keysOpenAndSave();
    void failedSaveKeepsTheEarlierFile();

private:
    template <typename T = QWidget>
    T* W(const char* name) const { return Find<T>(form.get(), name); }
    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = W<QTableWidget>("StringGrid_QB2")->item(row, column);
        return item ? item->text() : QString();
    }
    std::unique_ptr<MainForm> NewForm() const
    {
        auto window = std::make_unique<MainForm>();
        window->reportClock = [] { return kReportTime; };
        const QString folder = dir->path();
        window->documentsPath = [folder] { return folder; };
        return window;
    }
    QString WriteFile(const QString& name, const QByteArray& bytes) const
    {
        const QString path = dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<MainForm> form;
};

void TestInputFiles::initTestCase() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }

void TestInputFiles::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    form = NewForm();
}

void TestInputFiles::cleanup()
{
    MessageBoxes(form.get()).closeAll();
    form.reset();
    dir.reset();
}

void TestInputFiles::windowAndBatchGiveTheSameFiguresAndLines()
{
    rockpile::ReportModel batchReports;
    const std::string stamp = rockpile::TimeStamp(kReportTime, QLocale());
    int entries = 0;
    for (const Pile& pile : Piles()) {
        const QByteArray name(pile.name);
        form->ApplyPageInputs(pile.inputs);
        W<QPushButton>("cbt_compute")->click();
        const rockpile::PileRun run = rockpile::RunPile(pile.inputs, &batchReports, stamp);

        QVERIFY2(run.ok == !pile.ra.isEmpty(), name);
        QCOMPARE(W<QLineEdit>("edt_ra")->text(), pile.ra);
        QCOMPARE(W<QLineEdit>("edt_ra")->text(), QString::fromStdString(run.ra));
        QCOMPARE(W<QLineEdit>("edt_Quk")->text(), QString::fromStdString(run.rpa));
        QCOMPARE(W<QLineEdit>("edt_percent")->text(), QString::fromStdString(run.percent));
        QCOMPARE(W<rockpile::EditCombo>("cbe_dd")->currentText(), QString::fromStdString(run.sizeText1));
        QCOMPARE(W<rockpile::EditCombo>("cbe_tyzd")->currentText(), QString::fromStdString(run.sizeText2));
        QCOMPARE(W<QLabel>("lb_shuoming")->text(), QString::fromStdString(run.message));

        if (run.ok) ++entries;
        QCOMPARE(form->resultsPage()->reports().reportCount(), entries);
        QCOMPARE(batchReports.reportCount(), entries);
        QVERIFY2(form->resultsPage()->reports().textLines() == batchReports.textLines(), name);
        QVERIFY2(form->resultsPage()->reports().tableLines() == batchReports.tableLines(), name);
        if (run.ok) {
            // The table report ends with its rows, the foot (3 lines) and the time line.
            const std::vector<std::string>& table = form->resultsPage()->reports().tableLines();
            QCOMPARE(table.at(table.size() - 5), pile.tableRow);
        }
    }
}

void TestInputFiles::inputFileRoundTripsEveryControl()
{
    // Every input control away from its start value, as the user sets them.
    W<QComboBox>("cbb_jmlx")->setCurrentIndex(1);
    W<rockpile::EditCombo>("cbe_dd")->setText(QStringLiteral("1350"));
    W<rockpile::EditCombo>("cbe_tyzd")->setText(QStringLiteral("275.5"));
    W<rockpile::EditCombo>("cbe_zhuanchongkong")->setText(QStringLiteral("0.85"));
    W<QComboBox>("cbb_chezhuxishu")->setCurrentIndex(3);
    W<QComboBox>("cbb_wanzhengchengdu")->setCurrentIndex(1);
    W<QCheckBox>("ckb_ruanzhiyan")->setChecked(false);
    W<QComboBox>("cbb_yanchengshu")->setCurrentIndex(2);
    auto* table = W<QTableWidget>("StringGrid_QB2");
    const char* const cells[3][9] = {
        {"1.25", "微风化", "较破碎", "0.55", "18.50", "0.45", "0.05", "7000.00", "600.00"},
        {"0.75", "中风化", "完整", "0.95", "32.00", "0.50", "0.045", "8000.00", "700.00"},
        {"2.10", "微风化", "极破碎", "0.15", "6.25", "0.42", "0.041", "9000.00", "800.00"},
    };
    const int inputColumns[9] = {1, 2, 3, 4, 5, 6, 7, 10, 11};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 9; ++i) {
            const QString text = QString::fromUtf8(cells[row][i]);
            if (QTableWidgetItem* item = table->item(row, inputColumns[i]))
                item->setText(text);
            else
                table->setItem(row, inputColumns[i], new QTableWidgetItem(text));
        }
    W<QComboBox>("popbox_jingdu")->setCurrentIndex(0);  // hidden: no run
    W<QCheckBox>("ckb_dixiashui")->setChecked(false);
    // "保存" offers the documents folder; a name without suffix gets ".json".
    QString offered;
    form->saveInputDialog = [&](const QString& suggested) {
        offered = suggested;
        return dir->filePath(QStringLiteral("桩A"));
    };
    W<QPushButton>("cbt_BaoCun")->click();
    QCOMPARE(offered, dir->filePath(QStringLiteral("嵌岩桩输入.json")));
    QVERIFY(QFile::exists(dir->filePath(QStringLiteral("桩A.json"))));

    // Saved before the run: in compressive-strength mode the run writes its own qpa and
    // qra over columns 10 and 11.
    W<QPushButton>("cbt_compute")->click();
    const QString ra = W<QLineEdit>("edt_ra")->text();
    QCOMPARE(ra, QStringLiteral("17740.61"));
    const std::string lastTableRow = form->resultsPage()->reports().tableLines().at(form->resultsPage()->reports().tableLines().size() - 5);

    // A second window with results of its own opens the file.
    std::unique_ptr<MainForm> other = NewForm();
    Find<QPushButton>(other.get(), "cbt_compute")->click();
    QCOMPARE(Find<QLineEdit>(other.get(), "edt_ra")->text(), QStringLiteral("9236"));
    other->openInputDialog = [&](const QString&) { return dir->filePath(QStringLiteral("桩A.json")); };
    Find<QPushButton>(other.get(), "cbt_DaKai")->click();

    for (const char* name : {"cbb_jmlx", "cbb_yanchengshu", "cbb_qiangduzhi", "cbb_chezhuxishu",
                             "cbb_wanzhengchengdu", "popbox_jingdu"})
        QVERIFY2(Find<QComboBox>(other.get(), name)->currentIndex() == W<QComboBox>(name)->currentIndex(), name);
    QCOMPARE(Find<QComboBox>(other.get(), "cbb_chezhuxishu")->currentIndex(), 3);
    QCOMPARE(Find<rockpile::EditCombo>(other.get(), "cbe_dd")->currentText(), QStringLiteral("1350"));
    QCOMPARE(Find<rockpile::EditCombo>(other.get(), "cbe_tyzd")->currentText(), QStringLiteral("275.5"));
    QCOMPARE(Find<rockpile::EditCombo>(other.get(), "cbe_zhuanchongkong")->currentText(), QStringLiteral("0.85"));
    QCOMPARE(Find<QCheckBox>(other.get(), "ckb_dixiashui")->isChecked(), false);
    QCOMPARE(Find<QCheckBox>(other.get(), "ckb_ruanzhiyan")->isChecked(), false);
    QCOMPARE(Find<QComboBox>(other.get(), "popbox_jingdu")->currentIndex(), 0);
    auto* otherTable = Find<QTableWidget>(other.get(), "StringGrid_QB2");
    QCOMPARE(otherTable->rowCount(), 3);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 22; ++column) {
            const QTableWidgetItem* item = otherTable->item(row, column);
            const QString text = item ? item->text() : QString();
            QString expected;
            if (column == 0) expected = QString::number(row + 1);
            for (int i = 0; i < 9; ++i)
                if (inputColumns[i] == column) expected = QString::fromUtf8(cells[row][i]);
            QVERIFY2(text == expected, qPrintable(QStringLiteral("row %1 column %2: %3").arg(row).arg(column).arg(text)));
        }
    }
    // Results emptied as after any input change.
    for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"})
        QVERIFY2(Find<QLineEdit>(other.get(), name)->text().isEmpty(), name);
    QVERIFY(!Find<QPushButton>(other.get(), "cbt_compute")->isHidden());
    QVERIFY(Find<QPushButton>(other.get(), "cbt_View")->isHidden());

    // "计算" gives what it gave when the file was saved.
    Find<QPushButton>(other.get(), "cbt_compute")->click();
    QCOMPARE(Find<QLineEdit>(other.get(), "edt_ra")->text(), ra);
    // The same row but for its number: the second window's second entry.
    const std::string otherRow = other->resultsPage()->reports().tableLines().at(other->resultsPage()->reports().tableLines().size() - 5);
    QCOMPARE(otherRow.substr(0, 10), std::string("   ZH2    "));
    QCOMPARE(otherRow.substr(10), lastTableRow.substr(10));

    // The next save offers the file just opened.
    other->saveInputDialog = [&](const QString& suggested) {
        offered = suggested;
        return QString();
    };
    Find<QPushButton>(other.get(), "cbt_BaoCun")->click();
    QCOMPARE(offered, dir->filePath(QStringLiteral("桩A.json")));
}

void TestInputFiles::badFileLeavesThePage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("what");
    const QByteArray good = rockpile::InputFileBytes(rockpile::PageInputs());
    auto replaced = [&](const char* from, const char* to) { return QByteArray(good).replace(from, to); };
    QTest::newRow("not JSON") << QByteArray("{ \"format\": ") << QStringLiteral("不是有效的JSON文件（第13个字节附近有错）");
    QTest::newRow("unknown version") << replaced("\"version\": 1", "\"version\": 7")
                                     << QStringLiteral("的格式版本为7，本程序只能读取版本1及以前的文件，请用更新的程序打开");
    QTest::newRow("number not as text") << replaced("\"d\": \"1000\"", "\"d\": 1000")
                                        << QStringLiteral("中“d”的值应为文本（数字也写在引号中，按输入的原样保存），而不是数值");
    QByteArray ten = good;
    const int start = ten.indexOf("        {");
    const int end = ten.indexOf("        }", start) + 9;
    const QByteArray layer = ten.mid(start, end - start);
    QByteArray layers = layer;
    for (int i = 1; i < 10; ++i) layers += ",\n" + layer;
    ten.replace(start, end - start, layers);
    QTest::newRow("ten layers") << ten << QStringLiteral("的岩层数为10，应为1至9层");
}

void TestInputFiles::badFileLeavesThePage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, what);
    W<QComboBox>("cbb_jmlx")->setCurrentIndex(2);
    W<QPushButton>("cbt_compute")->click();
    const rockpile::PageInputs before = form->ReadPageInputs();
    const QString ra = W<QLineEdit>("edt_ra")->text();
    QVERIFY(!ra.isEmpty());

    const QString path = WriteFile(QStringLiteral("坏.json"), bytes);
    form->openInputDialog = [&](const QString&) { return path; };
    W<QPushButton>("cbt_DaKai")->click();

    QCOMPARE(MessageBoxes(form.get()).texts(),
             QStringList{QStringLiteral("输入文件“%1”").arg(QDir::toNativeSeparators(path)) + what});
    QVERIFY(form->ReadPageInputs() == before);
    QCOMPARE(W<QLineEdit>("edt_ra")->text(), ra);
    QVERIFY(!W<QPushButton>("cbt_View")->isHidden());
}

void TestInputFiles::droppedFileOpens()
{
    rockpile::PageInputs inputs;
    inputs.pile.layers.push_back(rockpile::RockLayer::StartRow());
    inputs.pile.d = "1800";
    const QString path = WriteFile(QStringLiteral("drop.json"), rockpile::InputFileBytes(inputs));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);

    QCOMPARE(W<rockpile::EditCombo>("cbe_dd")->currentText(), QStringLiteral("1800"));
    QCOMPARE(W<QTableWidget>("StringGrid_QB2")->rowCount(), 2);
    QVERIFY(form->ReadPageInputs() == inputs);
}

void TestInputFiles::keysOpenAndSave()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    int opened = 0;
    int saved = 0;
    form->openInputDialog = [&](const QString&) { ++opened; return QString(); };
    form->saveInputDialog = [&](const QString&) { ++saved; return QString(); };
    QTest::keyClick(form.get(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(opened, 1);
    QCOMPARE(saved, 0);
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(saved, 1);
    QCOMPARE(opened, 1);
}

void TestInputFiles::failedSaveKeepsTheEarlierFile()
{
    const QString path = WriteFile(QStringLiteral("keep.json"), QByteArray("earlier"));
    bool saved = true;
    {
        // A full disk: no file may grow beyond 16 bytes while saving.
        const FileSizeLimit limit(16);
        saved = form->SaveInputFile(path);
    }
    QVERIFY(!saved);
    const QStringList messages = MessageBoxes(form.get()).texts();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.front().contains(QDir::toNativeSeparators(path)), qPrintable(messages.front()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("earlier"));
}

QTEST_MAIN(TestInputFiles)
#include "test_inputfiles.moc"

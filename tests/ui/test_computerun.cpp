// The compute run driven through the real window: "计算", the precision button and its
// popup list, and the run as the design search calls it. Every control is found by its
// objectName; expected texts are written out by hand.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/MainFormTest.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "ui/ReportGridView.h"

namespace {

const QColor kRed(0xFFFF0000u);
const QColor kGreen(0xFF008000u);
const QColor kBlack(0xFF000000u);
const QColor kMagenta(0xFFFF00FFu);

// The reports' clock stands at 2026-03-05 14:07:09; the time stamp is written in the
// Chinese locale.
const QDateTime kReportTime(QDate(2026, 3, 5), QTime(14, 7, 9));
const std::string kTimeLine = "计算时间：2026/3/5 14:07:09";

const QString kAbortText = QStringLiteral("运行中止，主界面可查看中止位置、原因");
const QString kClause4 = QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.4条");
const QString kClause5 = QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.5条");
const QString kShallow = QStringLiteral("桩身嵌岩深度<0.5m，不计侧阻力");

// Row 0 after a run of the start inputs: circular d = 1000 mm, one layer of 1.00 m of
// "较完整" rock with frk 25 MPa, automatic coefficients reduced for a bored pile.
const std::array<const char*, 22> kStartRow = {
    "1", "1.00", "中风化", "较完整", "0.75", "25.00", "0.50", "0.04",
    "0.336", "0.0336", "8400", "840", "9236.28240155399", "6597.34457253857",
    "2638.93782901543", "2638.93782901543", "28.57%", "28.5714285714286",
    "较软岩,岩体较完整", "较软岩", "0.336", "0.0336"};

// Columns the run writes.
const int kComputed[] = {8, 9, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21};

const std::vector<std::string> kTableHeader = {
    "========================================================== 嵌岩桩计算书 ==============================================================================",
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
    " 基    桩  桩身截面  桩身直径  椭圆直段  矩形长边  矩形短边  桩身面积  桩身周长  嵌岩深度  桩侧阻力  桩侧阻力  桩端阻力  桩端阻力  桩承载力  计算结果 ",
    " 编    号  类    型    d(mm)     c(mm)     a(mm)     b(mm)    Ap(m^2)    μ(m)     hr(m)    Rra(kN)  占百分比   Rpa(kN)  占百分比   Ra(kN)   合规判定 ",
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
};
const std::vector<std::string> kTableFooter = {
    "------------------------------------------------------------------------------------------------------------------------------------------------------",
    " 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算",
    "======================================================================================================================================================",
    kTimeLine,
};
const std::string kStartRowZH1 =
    "   ZH1      圆  桩     1000        -         -         -       0.79      3.14      1.00       2639      29%       6597      71%       9236     合规   ";

// The first lines of the text report entry of the start inputs.
const std::vector<std::string> kStartEntryHead = {
    "================== 嵌岩桩计算书 ==================",
    "1.基桩编号: ZH1",
    "2.输入数据",
    "  2.1 基桩参数",
    "      桩身截面类型:                      圆桩",
    "      桩身直径d:                         1000 mm",
    "  2.2 基岩参数",
    "      嵌岩段岩层数:                         1",
    "      岩石强度取值:  岩样天然湿度单轴抗压强度",
    "      端阻侧阻系数:              程序自动插值",
    "      自动插值依据:              岩体完整程度",
    "      岩层参数:",
    "      --------------------------------",
    "      岩  嵌岩层厚  岩体完整  岩石强度",
    "      层   hri(m)   程    度  frk(MPa)",
    "      --------------------------------",
    "       1    1.00     较完整    25.00  ",
    "      --------------------------------",
    "      基桩为钻冲孔桩：                     是",
    "      钻冲孔桩折减系数:                  0.70",
    "      软化系数≤0.6的软质岩，施工时无可靠    ",
    "                措施缩短桩端基岩暴露时间     ",
    "3.采用规范及公式",
};

std::vector<std::string> Lines(const rockpile::ReportGridView* view)
{
    std::vector<std::string> lines;
    for (const QString& line : view->lines()) lines.push_back(line.toStdString());
    return lines;
}

}  // namespace

class TestComputeRun : public QObject, rockpile::testing::MainFormTest {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void startInputsGiveGreenResultsAndReports();
    void precisionPopupRerunsAndAppends_data();
    void precisionPopupRerunsAndAppends();
    void precisionListIsReadOnlyWhenItRuns();
    void precisionChoiceOnBadInputKeepsListOpen();
    void rectangleSidesAreWrittenBack_data();
    void rectangleSidesAreWrittenBack();
    void sectionErrorStopsTheRun_data();
    void sectionErrorStopsTheRun();
    void errorInSecondLayerKeepsFirstLayerOnly();
    void manualCoefficientsGiveRedVerdict();
    void shortSocketShowsInformation();
    void emptySocketLengthIsNotedAndZeroed();
    void runWithoutMessageKeepsStatusLineShown();
    void designSearchRunWritesNoReport();
    void reportRefusesALayerCellThatIsNoNumber();

private:
    template <typename T>
    T* W(const char* name) const
    {
        return find<T>(name);
    }
    QComboBox* Combo(const char* name) const { return W<QComboBox>(name); }
    rockpile::EditCombo* Edit(const char* name) const { return W<rockpile::EditCombo>(name); }
    QLineEdit* Field(const char* name) const { return W<QLineEdit>(name); }
    QLabel* Label(const char* name) const { return W<QLabel>(name); }
    QPushButton* Button(const char* name) const { return W<QPushButton>(name); }
    QTableWidget* Table() const { return W<QTableWidget>("StringGrid_QB2"); }

    QString Cell(int row, int column) const
    {
        const QTableWidgetItem* item = Table()->item(row, column);
        return item ? item->text() : QString();
    }
    // A cell as the user leaves it: the text, then the commit of the edit.
    void EditCell(int row, int column, const QString& text)
    {
        if (QTableWidgetItem* item = Table()->item(row, column))
            item->setText(text);
        else
            Table()->setItem(row, column, new QTableWidgetItem(text));
        form->StringGrid_QB2EditingDone();
    }
    // Three layers of 1.00 m of "较完整" rock with frk 25 MPa.
    void ThreeLayers()
    {
        Combo("cbb_yanchengshu")->setCurrentIndex(2);
        for (int row = 1; row < 3; ++row) {
            EditCell(row, 1, QStringLiteral("1.00"));
            EditCell(row, 3, QStringLiteral("较完整"));
            EditCell(row, 5, QStringLiteral("25.00"));
        }
    }
    void Compute() { Button("cbt_compute")->click(); }
    // Choose an item of the precision list as the user does: open it with "≈", pick.
    void ChoosePrecision(int index)
    {
        if (Combo("popbox_jingdu")->isHidden()) Button("cbt_JingDu")->click();
        Combo("popbox_jingdu")->setCurrentIndex(index);
    }
    QStringList ResultTexts() const
    {
        return {Field("edt_Quk")->text(), Field("edt_ra")->text(), Field("edt_percent")->text()};
    }
    bool ShowsCompute() const
    {
        return Button("cbt_compute")->isVisible() && Button("cbt_compute")->isEnabled() &&
               !Button("cbt_View")->isVisible();
    }
    bool ShowsView() const
    {
        return !Button("cbt_compute")->isVisible() && !Button("cbt_compute")->isEnabled() &&
               Button("cbt_View")->isVisible();
    }
    // The status line as if nothing had been said yet, in a colour no run message uses
    // unchanged.
    void ResetStatusLine(const QColor& colour)
    {
        Label("lb_shuoming")->setText(QString());
        rockpile::SetTextColour(Label("lb_shuoming"), colour);
    }
};

void TestComputeRun::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

void TestComputeRun::init()
{
    OpenForm(Ready::Exposed, [](MainForm& f) { f.reportClock = [] { return kReportTime; }; });
}

void TestComputeRun::cleanup() { CloseForm(); }

void TestComputeRun::startInputsGiveGreenResultsAndReports()
{
    Compute();

    QCOMPARE(ResultTexts(), QStringList({"6597", "9236", "71%"}));
    for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"})
        QCOMPARE(rockpile::TextColour(Field(name)), kGreen);
    for (int column = 0; column < 22; ++column)
        QCOMPARE(Cell(0, column), QString::fromUtf8(kStartRow[static_cast<size_t>(column)]));
    QCOMPARE(Label("lb_guifan2")->text(), kClause4);
    QCOMPARE(Label("lb_shuoming")->text(), QString());

    // The report step and what it unlocks.
    QVERIFY(ShowsView());
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
    QVERIFY(Button("cbt_Save")->isEnabled());
    QVERIFY(Button("cbt_sanchu")->isEnabled());
    QVERIFY(Combo("popbox_jingdu")->isHidden());
    QCOMPARE(Label("lb_YHxingxi")->text(), QString());

    std::vector<std::string> table = kTableHeader;
    table.push_back(kStartRowZH1);
    table.insert(table.end(), kTableFooter.begin(), kTableFooter.end());
    QCOMPARE(form->resultsPage()->reports().tableLines(), table);
    QCOMPARE(Lines(W<rockpile::ReportGridView>("meo_jisuanjieguo_Xls")), table);

    const std::vector<std::string>& text = form->resultsPage()->reports().textLines();
    QVERIFY(text.size() > kStartEntryHead.size());
    for (size_t i = 0; i < kStartEntryHead.size(); ++i) QCOMPARE(text[i], kStartEntryHead[i]);
    QCOMPARE(text[text.size() - 2], std::string("=================================================="));
    QCOMPARE(text.back(), kTimeLine);
    QCOMPARE(Lines(W<rockpile::ReportGridView>("meo_jisuanjieguo_Doc")), text);
}

void TestComputeRun::precisionPopupRerunsAndAppends_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("row");
    QTest::newRow("两位小数") << 0 << QStringList({"6597.34", "9236.28", "71.43%"})
                          << QStringLiteral("   ZH2      圆  桩     1000        -         -         -       0.79      3.14      1.00     2638.94   28.57%    6597.34   71.43%    9236.28    合规   ");
    QTest::newRow("一位小数") << 1 << QStringList({"6597.3", "9236.3", "71.4%"})
                          << QStringLiteral("   ZH2      圆  桩     1000        -         -         -       0.79      3.14      1.00      2638.9    28.6%     6597.3    71.4%     9236.3    合规   ");
    QTest::newRow("十位取整") << 3 << QStringList({"6590", "9230", "71%"})
                          << QStringLiteral("   ZH2      圆  桩     1000        -         -         -       0.79      3.14      1.00       2630      29%       6590      71%       9230     合规   ");
    QTest::newRow("百位取整") << 4 << QStringList({"6500", "9200", "71%"})
                          << QStringLiteral("   ZH2      圆  桩     1000        -         -         -       0.79      3.14      1.00       2600      29%       6500      71%       9200     合规   ");
}

void TestComputeRun::precisionPopupRerunsAndAppends()
{
    QFETCH(int, mode);
    QFETCH(QStringList, fields);
    QFETCH(QString, row);

    Compute();
    QVERIFY(ShowsView());
    Button("cbt_JingDu")->click();
    QVERIFY(!Combo("popbox_jingdu")->isHidden());

    // Chosen while "计算" is hidden and disabled: the run happens all the same.
    Combo("popbox_jingdu")->setCurrentIndex(mode);
    QCOMPARE(ResultTexts(), fields);
    QCOMPARE(rockpile::TextColour(Field("edt_ra")), kGreen);
    QCOMPARE(Cell(0, 16), QStringLiteral("28.57%"));  // the layer share keeps two decimals
    QVERIFY(Combo("popbox_jingdu")->isHidden());
    QVERIFY(ShowsView());

    // A second entry in both reports; the first keeps its precision.
    QCOMPARE(form->resultsPage()->reports().reportCount(), 2);
    const std::vector<std::string>& table = form->resultsPage()->reports().tableLines();
    QCOMPARE(table.size(), size_t(11));
    QCOMPARE(table[5], kStartRowZH1);
    QCOMPARE(QString::fromStdString(table[6]), row);
    QCOMPARE(table.back(), kTimeLine);
    const std::vector<std::string>& text = form->resultsPage()->reports().textLines();
    QCOMPARE(std::count(text.begin(), text.end(), std::string("1.基桩编号: ZH2")), 1);
    QCOMPARE(std::count(text.begin(), text.end(), kTimeLine), 1);
}

void TestComputeRun::precisionListIsReadOnlyWhenItRuns()
{
    // "≈" twice: open and closed again, nothing calculated.
    Button("cbt_JingDu")->click();
    QVERIFY(!Combo("popbox_jingdu")->isHidden());
    Button("cbt_JingDu")->click();
    QVERIFY(Combo("popbox_jingdu")->isHidden());
    QCOMPARE(ResultTexts(), QStringList({"", "", ""}));

    // A choice on the hidden list runs nothing, but the next run reads it.
    Combo("popbox_jingdu")->setCurrentIndex(0);
    QCOMPARE(ResultTexts(), QStringList({"", "", ""}));
    QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    Compute();
    QCOMPARE(ResultTexts(), QStringList({"6597.34", "9236.28", "71.43%"}));
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
}

void TestComputeRun::precisionChoiceOnBadInputKeepsListOpen()
{
    EditCell(0, 5, QStringLiteral("0"));
    ChoosePrecision(0);

    QCOMPARE(Label("lb_shuoming")->text(), QStringLiteral("岩石单轴抗压强度值错"));
    QVERIFY(!Combo("popbox_jingdu")->isHidden());
    QCOMPARE(ResultTexts(), QStringList({"", "", ""}));
    QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    QVERIFY(ShowsCompute());
}

void TestComputeRun::rectangleSidesAreWrittenBack_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("ddAfter");
    QTest::addColumn<QString>("tyzdAfter");
    QTest::addColumn<QString>("aLine");
    QTest::addColumn<QString>("bLine");
    QTest::addColumn<QString>("kindLine");
    QTest::newRow("短边在前") << "1200" << "1500" << "1500" << "1200"
                          << QStringLiteral("      矩形长边尺寸a:                     1500 mm")
                          << QStringLiteral("      矩形短边尺寸b:                     1200 mm")
                          << QStringLiteral("  4.1 桩身截面类型:                    矩形桩");
    QTest::newRow("长边在前") << "1500" << "1200" << "1500" << "1200"
                          << QStringLiteral("      矩形长边尺寸a:                     1500 mm")
                          << QStringLiteral("      矩形短边尺寸b:                     1200 mm")
                          << QStringLiteral("  4.1 桩身截面类型:                    矩形桩");
    QTest::newRow("方桩改写") << "1000.0" << "1000" << "1000" << "1000"
                          << QStringLiteral("      矩形长边尺寸a:                     1000 mm")
                          << QStringLiteral("      矩形短边尺寸b:                     1000 mm")
                          << QStringLiteral("  4.1 桩身截面类型:                      方桩");
}

void TestComputeRun::rectangleSidesAreWrittenBack()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, ddAfter);
    QFETCH(QString, tyzdAfter);
    QFETCH(QString, aLine);
    QFETCH(QString, bLine);
    QFETCH(QString, kindLine);

    Combo("cbb_jmlx")->setCurrentIndex(2);
    Edit("cbe_dd")->setText(a);
    Edit("cbe_tyzd")->setText(b);
    // A short socket, so that the run ends with a message that writing the sides back
    // must not wipe.
    EditCell(0, 1, QStringLiteral("0.30"));
    Compute();

    QCOMPARE(Edit("cbe_dd")->currentText(), ddAfter);
    QCOMPARE(Edit("cbe_tyzd")->currentText(), tyzdAfter);
    QCOMPARE(Label("lb_shuoming")->text(), kShallow);
    QVERIFY(ShowsView());
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);

    // The report takes the sides as they stand after the run.
    const std::vector<std::string>& text = form->resultsPage()->reports().textLines();
    QCOMPARE(QString::fromStdString(text[4]), QStringLiteral("      桩身截面类型:                    矩形桩"));
    QCOMPARE(QString::fromStdString(text[5]), aLine);
    QCOMPARE(QString::fromStdString(text[6]), bLine);
    QVERIFY(std::find(text.begin(), text.end(), kindLine.toStdString()) != text.end());

    // The written-back texts are the controls' committed values: entering them again
    // is no change and leaves the results shown.
    Edit("cbe_dd")->setText(ddAfter);
    QVERIFY(ShowsView());
}

void TestComputeRun::sectionErrorStopsTheRun_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("dd");
    QTest::addColumn<QString>("tyzd");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("redField");
    QTest::addColumn<QString>("otherField");
    QTest::newRow("圆桩 d = 0") << 0 << "0" << "0" << QStringLiteral("桩身直径数据有错") << "cbe_dd" << "cbe_tyzd";
    QTest::newRow("椭圆 c = 0") << 1 << "1000" << "0" << QStringLiteral("椭圆直段长度数据有错") << "cbe_tyzd" << "";
    QTest::newRow("矩形 a = 0") << 2 << "0" << "1000" << QStringLiteral("矩形长边尺寸数据有错") << "cbe_dd" << "cbe_tyzd";
    QTest::newRow("矩形 b = 0") << 2 << "1500" << "0" << QStringLiteral("矩形短边尺寸数据有错") << "cbe_tyzd" << "";
}

void TestComputeRun::sectionErrorStopsTheRun()
{
    QFETCH(int, section);
    QFETCH(QString, dd);
    QFETCH(QString, tyzd);
    QFETCH(QString, message);
    QFETCH(QString, redField);
    QFETCH(QString, otherField);

    Combo("cbb_jmlx")->setCurrentIndex(section);
    Edit("cbe_dd")->setText(dd);
    Edit("cbe_tyzd")->setText(tyzd);
    // Whatever the change handlers said, the run must say it itself.
    ResetStatusLine(kBlack);
    rockpile::SetTextColour(Edit("cbe_dd"), kBlack);
    rockpile::SetTextColour(Edit("cbe_tyzd"), kMagenta);
    const QString lbBefore = Label("lb_guifan2")->text();
    Compute();

    QCOMPARE(Label("lb_shuoming")->text(), message);
    QCOMPARE(rockpile::TextColour(Label("lb_shuoming")), kRed);
    QCOMPARE(rockpile::TextColour(form->findChild<QWidget*>(redField)), kRed);
    // Sizes after the failed one are not tested, so their colour stays.
    if (!otherField.isEmpty())
        QCOMPARE(rockpile::TextColour(form->findChild<QWidget*>(otherField)), kMagenta);
    QCOMPARE(ResultTexts(), QStringList({"", "", ""}));
    QVERIFY(ShowsCompute());
    QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    QCOMPARE(Label("lb_YHxingxi")->text(), kAbortText);
    QCOMPARE(rockpile::TextColour(Label("lb_YHxingxi")), kRed);
    for (int column : kComputed) QCOMPARE(Cell(0, column), QString());
    QCOMPARE(Label("lb_guifan2")->text(), lbBefore);
}

void TestComputeRun::errorInSecondLayerKeepsFirstLayerOnly()
{
    ThreeLayers();
    Compute();
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
    for (int row = 0; row < 3; ++row) QVERIFY(!Cell(row, 15).isEmpty());
    const std::vector<std::string> tableBefore = form->resultsPage()->reports().tableLines();
    const std::vector<std::string> textBefore = form->resultsPage()->reports().textLines();

    EditCell(1, 5, QStringLiteral("0"));
    QVERIFY(ShowsCompute());
    Compute();

    QCOMPARE(Label("lb_shuoming")->text(), QStringLiteral("岩石单轴抗压强度值错"));
    QCOMPARE(rockpile::TextColour(Label("lb_shuoming")), kRed);
    QCOMPARE(Label("lb_YHxingxi")->text(), kAbortText);
    QCOMPARE(rockpile::TextColour(Label("lb_YHxingxi")), kRed);
    QCOMPARE(ResultTexts(), QStringList({"", "", ""}));
    QVERIFY(ShowsCompute());
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
    QCOMPARE(form->resultsPage()->reports().tableLines(), tableBefore);
    QCOMPARE(form->resultsPage()->reports().textLines(), textBefore);

    // Layer 1 is complete; it does not carry the pile end, and the shares are written
    // only after the last layer.
    const std::pair<int, const char*> row0[] = {
        {8, "0.336"}, {9, "0.0336"}, {10, "8400"}, {11, "840"}, {12, ""}, {13, ""},
        {14, "2638.93782901543"}, {15, "2638.93782901543"}, {16, ""}, {17, ""},
        {18, "较软岩,岩体较完整"}, {19, "较软岩"}, {20, "0.336"}, {21, "0.0336"}};
    for (const auto& [column, text] : row0) QCOMPARE(Cell(0, column), QString::fromUtf8(text));
    for (int row = 1; row < 3; ++row)
        for (int column : kComputed) QCOMPARE(Cell(row, column), QString());
    QCOMPARE(Label("lb_guifan2")->text(), kClause4);
}

void TestComputeRun::manualCoefficientsGiveRedVerdict()
{
    Combo("cbb_chezhuxishu")->setCurrentIndex(0);
    EditCell(0, 6, QStringLiteral("0.50"));
    EditCell(0, 7, QStringLiteral("0.05"));
    Compute();

    QVERIFY(!Field("edt_ra")->text().isEmpty());
    for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"})
        QCOMPARE(rockpile::TextColour(Field(name)), kRed);
    // Both coefficients lie in the recommended ranges: the hint of the mode change is
    // gone and no other message replaced it.
    QCOMPARE(Label("lb_shuoming")->text(), QString());
    QCOMPARE(Cell(0, 8), QStringLiteral("0.5"));
    QCOMPARE(Cell(0, 9), QStringLiteral("0.05"));
    QVERIFY(ShowsView());
    const std::vector<std::string>& text = form->resultsPage()->reports().textLines();
    QVERIFY(std::find(text.begin(), text.end(),
                      std::string("  4.6 计算结果合规性判定:                超规")) != text.end());
}

void TestComputeRun::shortSocketShowsInformation()
{
    EditCell(0, 1, QStringLiteral("0.30"));
    ResetStatusLine(kMagenta);
    Compute();

    QCOMPARE(Label("lb_shuoming")->text(), kShallow);
    QCOMPARE(rockpile::TextColour(Label("lb_shuoming")), kBlack);
    QVERIFY(Label("lb_shuoming")->isVisible());
    QVERIFY(!Label("img_logo")->isVisible());
    // No side resistance: C2 is not adopted and the layer's share is nothing.
    QCOMPARE(Cell(0, 9), QStringLiteral("0"));
    QCOMPARE(Cell(0, 15), QStringLiteral("0"));
    QCOMPARE(Cell(0, 16), QStringLiteral("0.00%"));
    QCOMPARE(ResultTexts(), QStringList({"6597", "6597", "100%"}));
    QVERIFY(ShowsView());
}

void TestComputeRun::emptySocketLengthIsNotedAndZeroed()
{
    // Given resistances, so that no later check empties the status line.
    Combo("cbb_qiangduzhi")->setCurrentIndex(0);
    Combo("cbb_yanchengshu")->setCurrentIndex(2);
    const char* lr[] = {"1.00", "", "2.00"};
    for (int row = 0; row < 3; ++row) {
        EditCell(row, 1, QString::fromUtf8(lr[row]));
        EditCell(row, 10, QStringLiteral("8400.00"));
        EditCell(row, 11, QStringLiteral("840.00"));
    }
    // A note keeps the colour the line already has.
    ResetStatusLine(kMagenta);
    Compute();

    QCOMPARE(Label("lb_shuoming")->text(), QStringLiteral("第2层岩石嵌岩深度未输入，隐含取0.00"));
    QCOMPARE(rockpile::TextColour(Label("lb_shuoming")), kMagenta);
    QCOMPARE(Cell(1, 1), QStringLiteral("0.00"));
    QCOMPARE(Cell(1, 15), QStringLiteral("0"));
    QCOMPARE(Cell(1, 14), QStringLiteral("2638.93782901543"));
    QCOMPARE(Cell(2, 15), QStringLiteral("5277.87565803085"));
    QCOMPARE(Cell(2, 14), QStringLiteral("7916.81348704628"));
    QCOMPARE(Cell(2, 13), QStringLiteral("6597.34457253857"));
    QCOMPARE(Cell(2, 12), QStringLiteral("14514.1580595848"));
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(Cell(row, 12), QString());
        QCOMPARE(Cell(row, 13), QString());
    }
    // The given resistances are inputs here and stay as typed; the coefficient and rock
    // class columns belong to the other mode.
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(Cell(row, 10), QStringLiteral("8400.00"));
        QCOMPARE(Cell(row, 11), QStringLiteral("840.00"));
        for (int column : {8, 9, 18, 19, 20, 21}) QCOMPARE(Cell(row, column), QString());
    }
    QCOMPARE(Label("lb_guifan2")->text(), kClause5);
    QCOMPARE(ResultTexts(), QStringList({"6597", "14514", "45%"}));
    QVERIFY(ShowsView());
}

void TestComputeRun::runWithoutMessageKeepsStatusLineShown()
{
    EditCell(0, 1, QStringLiteral("0.30"));
    Compute();
    QCOMPARE(Label("lb_shuoming")->text(), kShallow);

    EditCell(0, 1, QStringLiteral("1.00"));
    Compute();
    QCOMPARE(Label("lb_shuoming")->text(), QString());
    QVERIFY(Label("lb_shuoming")->isVisible());
    QVERIFY(!Label("img_logo")->isVisible());
    QCOMPARE(form->resultsPage()->reports().reportCount(), 2);
}

void TestComputeRun::designSearchRunWritesNoReport()
{
    form->SaveTarget = 1;
    Button("cbt_JingDu")->click();  // the list is left alone by such a run
    const bool saveEnabled = Button("cbt_Save")->isEnabled();

    QVERIFY(form->RunCompute());
    QCOMPARE(ResultTexts(), QStringList({"6597", "9236", "71%"}));
    QCOMPARE(Cell(0, 12), QStringLiteral("9236.28240155399"));
    QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    QVERIFY(ShowsCompute());
    QCOMPARE(Button("cbt_Save")->isEnabled(), saveEnabled);
    QVERIFY(!Button("cbt_sanchu")->isEnabled());
    QVERIFY(!Combo("popbox_jingdu")->isHidden());
    QVERIFY(W<rockpile::ReportGridView>("meo_jisuanjieguo_Doc")->lines().isEmpty());

    // A stop is reported to the caller, and on the search page's information line.
    EditCell(0, 5, QStringLiteral("0"));
    QVERIFY(!form->RunCompute());
    QCOMPARE(Label("lb_YHxingxi")->text(), kAbortText);
    QCOMPARE(ResultTexts(), QStringList({"", "", ""}));
    QCOMPARE(Cell(0, 12), QString());
}

void TestComputeRun::reportRefusesALayerCellThatIsNoNumber()
{
    // One entry in the reports, shown on the results page's views.
    Compute();
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
    const std::vector<std::string> textBefore = form->resultsPage()->reports().textLines();
    const std::vector<std::string> tableBefore = form->resultsPage()->reports().tableLines();
    auto* textView = W<rockpile::ReportGridView>("meo_jisuanjieguo_Doc");
    auto* tableView = W<rockpile::ReportGridView>("meo_jisuanjieguo_Xls");
    const QStringList textViewBefore = textView->lines();
    const QStringList tableViewBefore = tableView->lines();

    // The run corrects or overwrites every cell it reads, so a cell that is no number
    // reaches the report step only when something else writes it while the run is
    // under way. A listener on the table plays that part: when the run writes the share
    // of layer 1, it puts a letter into that layer's side resistance.
    bool spoilt = false;
    const QMetaObject::Connection spoiler =
        connect(Table(), &QTableWidget::itemChanged, this, [&](QTableWidgetItem* item) {
            if (spoilt || item->row() != 0 || item->column() != 16 || item->text().isEmpty()) return;
            spoilt = true;
            Table()->item(0, 15)->setText(QStringLiteral("x"));
        });
    EditCell(0, 1, QStringLiteral("1.00"));  // an edit brings "计算" back
    ResetStatusLine(kBlack);
    Compute();
    disconnect(spoiler);
    QVERIFY(spoilt);
    QCOMPARE(Cell(0, 15), QStringLiteral("x"));

    QCOMPARE(Label("lb_shuoming")->text(), QStringLiteral("岩层表格数据有错，本次计算未写入计算书"));
    QCOMPARE(rockpile::TextColour(Label("lb_shuoming")), kRed);
    QCOMPARE(form->resultsPage()->reports().reportCount(), 1);
    QCOMPARE(form->resultsPage()->reports().textLines(), textBefore);
    QCOMPARE(form->resultsPage()->reports().tableLines(), tableBefore);
    QCOMPARE(textView->lines(), textViewBefore);
    QCOMPARE(tableView->lines(), tableViewBefore);
    // No entry was made: "结果" does not replace "计算".
    QVERIFY(ShowsCompute());
}

QTEST_MAIN(TestComputeRun)
#include "test_computerun.moc"

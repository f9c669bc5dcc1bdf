// The main window right after start: window, pages, every control's text, items,
// place, state and colours (the places of every page and of the About popup in one
// table, in design units), the first layer row, the module state; the two shared
// steps ClearResultDisplay and ShowStatusMessage; page scaling; "退出".
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "tests/support/MainFormTest.h"
#include "tests/support/WidgetTestSupport.h"
#include "ui/MainForm.h"
#include "ui/ReportGridView.h"
#include "ui/ScaledPage.h"

namespace {

const QColor kRed(0xFFFF0000u);
const QColor kGreen(0xFF008000u);
const QColor kBlack(0xFF000000u);
const QColor kMagenta(0xFFFF00FFu);
const QColor kBlue(0xFF0000FFu);
const QColor kBlueViolet(0xFF8A2BE2u);

QColor LabelColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::WindowText); }
QColor FieldColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::Text); }
QColor ButtonColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::ButtonText); }

QString Text(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
    if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
    if (auto* field = qobject_cast<const QLineEdit*>(w)) return field->text();
    if (auto* combo = qobject_cast<const QComboBox*>(w)) return combo->currentText();
    if (auto* view = qobject_cast<const rockpile::ReportGridView*>(w)) return view->lines().join(QLatin1Char('\n'));
    return QStringLiteral("<no text>");
}

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

}  // namespace

class TestMainWindow : public QObject, rockpile::testing::MainFormTest {
    Q_OBJECT

private slots:
    void init() { OpenForm(); }
    void cleanup() { CloseForm(); }

    void windowFrameAndCaption()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("嵌岩桩承载力计算 (DBJ15-31-2016)"));
        QCOMPARE(form->size(), QSize(370, 800));
        QCOMPARE(form->minimumSize(), QSize(370, 800));
        QCOMPARE(form->maximumSize(), QSize(370, 800));
        const Qt::WindowFlags flags = form->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
    }

    void backgroundRunsFromDodgerBlueToWhite()
    {
        const QImage image = form->grab().toImage();
        // A strip at the left edge that no control covers.
        const QColor top = image.pixelColor(1, 1);
        const QColor bottom = image.pixelColor(1, image.height() - 40);
        QVERIFY2(qAbs(top.red() - 0x1E) <= 3 && qAbs(top.green() - 0x90) <= 3 && top.blue() >= 0xFC,
                 qPrintable(top.name()));
        QVERIFY2(bottom.red() >= 0xF0 && bottom.green() >= 0xF0 && bottom.blue() >= 0xF8,
                 qPrintable(bottom.name()));
    }

    void onlyTheInputPageIsShown()
    {
        QVERIFY(find("MainFormLayer")->isVisible());
        QVERIFY(!find("JieGuo_DocLayer")->isVisible());
        QVERIFY(!find("YouHuaFormLayer")->isVisible());
        QVERIFY(!find("ComFormLayer")->isVisible());
        QCOMPARE(find("MainFormLayer")->geometry(), QRect(0, 0, 370, 800));
    }

    void moduleStateStartsAtZero()
    {
        QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
        QVERIFY(form->resultsPage()->reports().textLines().empty());
        QVERIFY(form->resultsPage()->reports().tableLines().empty());
        QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
        QCOMPARE(form->SaveTarget, 0);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        QCOMPARE(form->searchPage()->RaSortState(), 0);
    }

    void controlsAtTheirPlacesWithTheirTexts_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry");  // relative to the parent at scale 1
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        struct Row {
            const char* name;
            const char* page;
            const char* text;
            QRect geometry;
            bool visible;
            bool enabled;
        };
        const Row rows[] = {
            // Input page.
            {"lb_cxm", "MainFormLayer", "嵌岩桩承载力计算", {88, 10, 209, 33}, true, true},
            {"cbt_CopyRight", "MainFormLayer", "©", {340, 6, 21, 21}, true, true},
            {"gpb_srcs", "MainFormLayer", "基桩参数", {4, 56, 362, 145}, true, true},
            {"gpb_yscs", "MainFormLayer", "基岩参数", {4, 204, 362, 334}, true, true},
            {"gpb_scjg", "MainFormLayer", "计算结果", {4, 542, 362, 184}, true, true},
            {"cbt_compute", "MainFormLayer", "计算", {40, 732, 100, 33}, true, true},
            {"cbt_View", "MainFormLayer", "结果", {40, 732, 100, 33}, false, true},
            {"cbt_YouHua", "MainFormLayer", "★", {172, 738, 20, 20}, true, true},
            {"cbt_tuichu", "MainFormLayer", "退出", {224, 732, 100, 33}, true, true},
            {"img_logo", "MainFormLayer", "", {0, 768, 370, 32}, true, true},
            {"lb_shuoming", "MainFormLayer", "", {16, 768, 340, 33}, false, true},
            {"lb_jmlx", "MainFormLayer", "桩身截面类型", {8, 32, 200, 32}, true, true},
            {"cbb_jmlx", "MainFormLayer", "圆桩", {268, 32, 89, 32}, true, true},
            {"lb_dd", "MainFormLayer", "桩  身   直   径    d (mm)", {8, 67, 200, 32}, true, true},
            {"cbe_dd", "MainFormLayer", "1000", {268, 67, 89, 32}, true, true},
            {"lb_tyzd", "MainFormLayer", "椭圆直段长度    c (mm)", {8, 102, 200, 32}, true, false},
            {"cbe_tyzd", "MainFormLayer", "0", {268, 102, 89, 32}, true, false},
            {"lb_yanchengshu", "MainFormLayer", "嵌岩段岩层数", {8, 28, 120, 32}, true, true},
            {"cbb_yanchengshu", "MainFormLayer", "1", {132, 32, 224, 26}, true, true},
            {"lb_qiangduquzhi", "MainFormLayer", "岩石强度取值", {8, 58, 120, 32}, true, true},
            {"cbb_qiangduzhi", "MainFormLayer", "岩样天然湿度单轴抗压强度", {132, 62, 224, 26}, true, true},
            {"lb_chezhuxishu", "MainFormLayer", "侧阻端阻系数", {8, 88, 120, 32}, true, true},
            {"cbb_chezhuxishu", "MainFormLayer", "程序自动插值", {132, 92, 224, 26}, true, true},
            {"lb_wanzhengchengdu", "MainFormLayer", "系数插值依据", {8, 118, 120, 32}, true, true},
            {"cbb_wanzhengchengdu", "MainFormLayer", "岩体完整程度", {132, 122, 224, 26}, true, true},
            {"ckb_dixiashui", "MainFormLayer", "钻冲孔桩", {8, 158, 100, 17}, true, true},
            {"lb_zhuanchongkong", "MainFormLayer", "折减系数", {136, 150, 80, 32}, true, true},
            {"cbe_zhuanchongkong", "MainFormLayer", "0.70", {204, 154, 80, 26}, true, true},
            {"cbt_kuozhanbiaoge", "MainFormLayer", "展开", {316, 162, 40, 32}, true, true},
            {"ckb_ruanzhiyan", "MainFormLayer", "软化系数≤0.6的软质岩，桩端岩石长时间暴露", {8, 188, 310, 17}, true, true},
            {"StringGrid_QB2", "MainFormLayer", "<no text>", {8, 208, 348, 120}, true, true},
            {"lb_kesair", "MainFormLayer", "桩端总端阻力特征值  Rpa(kN)", {8, 32, 260, 33}, true, true},
            {"edt_Quk", "MainFormLayer", "", {268, 32, 89, 32}, true, true},
            {"lb_ra", "MainFormLayer", "单桩竖向承载力特征值Ra(kN)", {8, 67, 260, 33}, true, true},
            {"edt_ra", "MainFormLayer", "", {268, 67, 89, 32}, true, true},
            {"lb_rc", "MainFormLayer", "其中桩端总端阻力所占百分比", {8, 102, 260, 33}, true, true},
            {"edt_percent", "MainFormLayer", "", {268, 102, 89, 32}, true, true},
            {"lb_guifan1", "MainFormLayer", "《建筑地基基础设计规范》(DBJ15-31-2016)", {8, 134, 360, 31}, true, true},
            {"lb_guifan2", "MainFormLayer", "单桩竖向承载力特征值计算依据：第10.2.4、10.2.5条", {8, 154, 360, 31}, true, true},
            {"cbt_JingDu", "MainFormLayer", "≈", {330, 10, 21, 21}, true, true},
            {"popbox_jingdu", "MainFormLayer", "个位取整", {240, 0, 90, 32}, false, true},
            // Results page.
            {"lb_jisuanjieguo", "JieGuo_DocLayer", "计算结果", {88, 10, 192, 33}, true, true},
            {"cbt_PageBook", "JieGuo_DocLayer", "1", {340, 6, 21, 21}, true, true},
            {"meo_jisuanjieguo_Doc", "JieGuo_DocLayer", "", {4, 56, 362, 670}, true, true},
            {"meo_jisuanjieguo_Xls", "JieGuo_DocLayer", "", {4, 56, 362, 670}, false, true},
            {"cbt_Exit", "JieGuo_DocLayer", "返回", {40, 732, 100, 33}, true, true},
            {"cbt_Save", "JieGuo_DocLayer", "保存", {224, 732, 100, 33}, true, true},
            {"cbt_sanchu", "JieGuo_DocLayer", "x", {350, 728, 16, 16}, true, false},
            {"tcb_meoFontSize", "JieGuo_DocLayer", "<no text>", {40, 768, 281, 32}, true, true},
            // Design search page.
            {"lb_youhuabiaoti", "YouHuaFormLayer", "嵌岩桩优化设计", {48, 10, 280, 33}, true, true},
            {"Grid1_Youhuaxuanxiang", "YouHuaFormLayer", "<no text>", {4, 56, 362, 350}, true, true},
            {"Grid2_Youhuajieguo", "YouHuaFormLayer", "<no text>", {4, 414, 362, 280}, true, true},
            {"Grid3_Youhuasaixuan", "YouHuaFormLayer", "<no text>", {4, 414, 362, 280}, false, true},
            {"pb_YH_jingdu", "YouHuaFormLayer", "<no text>", {28, 648, 280, 10}, false, true},
            {"lb_huzhu", "YouHuaFormLayer", "1、点击表头排序   2、双击获取数据", {12, 696, 260, 25}, true, true},
            {"cbt_zhangkai", "YouHuaFormLayer", "展开", {318, 696, 40, 25}, true, true},
            {"cbt_YHcompute", "YouHuaFormLayer", "计算", {32, 732, 70, 33}, true, true},
            {"cbt_YHsaixuan", "YouHuaFormLayer", "筛选", {112, 732, 70, 33}, true, false},
            {"cbt_YHsave", "YouHuaFormLayer", "存盘", {192, 732, 70, 33}, true, false},
            {"cbt_YHfanhui", "YouHuaFormLayer", "返回", {272, 732, 70, 33}, true, true},
            {"lb_YHxingxi", "YouHuaFormLayer", "", {10, 770, 360, 25}, true, true},
            // About popup, opened with "©".
            {"lb_mokuaiming", "CopyRightLayer", "嵌岩桩承载力计算", {0, 16, 265, 33}, true, true},
            {"lb_chanpin", "CopyRightLayer", "(工程计算工具)", {0, 48, 265, 17}, true, true},
            {"lB_copyright", "CopyRightLayer", "© 2026 嵌岩桩计算 开发组", {32, 72, 217, 25}, true, true},
            {"lb_sheji", "CopyRightLayer", "设计： 开发组", {32, 104, 100, 25}, true, true},
            {"lb_zhucheshi1", "CopyRightLayer", "", {122, 96, 128, 25}, true, true},
            {"lb_zhuceshi2", "CopyRightLayer", "", {122, 112, 128, 25}, true, true},
            {"lb_danwei", "CopyRightLayer", "（嵌岩桩计算开发组）", {32, 128, 218, 25}, true, true},
            {"lb_wangzhilb", "CopyRightLayer", "网址：", {32, 152, 50, 25}, true, true},
            {"lb_wangzhi", "CopyRightLayer", "www.example.org", {70, 152, 146, 25}, true, true},
            {"cbt_update", "CopyRightLayer", "更新", {216, 156, 20, 40}, true, false},
            {"lb_lianxi", "CopyRightLayer", "邮箱：", {32, 176, 50, 25}, true, true},
            {"lb_lianxiUr", "CopyRightLayer", "dev@example.org", {70, 176, 146, 25}, true, true},
            {"ImageQQ", "CopyRightLayer", "", {72, 212, 100, 100}, true, true},
        };
        for (const Row& row : rows)
            QTest::newRow(row.name) << QString::fromLatin1(row.page) << QString::fromUtf8(row.text)
                                    << row.geometry << row.visible << row.enabled;
    }
    void controlsAtTheirPlacesWithTheirTexts()
    {
        QFETCH(QString, page);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        // The About popup is a window of its own, made by the first press on "©".
        const QObject* window = form.get();
        if (page == QLatin1String("CopyRightLayer")) {
            find<QPushButton>("cbt_CopyRight")->click();
            for (QWidget* topLevel : QApplication::topLevelWidgets())
                if (topLevel->objectName() == QLatin1String("CopyRightForm")) window = topLevel;
            QVERIFY(window != form.get());
        }
        QWidget* w = find(QTest::currentDataTag(), window);
        QWidget* pageWidget = find(page.toLatin1().constData(), window);
        QVERIFY(pageWidget->isAncestorOf(w));
        QCOMPARE(Text(w), text);
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->isVisibleTo(pageWidget), visible);
        QCOMPARE(w->isEnabled(), enabled);
    }

    void groupChildrenLieInTheirGroups()
    {
        for (const char* name : {"lb_jmlx", "cbb_jmlx", "lb_dd", "cbe_dd", "lb_tyzd", "cbe_tyzd"})
            QCOMPARE(find(name)->parentWidget(), find("gpb_srcs"));
        for (const char* name : {"lb_yanchengshu", "cbb_yanchengshu", "cbb_qiangduzhi", "cbb_chezhuxishu",
                                 "cbb_wanzhengchengdu", "ckb_dixiashui", "cbe_zhuanchongkong",
                                 "cbt_kuozhanbiaoge", "ckb_ruanzhiyan", "StringGrid_QB2"})
            QCOMPARE(find(name)->parentWidget(), find("gpb_yscs"));
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent", "lb_guifan2", "cbt_JingDu", "popbox_jingdu"})
            QCOMPARE(find(name)->parentWidget(), find("gpb_scjg"));
    }

    void listsAndChosenItems()
    {
        QCOMPARE(Items(find<QComboBox>("cbb_jmlx")),
                 QStringList({"圆桩", "椭圆桩", "矩形桩"}));
        QCOMPARE(Items(find<QComboBox>("cbe_dd")),
                 QStringList({"1000", "1100", "1200", "1300", "1400", "1500", "1600", "1700", "1800", "1900", "2000"}));
        QCOMPARE(find<QComboBox>("cbe_dd")->currentIndex(), 0);
        QCOMPARE(Items(find<QComboBox>("cbe_tyzd")),
                 QStringList({"  100", "  200", "  300", "  400", "  500", "  600", "  700", "  800", "  900",
                              "1000", "1100", "1200"}));
        QCOMPARE(find<QComboBox>("cbe_tyzd")->currentIndex(), -1);
        QCOMPARE(Items(find<QComboBox>("cbb_yanchengshu")),
                 QStringList({"1", "2", "3", "4", "5", "6", "7", "8", "9"}));
        QCOMPARE(Items(find<QComboBox>("cbb_qiangduzhi")),
                 QStringList({"基岩桩侧、桩端阻力特征值", "岩样天然湿度单轴抗压强度"}));
        QCOMPARE(Items(find<QComboBox>("cbb_chezhuxishu")),
                 QStringList({"人工指定系数", "程序自动插值", "自动插值与人工指定取大值", "自动插值与人工指定取小值"}));
        QCOMPARE(Items(find<QComboBox>("cbb_wanzhengchengdu")), QStringList({"岩体完整程度", "岩体完整性指数"}));
        QCOMPARE(Items(find<QComboBox>("cbe_zhuanchongkong")),
                 QStringList({"0.70", "0.75", "0.80", "0.85", "0.90"}));
        QCOMPARE(Items(find<QComboBox>("popbox_jingdu")),
                 QStringList({"两位小数", "一位小数", "个位取整", "十位取整", "百位取整"}));
        QCOMPARE(find<QComboBox>("popbox_jingdu")->currentIndex(), 2);
        QVERIFY(find<QComboBox>("cbe_dd")->isEditable());
        QVERIFY(find<QComboBox>("cbe_tyzd")->isEditable());
        QVERIFY(find<QComboBox>("cbe_zhuanchongkong")->isEditable());
        QVERIFY(!find<QComboBox>("cbb_qiangduzhi")->isEditable());
        QVERIFY(find<QCheckBox>("ckb_dixiashui")->isChecked());
        QVERIFY(find<QCheckBox>("ckb_ruanzhiyan")->isChecked());
    }

    void fontsColoursAndToolTips()
    {
        auto* title = find("lb_cxm");
        QCOMPARE(title->font().pixelSize(), 24);
        QVERIFY(title->font().bold());
        QCOMPARE(LabelColour(title), kBlueViolet);
        QCOMPARE(ButtonColour(find("cbt_YouHua")), kRed);
        QCOMPARE(find("cbt_YouHua")->font().pixelSize(), 14);
        QCOMPARE(LabelColour(find("lb_shuoming")), kRed);
        QCOMPARE(LabelColour(find("lb_chezhuxishu")), kBlack);
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"}) {
            auto* field = find<QLineEdit>(name);
            QVERIFY(field->isReadOnly());
            QCOMPARE(field->font().pixelSize(), 18);
            QVERIFY(field->font().bold());
            QCOMPARE(FieldColour(field), kGreen);
            QCOMPARE(field->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        }
        QVERIFY(find("cbe_dd")->font().bold());
        QVERIFY(find("cbe_tyzd")->font().bold());
        QVERIFY(find("StringGrid_QB2")->font().bold());
        // The combos drawn at 0.8 draw their text at 0.8 of the default size.
        QCOMPARE(find("cbb_qiangduzhi")->font().pixelSize(), qRound(find("lb_qiangduquzhi")->font().pixelSize() * 0.8));
        QCOMPARE(find<QLabel>("lb_guifan2")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

        QCOMPARE(find("lb_jisuanjieguo")->font().pixelSize(), 24);
        QCOMPARE(LabelColour(find("lb_jisuanjieguo")), kBlue);
        QCOMPARE(LabelColour(find("lb_youhuabiaoti")), kBlueViolet);
        QVERIFY(find("lb_youhuabiaoti")->font().bold());

        const std::pair<const char*, const char*> tips[] = {
            {"cbt_CopyRight", "版权信息"}, {"cbt_YouHua", "筛选优化"}, {"cbt_JingDu", "调整精度"},
            {"cbt_PageBook", "切换计算书"}, {"cbt_sanchu", "删除最末数据"}, {"tcb_meoFontSize", "调整字体大小"},
        };
        for (const auto& [name, tip] : tips) QCOMPARE(find(name)->toolTip(), QString::fromUtf8(tip));
    }

    void reportViewsUseAMonospacedCjkFont()
    {
        const QString missingFont = rockpile::testing::MissingReportFont();
        QVERIFY2(missingFont.isEmpty(), qPrintable(missingFont));
        for (const char* name : {"meo_jisuanjieguo_Doc", "meo_jisuanjieguo_Xls"}) {
            // The grid view takes no edits and never wraps: a line wider than the view
            // scrolls.
            auto* view = find<rockpile::ReportGridView>(name);
            QCOMPARE(view->font().pixelSize(), 14);
            QCOMPARE(FieldColour(view), kBlack);
            // A wide character is exactly as wide as two narrow ones.
            const QFontMetrics metrics(view->font());
            QCOMPARE(metrics.horizontalAdvance(QStringLiteral("桩")), metrics.horizontalAdvance(QStringLiteral("ab")));
            QCOMPARE(metrics.horizontalAdvance(QStringLiteral("i")), metrics.horizontalAdvance(QStringLiteral("W")));
        }
        auto* slider = find<QSlider>("tcb_meoFontSize");
        QCOMPARE(slider->orientation(), Qt::Horizontal);
        QCOMPARE(slider->minimum(), 4);
        QCOMPARE(slider->maximum(), 24);
        QCOMPARE(slider->value(), 14);
    }

    void searchPageGrids()
    {
        auto* items = find<QTableWidget>("Grid1_Youhuaxuanxiang");
        QCOMPARE(items->rowCount(), 13);
        QVERIFY(items->alternatingRowColors());
        QVERIFY(items->tabKeyNavigation());
        for (const char* name : {"Grid2_Youhuajieguo", "Grid3_Youhuasaixuan"}) {
            auto* grid = find<QTableView>(name);
            QVERIFY(grid->alternatingRowColors());
            QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
            QVERIFY(grid->horizontalHeader()->sectionsClickable());
            QVERIFY(grid->horizontalHeader()->sectionsMovable());
        }
        QCOMPARE(find<QProgressBar>("pb_YH_jingdu")->orientation(), Qt::Horizontal);
    }

    void firstLayerRowAndColumns()
    {
        auto* table = find<QTableWidget>("StringGrid_QB2");
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->columnCount(), 22);
        const char* expected[22] = {"1", "1.00", "中风化", "较完整", "0.75", "25.00", "0.50", "0.04", "", "",
                                    "8400.00", "840.00", "", "", "", "", "", "", "", "", "", ""};
        for (int c = 0; c < 22; ++c) {
            const QTableWidgetItem* item = table->item(0, c);
            QCOMPARE(item ? item->text() : QString(), QString::fromUtf8(expected[c]));
        }
        const char* headers[22] = {"岩层", "嵌岩 lr(m)", " 风化程度", " 完整程度", "完整性指数", "frk (MPa)",
                                   "端阻系数 C1", "侧阻系数 C2", "计算采用 C1", "计算采用 C2", "端阻 qpa(kPa)",
                                   "侧阻 qra(kPa)", "   Ra (kN)", "   Rpa (kN)", " ∑Rria (kN)", "   Rria (kN)",
                                   "   Rria/Ra", "侧阻占比图例", "       备        注", "", "插值系数C1",
                                   "插值系数C2"};
        for (int c = 0; c < 22; ++c)
            QCOMPARE(table->horizontalHeaderItem(c)->text(), QString::fromUtf8(headers[c]));
        for (int c = 0; c < 22; ++c)
            QCOMPARE(table->isColumnHidden(c), !(c == 0 || c == 1 || c == 3 || c == 5));
        QVERIFY(table->showGrid());
        QVERIFY(table->horizontalHeader()->isVisible());
        QVERIFY(table->tabKeyNavigation());
    }

    void clearResultDisplayBringsBackCompute()
    {
        auto* compute = find("cbt_compute");
        auto* view = find("cbt_View");
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"}) find<QLineEdit>(name)->setText("123");
        compute->hide();
        compute->setEnabled(false);
        view->show();
        form->ClearResultDisplay();
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"}) QCOMPARE(find<QLineEdit>(name)->text(), QString());
        QVERIFY(compute->isVisible());
        QVERIFY(compute->isEnabled());
        QVERIFY(!view->isVisible());
    }

    void statusMessageReplacesTheBannerForGood()
    {
        auto* logo = find("img_logo");
        auto* line = find<QLabel>("lb_shuoming");
        QVERIFY(logo->isVisible());
        QVERIFY(!find<QLabel>("img_logo")->pixmap().isNull());
        form->ShowStatusMessage(QStringLiteral("提示：指定的系数需自行确定其合理性"), kMagenta);
        QVERIFY(!logo->isVisible());
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), QStringLiteral("提示：指定的系数需自行确定其合理性"));
        QCOMPARE(LabelColour(line), kMagenta);
        form->ShowStatusMessage(QString(), kBlack);
        QVERIFY(!logo->isVisible());
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), QString());
        QCOMPARE(LabelColour(line), kBlack);
    }

    void exitClosesTheWindowWithoutAsking()
    {
        form->cbt_computeClick();  // both reports unsaved
        QCOMPARE(form->resultsPage()->UnsavedReports(), 3);
        QTest::mouseClick(find("cbt_tuichu"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
        QVERIFY(QApplication::topLevelWidgets().size() >= 1);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void windowCanGoWhileEditsAreOpen()
    {
        // Destroying the window hides its controls, which ends open edits; their
        // handlers must not run on the window being destroyed.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* table = find<QTableWidget>("StringGrid_QB2");
        table->setFocus();
        table->setCurrentCell(0, 5);
        QTest::keyClick(table, '3');
        QVERIFY(QApplication::focusWidget() != table);  // the cell editor is open
        form.reset();

        init();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* size = find<QComboBox>("cbe_dd")->lineEdit();
        size->setFocus();
        QTRY_VERIFY(size->hasFocus());
        QTest::keyClicks(size, "77");  // typed, not yet committed
        form.reset();
        QTest::qWait(10);
    }

    void pageScalesUniformlyAndCentres_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("expected");  // of a control placed at 40,732 100×33, text 12
        QTest::addColumn<int>("textSize");
        QTest::newRow("design size") << QSize(370, 800) << QRect(40, 732, 100, 33) << 12;
        QTest::newRow("twice") << QSize(740, 1600) << QRect(80, 1464, 200, 66) << 24;
        // Wider than the design: scale by height, content centred horizontally.
        QTest::newRow("wide") << QSize(570, 800) << QRect(140, 732, 100, 33) << 12;
        // Taller: scale by width, centred vertically.
        QTest::newRow("tall half width") << QSize(185, 600) << QRect(20, 100 + 366, 50, 17) << 6;
    }
    void pageScalesUniformlyAndCentres()
    {
        QFETCH(QSize, size);
        QFETCH(QRect, expected);
        QFETCH(int, textSize);
        rockpile::ScaledPage page(QSizeF(370, 800));
        auto* button = new QPushButton(QStringLiteral("计算"), &page);
        page.place(button, QRectF(40, 732, 100, 33));
        auto* box = new QGroupBox(&page);
        page.place(box, QRectF(4, 542, 362, 184));
        auto* inside = new QLabel(box);
        page.place(inside, QRectF(8, 32, 260, 33), 18);
        page.resize(size);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(button->geometry(), expected);
        QCOMPARE(button->font().pixelSize(), textSize);
        // Children of a group are placed relative to the group: no centring offset.
        const double s = std::min(size.width() / 370.0, size.height() / 800.0);
        QCOMPARE(inside->geometry().topLeft(), QPoint(qRound(8 * s), qRound(32 * s)));
        QCOMPARE(inside->font().pixelSize(), qRound(18 * s));
        QCOMPARE(page.scale(), s);
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"

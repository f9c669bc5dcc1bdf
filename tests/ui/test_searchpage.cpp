// The design search page driven through its controls: the item table, the search with
// its end states, header clicks, the filter, the fold button, the page moves, taking a
// candidate back, saving the visible list, and a wide search in the worker thread.
#include <QComboBox>
#include <QDir>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStringDecoder>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "ui/Controls.h"
#include "ui/MainForm.h"
#include "files/ResultFile.h"
#include "ui/SearchPage.h"

namespace {

// The time stamps follow the user's locale; these tests run in the Chinese one.
const bool kChineseLocale = [] {
    qputenv("LC_ALL", "zh_CN.UTF-8");
    return true;
}();

const QDateTime kSaveTime(QDate(2026, 3, 5), QTime(14, 7, 9));

const QColor kRed(0xFFFF0000u);
const QColor kBlack(0xFF000000u);

const QString kCompleted1152 = QStringLiteral("计算完成，桩数：1152 根");
const QString kAborted = QStringLiteral("运行中止，主界面可查看中止位置、原因");
const QString kOnlyDAndRa = QStringLiteral("仅支持d、Ra排序");
const QString kNoFilterMatch = QStringLiteral("无满足条件桩，调整区间再筛选");

// Headers as the grids show them: right-aligned to display width 8.
const QString kNumberHeader = QStringLiteral("  桩编号");
const QString kSectionHeader = QStringLiteral("截面类型");
const QString kDHeader = QStringLiteral(" d|a(mm)");
const QString kDUpHeader = QStringLiteral("d|a(mm)▲");
const QString kDDownHeader = QStringLiteral("d|a(mm)▼");
const QString kRaHeader = QStringLiteral("  Ra(kN)");
const QString kRaUpHeader = QStringLiteral("Ra(kN)▲");

// The first candidate of the default search: circular d 1000, depth 1.0d, frk 35,
// class "完整", with the bored pile, the factor 0.70 and the soft rock of the page.
const QStringList kFirstRow{"ZH-0001", "圆  桩", "1000", "-",    "16163", "1.00", "35.00", "中风化", "1",
                            "完整",    "0.420",  "0.042", "4618", "29%",  "11545", "71%",  ""};

QColor LabelColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::WindowText); }

struct CellEdit {
    int row;
    int column;
    const char* text;
};

}  // namespace

class TestSearchPage : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> docs;
    std::unique_ptr<MainForm> form;

    template <typename W = QWidget>
    W* find(const char* name)
    {
        auto* w = form->findChild<W*>(QString::fromLatin1(name));
        if (!w) qFatal("control %s not found", name);
        return w;
    }
    QPushButton* button(const char* name) { return find<QPushButton>(name); }
    QComboBox* combo(const char* name) { return find<QComboBox>(name); }
    QTableWidget* items() { return find<QTableWidget>("Grid1_Youhuaxuanxiang"); }
    QTableView* all() { return find<QTableView>("Grid2_Youhuajieguo"); }
    QTableView* filtered() { return find<QTableView>("Grid3_Youhuasaixuan"); }
    QTableWidget* layers() { return find<QTableWidget>("StringGrid_QB2"); }
    QLabel* info() { return find<QLabel>("lb_YHxingxi"); }
    QLabel* status() { return find<QLabel>("lb_shuoming"); }
    QString field(const char* name) { return find<QLineEdit>(name)->text(); }

    static int Rows(const QTableView* grid) { return grid->model()->rowCount(); }
    static QString Cell(const QTableView* grid, int row, int column)
    {
        return grid->model()->index(row, column).data().toString();
    }
    static QStringList RowTexts(const QTableView* grid, int row)
    {
        QStringList texts;
        for (int c = 0; c < grid->model()->columnCount(); ++c) texts << Cell(grid, row, c);
        return texts;
    }
    static QStringList Column(const QTableView* grid, int column)
    {
        QStringList texts;
        for (int r = 0; r < Rows(grid); ++r) texts << Cell(grid, r, column);
        return texts;
    }
    static QString Header(const QTableView* grid, int column)
    {
        return grid->model()->headerData(column, Qt::Horizontal).toString();
    }
    static QString LayerCell(QTableWidget* table, int row, int column)
    {
        const QTableWidgetItem* item = table->item(row, column);
        return item ? item->text() : QString();
    }

    // Types a text into a cell of the item table as a user does: the cell is selected,
    // the first key opens the editor, Enter ends the edit.
    void typeInItem(int row, int column, const QString& text)
    {
        QTableWidget* t = items();
        t->setFocus();
        t->setCurrentCell(row, column);
        t->editItem(t->item(row, column));
        QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(editor, "no cell editor opened");
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The edit is committed and the editor closed by a queued call.
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(t->item(row, column)->text(), text);
    }
    void typeInItems(std::initializer_list<CellEdit> edits)
    {
        for (const CellEdit& e : edits) typeInItem(e.row, e.column, QString::fromUtf8(e.text));
    }

    void openSearchPage() { button("cbt_YouHua")->click(); }
    void search() { button("cbt_YHcompute")->click(); }
    void clickHeader(QTableView* grid, int column)
    {
        QHeaderView* header = grid->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    void doubleClickRow(QTableView* grid, int row)
    {
        const QModelIndex index = grid->model()->index(row, 0);
        grid->scrollTo(index);
        const QPoint centre = grid->visualRect(index).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    }
    int findRow(const QTableView* grid, const QString& section, const QString& size, const QString& basis)
    {
        for (int r = 0; r < Rows(grid); ++r)
            if (Cell(grid, r, 1) == section && Cell(grid, r, 2) == size && Cell(grid, r, 8) == basis) return r;
        return -1;
    }
    // Threads of this process, as the kernel lists them.
    static int ThreadCount() { return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size()); }
    QList<double> Numbers(const QTableView* grid, int column)
    {
        QList<double> numbers;
        for (const QString& text : Column(grid, column)) numbers << text.toDouble();
        return numbers;
    }
    // The rows of a search so far, as plain numbers of column 0.
    QStringList PlainNumbers(int n)
    {
        QStringList numbers;
        for (int i = 1; i <= n; ++i) numbers << QString::number(i);
        return numbers;
    }

    struct PageSnapshot {
        QStringList numbers, ras;
        QString info;
        QColor infoColour;
        bool compute, filter, save, allShown;
        int saveTarget, dState, raState;
        QString dHeader, raHeader, dd, tyzd, ra, statusLine;
    };
    PageSnapshot snapshot()
    {
        return {Column(all(), 0),
                Column(all(), 4),
                info()->text(),
                LabelColour(info()),
                button("cbt_YHcompute")->isEnabled(),
                button("cbt_YHsaixuan")->isEnabled(),
                button("cbt_YHsave")->isEnabled(),
                !all()->isHidden(),
                form->SaveTarget,
                form->searchPage()->DSortState(),
                form->searchPage()->RaSortState(),
                Header(all(), 2),
                Header(all(), 4),
                combo("cbe_dd")->currentText(),
                combo("cbe_tyzd")->currentText(),
                field("edt_ra"),
                status()->text()};
    }
    void compareSnapshots(const PageSnapshot& a, const PageSnapshot& b)
    {
        QCOMPARE(a.numbers, b.numbers);
        QCOMPARE(a.ras, b.ras);
        QCOMPARE(a.info, b.info);
        QCOMPARE(a.infoColour, b.infoColour);
        QCOMPARE(a.compute, b.compute);
        QCOMPARE(a.filter, b.filter);
        QCOMPARE(a.save, b.save);
        QCOMPARE(a.allShown, b.allShown);
        QCOMPARE(a.saveTarget, b.saveTarget);
        QCOMPARE(a.dState, b.dState);
        QCOMPARE(a.raState, b.raState);
        QCOMPARE(a.dHeader, b.dHeader);
        QCOMPARE(a.raHeader, b.raHeader);
        QCOMPARE(a.dd, b.dd);
        QCOMPARE(a.tyzd, b.tyzd);
        QCOMPARE(a.ra, b.ra);
        QCOMPARE(a.statusLine, b.statusLine);
    }

    // A search of circles only, d from 1000 to 2000 in steps of `step`, frk from 35 to
    // 40 in steps of 1: 3 depths x 6 strengths x (3 classes + 5 indices) = 144
    // candidates per diameter.
    void widenCircularSearch(const char* step)
    {
        typeInItems({{0, 2, "1"}, {1, 3, step}, {7, 3, "1.00"}});
    }

private slots:
    void initTestCase()
    {
        QVERIFY(kChineseLocale);
        QCOMPARE(QLocale::system().language(), QLocale::Chinese);
    }
    void init()
    {
        docs = std::make_unique<QTemporaryDir>();
        QVERIFY(docs->isValid());
        form = std::make_unique<MainForm>();
        const QString folder = docs->path();
        form->documentsPath = [folder] { return folder; };
        form->reportClock = [] { return kSaveTime; };
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup()
    {
        form.reset();
        docs.reset();
    }

    // ------------------------------------------------------------ start state

    void startState()
    {
        QTableWidget* t = items();
        QCOMPARE(t->rowCount(), 13);
        QCOMPARE(t->columnCount(), 5);
        const QStringList headers{"优化项", "最小值", "最大值", "步进值", "说  明"};
        for (int c = 0; c < 5; ++c) QCOMPARE(t->horizontalHeaderItem(c)->text(), headers[c]);
        const QStringList row6{"嵌岩深度 hr(mm)", "1.0d", "3.0d", "1.0d", "矩形为短边倍数,也可直接输入数值(不可混用)"};
        const QStringList row12{"筛选 Ra(kN)", "12000", "14000", "", "输入0不起控制作用"};
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(LayerCell(t, 6, c), row6[c]);
            QCOMPARE(LayerCell(t, 12, c), row12[c]);
            QCOMPARE(LayerCell(t, 11, c), QString());
        }
        QCOMPARE(LayerCell(t, 0, 4), QStringLiteral("圆桩1/椭圆桩2/矩形桩3/方桩4"));
        QCOMPARE(t->item(3, 1)->textAlignment(), int(Qt::AlignCenter));
        QVERIFY(!t->isColumnHidden(4));

        for (QTableView* grid : {all(), filtered()}) {
            QCOMPARE(Rows(grid), 0);
            QCOMPARE(grid->model()->columnCount(), 17);
            QCOMPARE(Header(grid, 0), kNumberHeader);
            QCOMPARE(Header(grid, 1), kSectionHeader);
            QCOMPARE(Header(grid, 2), kDHeader);
            QCOMPARE(Header(grid, 4), kRaHeader);
            QCOMPARE(Header(grid, 7), QStringLiteral("风化程度"));
            QCOMPARE(Header(grid, 10), QStringLiteral(" 系数 c1"));
            QCOMPARE(Header(grid, 16), QStringLiteral("    备注"));
            for (int c = 0; c < 17; ++c) QCOMPARE(grid->isColumnHidden(c), c > 4);
            QCOMPARE(grid->selectionBehavior(), QAbstractItemView::SelectRows);
        }
        QVERIFY(!all()->isHidden());
        QVERIFY(filtered()->isHidden());
        QVERIFY(find("pb_YH_jingdu")->isHidden());
        QVERIFY(button("cbt_YHcompute")->isEnabled());
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(!button("cbt_YHsave")->isEnabled());
        QCOMPARE(button("cbt_zhangkai")->text(), QStringLiteral("展开"));
    }

    void editableCells()
    {
        // Selecting a cell decides whether the grid can be edited there.
        QTableWidget* t = items();
        for (int row = 0; row < 13; ++row) {
            for (int column = 0; column < 5; ++column) {
                t->setCurrentCell(row, column);
                const bool editable = (row <= 10 && column >= 1 && column <= 3) ||
                                      (row == 12 && (column == 1 || column == 2));
                QCOMPARE(t->editTriggers() != QAbstractItemView::NoEditTriggers, editable);
                QCOMPARE(bool(t->item(row, column)->flags() & Qt::ItemIsEditable), editable);
            }
        }
    }

    void editsEnableTheirButtons()
    {
        openSearchPage();
        search();
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        // The filter's maximum enables "筛选" only; the filter disables it again.
        button("cbt_YHsaixuan")->click();
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());
        typeInItem(12, 2, "15000");
        QVERIFY(button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        // A search item enables "计算" only; nothing is checked when the edit ends.
        button("cbt_YHsaixuan")->click();
        typeInItem(9, 3, "x");
        QVERIFY(button("cbt_YHcompute")->isEnabled());
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());
        QCOMPARE(info()->text(), QStringLiteral("筛选完成，桩数：%1 根").arg(Rows(filtered())));
    }

    // However an edit ends, the buttons follow the cell that was edited, not the one
    // that Tab, Shift+Tab or a click made current meanwhile.
    void editEndedByMovingOn_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("ending");  // a key, or the cell "row,column" clicked
        QTest::addColumn<bool>("compute");
        QTest::addColumn<bool>("filter");
        QTest::newRow("filter max, Tab") << 12 << 2 << "Tab" << false << true;
        QTest::newRow("filter min, Shift+Tab") << 12 << 1 << "Backtab" << false << true;
        QTest::newRow("last item step, Tab") << 10 << 3 << "Tab" << true << false;
        QTest::newRow("first item min, Shift+Tab") << 0 << 1 << "Backtab" << true << false;
        QTest::newRow("filter max, click on an item") << 12 << 2 << "3,1" << false << true;
        QTest::newRow("item, click on the filter") << 3 << 1 << "12,1" << true << false;
    }
    void editEndedByMovingOn()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, ending);
        QFETCH(bool, compute);
        QFETCH(bool, filter);
        openSearchPage();
        search();
        button("cbt_YHsaixuan")->click();
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());

        QTableWidget* t = items();
        t->setFocus();
        t->setCurrentCell(row, column);
        t->editItem(t->item(row, column));
        QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY2(editor, "no cell editor opened");
        editor->selectAll();
        QTest::keyClicks(editor, "7");
        if (ending == "Tab" || ending == "Backtab") {
            QTest::keyClick(editor, ending == "Tab" ? Qt::Key_Tab : Qt::Key_Backtab);
        } else {
            const QStringList cell = ending.split(',');
            const QModelIndex target = t->model()->index(cell[0].toInt(), cell[1].toInt());
            t->scrollTo(target);
            QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(target).center());
        }
        QTRY_VERIFY(editor.isNull());
        QCOMPARE(t->item(row, column)->text(), QStringLiteral("7"));
        QVERIFY(t->currentRow() != row || t->currentColumn() != column);
        QCOMPARE(button("cbt_YHcompute")->isEnabled(), compute);
        QCOMPARE(button("cbt_YHsaixuan")->isEnabled(), filter);
    }

    // ------------------------------------------------------------ the search

    void defaultSearch()
    {
        openSearchPage();
        search();

        QCOMPARE(Rows(all()), 1152);
        QCOMPARE(RowTexts(all(), 0), kFirstRow);
        QCOMPARE(Cell(all(), 1151, 0), QStringLiteral("ZH-1152"));
        QCOMPARE(Cell(all(), 1151, 1), QStringLiteral("方  桩"));
        QCOMPARE(Cell(all(), 0, 16), QString());
        QCOMPARE(all()->model()->index(0, 3).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(all()->model()->index(0, 16).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(info()->text(), kCompleted1152);
        QCOMPARE(LabelColour(info()), kBlack);
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        QVERIFY(button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(button("cbt_YHsave")->isEnabled());
        QVERIFY(!all()->isHidden());
        QVERIFY(filtered()->isHidden());
        QVERIFY(find("pb_YH_jingdu")->isHidden());
        QCOMPARE(form->SaveTarget, 1);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        QCOMPARE(form->searchPage()->RaSortState(), 0);

        // The input page holds the last candidate, a square of side 2000 at 3.0d in
        // rock of 40 MPa with the index 0.80, computed without a report entry; the
        // class cell keeps the last class the search wrote.
        QCOMPARE(combo("cbb_jmlx")->currentIndex(), 2);
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("2000"));
        QCOMPARE(combo("cbe_tyzd")->currentText(), QStringLiteral("2000"));
        QCOMPARE(combo("cbb_yanchengshu")->currentIndex(), 0);
        QCOMPARE(combo("cbb_qiangduzhi")->currentIndex(), 1);
        QCOMPARE(combo("cbb_chezhuxishu")->currentIndex(), 1);
        QCOMPARE(combo("cbb_wanzhengchengdu")->currentIndex(), 1);
        QCOMPARE(layers()->rowCount(), 1);
        QCOMPARE(LayerCell(layers(), 0, 1), QStringLiteral("6.00"));
        QCOMPARE(LayerCell(layers(), 0, 3), QStringLiteral("较破碎"));
        QCOMPARE(LayerCell(layers(), 0, 4), QStringLiteral("0.80"));
        QCOMPARE(LayerCell(layers(), 0, 5), QStringLiteral("40.00"));
        QCOMPARE(field("edt_ra"), Cell(all(), 1151, 4));
        QVERIFY(!field("edt_Quk").isEmpty());
        QVERIFY(find("img_logo")->isHidden());
        QVERIFY(!status()->isHidden());
        QVERIFY(!button("cbt_compute")->isHidden());
        QVERIFY(button("cbt_View")->isHidden());
        QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
        QCOMPARE(form->resultsPage()->UnsavedReports(), 0);
    }

    void searchFromThreeLayers()
    {
        combo("cbb_yanchengshu")->setCurrentIndex(2);
        QCOMPARE(layers()->rowCount(), 3);
        openSearchPage();
        search();
        QCOMPARE(Rows(all()), 1152);
        QCOMPARE(layers()->rowCount(), 1);
    }

    void rectanglesWithLongerSideFirst()
    {
        // Only rectangles of a 1000 and b 1000 to 2000: the longer side comes first.
        openSearchPage();
        typeInItems({{0, 1, "3"}, {0, 2, "3"}, {3, 2, "1000"}, {3, 1, "1000"},
                     {6, 2, "1.0d"}, {7, 2, "35.00"}, {8, 2, "1"}, {9, 2, "1"}});
        search();
        QCOMPARE(Rows(all()), 3);
        QCOMPARE(Column(all(), 0), (QStringList{"ZH-1", "ZH-2", "ZH-3"}));
        QCOMPARE(Column(all(), 2), (QStringList{"1000", "1500", "2000"}));
        QCOMPARE(Column(all(), 3), (QStringList{"1000", "1000", "1000"}));
        QCOMPARE(Column(all(), 5), (QStringList{"1.00", "1.00", "1.00"}));
        QCOMPARE(info()->text(), QStringLiteral("计算完成，桩数：3 根"));
        // The last candidate went through the compute run, which put its sides in order.
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("2000"));
        QCOMPARE(combo("cbe_tyzd")->currentText(), QStringLiteral("1000"));
    }

    void itemErrors_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("negative diameter") << 1 << 1 << "-1000" << "桩径不能为负值";
        QTest::newRow("negative frk") << 7 << 2 << "-5" << "岩石单轴抗压强度不能为负值";
        QTest::newRow("index 0") << 10 << 1 << "0.00" << "岩体完整性指数不能为负值或0";
        QTest::newRow("index above 1") << 10 << 2 << "1.20" << "岩体完整性指数不能大于1";
        QTest::newRow("letters") << 1 << 1 << "abc" << "“桩身直径 d(mm)”最小值“abc”不是有效数值";
        QTest::newRow("empty step") << 5 << 3 << "" << "“方桩边长 a(mm)”步进值“”不是有效数值";
        // 1,000,001 diameters: 192,000,768 candidates in all, refused before any is computed.
        QTest::newRow("too many candidates") << 1 << 3 << "0.001"
                                             << "候选桩数192000768 根，超过上限10000000 根，请缩小取值范围";
        QTest::newRow("decimal in an integer row") << 0 << 2 << "2.5" << "“桩身截面类型”最大值“2.5”不是有效整数";
    }
    void itemErrors()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, message);
        // From a page with a sorted, filtered list on view.
        openSearchPage();
        search();
        clickHeader(all(), 2);
        button("cbt_YHsaixuan")->click();
        QVERIFY(Rows(filtered()) > 0);
        const bool saveBefore = button("cbt_YHsave")->isEnabled();
        button("cbt_YHfanhui")->click();
        const QString ddBefore = combo("cbe_dd")->currentText();
        const QString raBefore = field("edt_ra");
        openSearchPage();

        typeInItem(row, column, text);
        search();
        QCOMPARE(info()->text(), message);
        QCOMPARE(LabelColour(info()), kRed);
        QCOMPARE(Rows(all()), 0);
        QCOMPARE(Rows(filtered()), 0);
        QVERIFY(!all()->isHidden());
        QVERIFY(filtered()->isHidden());
        QCOMPARE(form->SaveTarget, 1);
        // The buttons and the sort state keep their states; the input page is untouched.
        QVERIFY(button("cbt_YHcompute")->isEnabled());
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());
        QCOMPARE(button("cbt_YHsave")->isEnabled(), saveBefore);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        QCOMPARE(combo("cbe_dd")->currentText(), ddBefore);
        QCOMPARE(field("edt_ra"), raBefore);
        QVERIFY(form->findChild<QWidget*>(QStringLiteral("ConversionErrorBox")) == nullptr);
    }

    void stopAtEllipseWithoutStraightLength()
    {
        // First a search sorted by Ra, so that its states and headers can be seen to stay.
        openSearchPage();
        search();
        clickHeader(all(), 4);
        QCOMPARE(Header(all(), 4), kRaUpHeader);
        typeInItems({{0, 2, "2"}, {2, 1, "0"}, {2, 2, "1000"}});
        search();

        QCOMPARE(Rows(all()), 144);
        QCOMPARE(Column(all(), 0), PlainNumbers(144));
        QCOMPARE(Cell(all(), 143, 1), QStringLiteral("圆  桩"));
        QCOMPARE(info()->text(), kAborted);
        QCOMPARE(LabelColour(info()), kRed);
        QCOMPARE(status()->text(), QStringLiteral("椭圆直段长度数据有错"));
        QVERIFY(!status()->isHidden());
        // The failing candidate is on the input page.
        QCOMPARE(combo("cbb_jmlx")->currentIndex(), 1);
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("1000"));
        QCOMPARE(combo("cbe_tyzd")->currentText(), QStringLiteral("0"));
        QCOMPARE(field("edt_ra"), QString());
        // Buttons, sort states and headers as before the search.
        QVERIFY(button("cbt_YHcompute")->isEnabled());
        QVERIFY(button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(button("cbt_YHsave")->isEnabled());
        QCOMPARE(form->searchPage()->RaSortState(), 1);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        QCOMPARE(Header(all(), 4), kRaUpHeader);
        QCOMPARE(form->SaveTarget, 1);
        QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    }

    // ------------------------------------------------------------ sorting

    void headerClicks()
    {
        openSearchPage();
        search();
        // Saving disables "存盘"; a sort enables it again.
        button("cbt_YHsave")->click();
        QVERIFY(!button("cbt_YHsave")->isEnabled());

        const QStringList searchOrder = Column(all(), 0);
        all()->setColumnWidth(1, 91);  // as the user drags it; the sorts keep it
        clickHeader(all(), 2);
        QCOMPARE(info()->text(), QStringLiteral("d升序排列完成"));
        QCOMPARE(LabelColour(info()), kBlack);
        QCOMPARE(Header(all(), 2), kDUpHeader);
        QCOMPARE(Header(all(), 4), kRaHeader);
        QCOMPARE(form->searchPage()->DSortState(), 1);
        QCOMPARE(form->searchPage()->RaSortState(), 0);
        QVERIFY(button("cbt_YHsave")->isEnabled());
        QCOMPARE(all()->currentIndex().row(), 0);
        QCOMPARE(all()->currentIndex().column(), 2);
        QVERIFY(all()->selectionModel()->isRowSelected(0, {}));
        QList<double> d = Numbers(all(), 2);
        QVERIFY(std::is_sorted(d.begin(), d.end()));
        QStringList numbers = Column(all(), 0);
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()),
                 QSet<QString>(searchOrder.begin(), searchOrder.end()));
        QCOMPARE(Numbers(all(), 4).size(), 1152);

        const QStringList ascending = Column(all(), 0);
        clickHeader(all(), 2);
        QCOMPARE(info()->text(), QStringLiteral("d降序排列完成"));
        QCOMPARE(Header(all(), 2), kDDownHeader);
        QCOMPARE(form->searchPage()->DSortState(), 2);
        QStringList reversed = ascending;
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(Column(all(), 0), reversed);

        clickHeader(all(), 4);
        QCOMPARE(info()->text(), QStringLiteral("Ra升序排列完成"));
        QCOMPARE(Header(all(), 2), kDHeader);
        QCOMPARE(Header(all(), 4), kRaUpHeader);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        QCOMPARE(form->searchPage()->RaSortState(), 1);
        const QList<double> ra = Numbers(all(), 4);
        QVERIFY(std::is_sorted(ra.begin(), ra.end()));
        clickHeader(all(), 4);
        QCOMPARE(info()->text(), QStringLiteral("Ra降序排列完成"));
        QCOMPARE(Header(all(), 4), QStringLiteral("Ra(kN)▼"));
        QCOMPARE(form->searchPage()->RaSortState(), 2);
        QCOMPARE(all()->columnWidth(1), 91);

        // Another column: a message and the first row selected, nothing moves.
        const QStringList before = Column(all(), 0);
        all()->selectRow(5);
        clickHeader(all(), 0);
        QCOMPARE(info()->text(), kOnlyDAndRa);
        QCOMPARE(Column(all(), 0), before);
        QCOMPARE(all()->currentIndex().row(), 0);
        QCOMPARE(form->searchPage()->RaSortState(), 2);
        QCOMPARE(Header(all(), 4), QStringLiteral("Ra(kN)▼"));

        // A new search: the Ra headers are plain again, the d|a header keeps its arrow
        // until the next sort, and the next click on d|a sorts ascending.
        clickHeader(all(), 2);
        QCOMPARE(Header(all(), 2), kDUpHeader);
        clickHeader(all(), 2);
        typeInItem(9, 2, "3");
        search();
        QCOMPARE(Header(all(), 2), kDDownHeader);
        QCOMPARE(Header(all(), 4), kRaHeader);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        clickHeader(all(), 2);
        QCOMPARE(info()->text(), QStringLiteral("d升序排列完成"));
    }

    void sortKeepsTheOrderOfTheExchangeSortAmongTies()
    {
        // Rectangles 2000 x 1000 and 2000 x 1500, then a square of 1000: d of 2000,
        // 2000 and 1000.
        openSearchPage();
        typeInItems({{0, 1, "3"}, {3, 1, "2000"}, {3, 2, "2000"}, {4, 2, "1500"}, {5, 2, "1000"},
                     {6, 2, "1.0d"}, {7, 2, "35.00"}, {8, 2, "1"}, {9, 2, "1"}});
        search();
        QCOMPARE(Column(all(), 2), (QStringList{"2000", "2000", "1000"}));
        clickHeader(all(), 2);
        QCOMPARE(Column(all(), 0), (QStringList{"ZH-3", "ZH-2", "ZH-1"}));
        clickHeader(all(), 2);
        QCOMPARE(Column(all(), 0), (QStringList{"ZH-1", "ZH-2", "ZH-3"}));
        clickHeader(all(), 2);
        QCOMPARE(Column(all(), 0), (QStringList{"ZH-3", "ZH-2", "ZH-1"}));
    }

    void oneRowNeedsNoSort()
    {
        openSearchPage();
        typeInItems({{0, 2, "1"}, {1, 2, "1000"}, {6, 2, "1.0d"}, {7, 2, "35.00"}, {8, 2, "1"}, {9, 2, "1"}});
        search();
        QCOMPARE(Rows(all()), 1);
        QCOMPARE(Cell(all(), 0, 0), QStringLiteral("ZH-1"));
        button("cbt_YHsave")->click();
        for (int column : {2, 4, 0}) {
            clickHeader(all(), column);
            QCOMPARE(info()->text(), QStringLiteral("无需排序"));
            QCOMPARE(form->searchPage()->DSortState(), 0);
            QCOMPARE(form->searchPage()->RaSortState(), 0);
            QCOMPARE(Header(all(), 2), kDHeader);
            QVERIFY(!button("cbt_YHsave")->isEnabled());
        }
    }

    void sortingTheFilteredList()
    {
        openSearchPage();
        search();
        typeInItem(12, 1, "0");
        typeInItem(12, 2, "0");
        button("cbt_YHsaixuan")->click();
        const QStringList fullOrder = Column(all(), 0);
        clickHeader(filtered(), 4);
        QCOMPARE(Header(filtered(), 4), kRaUpHeader);
        QCOMPARE(Header(all(), 4), kRaHeader);
        const QList<double> ra = Numbers(filtered(), 4);
        QVERIFY(std::is_sorted(ra.begin(), ra.end()));
        QCOMPARE(Column(all(), 0), fullOrder);  // the full list keeps its order
    }

    // ------------------------------------------------------------ filtering

    void filterWindows_data()
    {
        // The default search sorted by Ra descending: 223633 (ZH-0576, ZH-0569, ZH-0570),
        // 214315 (ZH-0575), ... 13470 (ZH-0003), 13085 (ZH-0012), 12796 (ZH-0005),
        // 11449 (ZH-0004); no Ra of exactly 14000.
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("head");  // the first kept rows, at most four
        QTest::addColumn<QString>("last");
        const QStringList largest{"ZH-0576", "ZH-0569", "ZH-0570", "ZH-0575"};
        QTest::newRow("default window") << "12000" << "14000" << 3 << QStringList{"ZH-0003", "ZH-0012", "ZH-0005"}
                                        << "ZH-0005";
        QTest::newRow("no limits") << "0" << "0" << 1152 << largest << "ZH-0004";
        QTest::newRow("no upper limit") << "13000" << "0" << 1150 << largest << "ZH-0012";
        QTest::newRow("negative minimum") << "-500" << "14000" << 4
                                          << QStringList{"ZH-0003", "ZH-0012", "ZH-0005", "ZH-0004"} << "ZH-0004";
        QTest::newRow("crossed bounds keep one value") << "14000" << "12000" << 0 << QStringList{} << "";
        QTest::newRow("nothing in the window") << "1" << "2" << 0 << QStringList{} << "";
    }
    void filterWindows()
    {
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(int, count);
        QFETCH(QStringList, head);
        QFETCH(QString, last);
        openSearchPage();
        search();
        clickHeader(all(), 4);  // the filtered list follows the order of the full list
        clickHeader(all(), 4);
        const QStringList fullOrder = Column(all(), 0);
        button("cbt_YHsave")->click();
        form->SaveTarget = 0;  // so that the filter can be seen to set it
        typeInItem(12, 1, min);
        typeInItem(12, 2, max);
        button("cbt_YHsaixuan")->click();

        const QStringList kept = Column(filtered(), 0);
        QCOMPARE(kept.size(), count);
        QCOMPARE(kept.mid(0, head.size()), head);
        if (count > 0) QCOMPARE(kept.last(), last);
        const QStringList expected = kept;
        QVERIFY(!filtered()->isHidden());
        QVERIFY(all()->isHidden());
        QCOMPARE(Column(all(), 0), fullOrder);
        QCOMPARE(LabelColour(info()), kBlack);
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());
        QCOMPARE(button("cbt_YHsave")->isEnabled(), !expected.isEmpty());
        QCOMPARE(info()->text(), expected.isEmpty() ? kNoFilterMatch
                                                    : QStringLiteral("筛选完成，桩数：%1 根").arg(expected.size()));
        QCOMPARE(form->SaveTarget, expected.isEmpty() ? 0 : 1);
        QCOMPARE(form->searchPage()->DSortState(), 0);
        QCOMPARE(form->searchPage()->RaSortState(), 0);
        QCOMPARE(Header(filtered(), 4), kRaHeader);
        if (!expected.isEmpty()) QCOMPARE(RowTexts(filtered(), 0), RowTexts(all(), fullOrder.indexOf(expected[0])));
    }

    void filterWindowsOfTheDefaultSearch()
    {
        // The default search in its own order: three capacities between 12000 and
        // 14000 (13470, 12796 and 13085), none of exactly 14000.
        openSearchPage();
        search();
        button("cbt_YHsaixuan")->click();
        QCOMPARE(Column(filtered(), 0), (QStringList{"ZH-0003", "ZH-0005", "ZH-0012"}));
        QCOMPARE(Column(filtered(), 4), (QStringList{"13470", "12796", "13085"}));
        typeInItem(12, 1, "0");
        typeInItem(12, 2, "0");
        button("cbt_YHsaixuan")->click();
        QCOMPARE(Column(filtered(), 0), Column(all(), 0));
        typeInItem(12, 1, "14000");
        typeInItem(12, 2, "12000");
        button("cbt_YHsaixuan")->click();
        QCOMPARE(Rows(filtered()), 0);
        QCOMPARE(info()->text(), kNoFilterMatch);
    }

    void filterWindowThatIsNoNumber_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("letters") << 2 << "abc" << "“筛选 Ra(kN)”最大值“abc”不是有效数值";
        QTest::newRow("empty") << 1 << "" << "“筛选 Ra(kN)”最小值“”不是有效数值";
    }
    void filterWindowThatIsNoNumber()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, message);
        openSearchPage();
        search();
        clickHeader(all(), 2);
        typeInItem(12, column, text);
        const QStringList order = Column(all(), 0);
        button("cbt_YHsaixuan")->click();
        QCOMPARE(info()->text(), message);
        QCOMPARE(LabelColour(info()), kRed);
        QVERIFY(!all()->isHidden());
        QVERIFY(filtered()->isHidden());
        QCOMPARE(Rows(filtered()), 0);
        QCOMPARE(Column(all(), 0), order);
        QVERIFY(button("cbt_YHsaixuan")->isEnabled());
        QCOMPARE(form->searchPage()->DSortState(), 1);
    }

    void filterAfterAStoppedItemTest()
    {
        openSearchPage();
        typeInItem(1, 1, "-1");
        search();
        typeInItem(12, 1, "0");
        button("cbt_YHsaixuan")->click();
        QCOMPARE(info()->text(), kNoFilterMatch);
        QVERIFY(!filtered()->isHidden());
        QCOMPARE(Rows(filtered()), 0);
        QVERIFY(!button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(!button("cbt_YHsave")->isEnabled());
    }

    // ------------------------------------------------------------ fold button and page moves

    void foldButton()
    {
        openSearchPage();
        search();
        QPushButton* fold = button("cbt_zhangkai");
        const auto shown = [](const QTableView* grid) {
            QList<int> columns;
            for (int c = 0; c < 17; ++c)
                if (!grid->isColumnHidden(c)) columns << c;
            return columns;
        };
        const QList<int> main{0, 1, 2, 3, 4};
        const QList<int> expanded{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16};
        struct Step {
            QString text;
            QList<int> columns;
            bool explanation;
        };
        const Step steps[] = {{"折叠", expanded, true}, {"展开", main, false}, {"折叠", expanded, true}};
        for (const Step& step : steps) {
            fold->click();
            QCOMPARE(fold->text(), step.text);
            QCOMPARE(shown(all()), step.columns);
            QCOMPARE(shown(filtered()), step.columns);
            QCOMPARE(!items()->isColumnHidden(4), step.explanation);
            QCOMPARE(Rows(all()), 1152);
            QCOMPARE(items()->rowCount(), 13);
        }
        // A new list keeps the columns of the fold state.
        button("cbt_YHsaixuan")->click();
        QCOMPARE(shown(filtered()), expanded);
        clickHeader(filtered(), 2);
        QCOMPARE(shown(filtered()), expanded);
    }

    void pageMoves()
    {
        QVERIFY(find("MainFormLayer")->isVisible());
        openSearchPage();
        QVERIFY(find("YouHuaFormLayer")->isVisible());
        QVERIFY(!find("MainFormLayer")->isVisible());
        QCOMPARE(form->SaveTarget, 1);
        search();
        clickHeader(all(), 4);
        const QStringList order = Column(all(), 0);

        button("cbt_YHfanhui")->click();
        QVERIFY(find("MainFormLayer")->isVisible());
        QVERIFY(!find("YouHuaFormLayer")->isVisible());
        QCOMPARE(form->SaveTarget, 0);

        // The page comes back as it was left.
        openSearchPage();
        QCOMPARE(form->SaveTarget, 1);
        QCOMPARE(Column(all(), 0), order);
        QCOMPARE(info()->text(), QStringLiteral("Ra升序排列完成"));
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        QCOMPARE(Header(all(), 4), kRaUpHeader);
    }

    // ------------------------------------------------------------ figures whole, keyboard

    void resultColumnsFitTheirTexts_data()
    {
        // Window client sizes: the design size, a laptop screen's share, a large screen.
        QTest::addColumn<QSize>("size");
        QTest::newRow("370 x 800") << QSize(370, 800);
        QTest::newRow("316 x 683") << QSize(316, 683);
        QTest::newRow("463 x 1000") << QSize(463, 1000);
    }
    void resultColumnsFitTheirTexts()
    {
        QFETCH(QSize, size);
        form->resize(size);
        openSearchPage();
        search();  // 1152 rows: the vertical scroll bar is on view
        const QStringList ras{"12345678.90", "99999999.99", "88888888.88", "223633"};
        const QStringList headers{"  Ra(kN)", "Ra(kN)▲", "Ra(kN)▼"};
        const QStringList dHeaders{" d|a(mm)", "d|a(mm)▲", "d|a(mm)▼"};
        for (QTableView* grid : {all(), filtered()}) {
            QHeaderView* header = grid->horizontalHeader();
            const int cellMargin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
            const int headerMargin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
            for (const QString& ra : ras)
                QVERIFY2(grid->fontMetrics().horizontalAdvance(ra) + cellMargin <= header->sectionSize(4), qPrintable(ra));
            for (const QString& text : headers)
                QVERIFY2(header->fontMetrics().horizontalAdvance(text) + headerMargin <= header->sectionSize(4),
                         qPrintable(text));
            for (const QString& text : dHeaders)
                QVERIFY2(header->fontMetrics().horizontalAdvance(text) + headerMargin <= header->sectionSize(2),
                         qPrintable(text));
            // The five main columns lie beside the vertical scroll bar, none under it.
            int total = 0;
            for (int c = 0; c <= 4; ++c) total += header->sectionSize(c);
            const int room = grid->width() - 2 * grid->frameWidth() - grid->verticalScrollBar()->sizeHint().width();
            QVERIFY2(total <= room, qPrintable(QStringLiteral("%1 > %2").arg(total).arg(room)));
        }
        QTRY_VERIFY(all()->verticalScrollBar()->isVisible());
        QCOMPARE(all()->horizontalScrollBar()->maximum(), 0);
        QVERIFY(all()->columnViewportPosition(4) + all()->columnWidth(4) <= all()->viewport()->width());
    }

    void sortingKeepsThePileNumbersInView()
    {
        openSearchPage();
        search();
        button("cbt_zhangkai")->click();  // every column: the grid scrolls sideways
        QTRY_VERIFY(all()->horizontalScrollBar()->maximum() > 0);
        for (int column : {4, 2, 4}) {
            clickHeader(all(), column);
            QCOMPARE(all()->horizontalScrollBar()->value(), 0);
            QCOMPARE(all()->columnViewportPosition(0), 0);
            QCOMPARE(all()->currentIndex().row(), 0);
            QCOMPARE(all()->rowViewportPosition(0), 0);
        }
        QCOMPARE(Header(all(), 4), kRaUpHeader);
    }

    void explanationsShowWhole()
    {
        openSearchPage();
        QTableWidget* t = items();
        const QFontMetrics metrics(t->font());
        for (int row = 0; row < t->rowCount(); ++row) {
            const QTableWidgetItem* item = t->item(row, 4);
            QCOMPARE(item->toolTip(), item->text());
            QVERIFY(metrics.horizontalAdvance(item->text()) < t->columnWidth(4));
        }
        QCOMPARE(t->item(12, 4)->toolTip(), QStringLiteral("输入0不起控制作用"));
    }

    void tabFollowsTheReadingOrder()
    {
        openSearchPage();
        QTableWidget* t = items();
        const auto tab = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        t->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t));
        // Within the item table Tab moves among the editable cells; the name column
        // and the steps of rows 11 and 12 are skipped.
        t->setCurrentCell(0, 3);
        tab(Qt::Key_Tab);
        QCOMPARE(t->currentRow(), 1);
        QCOMPARE(t->currentColumn(), 1);
        t->setCurrentCell(12, 1);
        tab(Qt::Key_Tab);
        QCOMPARE(t->currentColumn(), 2);
        // After the last editable cell: the result grid, the fold button and the
        // enabled buttons of the bottom row, left to right; Shift+Tab goes back.
        const QStringList forward{"Grid2_Youhuajieguo", "cbt_zhangkai", "cbt_YHcompute", "cbt_YHfanhui"};
        for (const QString& name : forward) {
            tab(Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
        for (int i = forward.size() - 2; i >= 0; --i) {
            tab(Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), forward[i]);
        }
        tab(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(t));
        QCOMPARE(t->currentRow(), 12);
        QCOMPARE(t->currentColumn(), 2);
        // After a search the filter and save buttons join in their place.
        search();
        button("cbt_YHsaixuan")->setFocus();
        tab(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cbt_YHsave"));
    }

    void escapeGoesBack()
    {
        openSearchPage();
        QVERIFY(button("cbt_YHfanhui")->toolTip().contains(QStringLiteral("Esc")));
        // An open cell editor takes Esc for itself: the edit is dropped, the page stays.
        QTableWidget* t = items();
        t->setFocus();
        t->setCurrentCell(1, 1);
        t->editItem(t->item(1, 1));
        QPointer<QLineEdit> editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QTest::keyClicks(editor, "9");
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(editor.isNull());
        QTest::qWait(200);
        QVERIFY(find("YouHuaFormLayer")->isVisible());
        QCOMPARE(t->item(1, 1)->text(), QStringLiteral("1000"));
        // Otherwise Esc is "返回".
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(find("MainFormLayer")->isVisible());
        QVERIFY(!find("YouHuaFormLayer")->isVisible());
        QCOMPARE(form->SaveTarget, 0);
    }

    // ------------------------------------------------------------ taking a candidate back

    void takeBackReproducesTheRow_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("basis");
        QTest::addColumn<int>("sectionItem");
        QTest::addColumn<bool>("fromFilter");
        QTest::newRow("circle with an index") << "圆  桩" << "1500" << "2" << 0 << false;
        QTest::newRow("ellipse with a class") << "椭圆桩" << "2000" << "1" << 1 << false;
        QTest::newRow("square as a rectangle") << "方  桩" << "1500" << "1" << 2 << false;
        QTest::newRow("rectangle from the filtered list") << "矩形桩" << "3000" << "2" << 2 << true;
    }
    void takeBackReproducesTheRow()
    {
        QFETCH(QString, section);
        QFETCH(QString, size);
        QFETCH(QString, basis);
        QFETCH(int, sectionItem);
        QFETCH(bool, fromFilter);
        openSearchPage();
        search();
        clickHeader(all(), 4);
        QTableView* grid = all();
        if (fromFilter) {
            typeInItem(12, 1, "0");
            typeInItem(12, 2, "0");
            button("cbt_YHsaixuan")->click();
            grid = filtered();
        }
        const int row = findRow(grid, section, size, basis);
        QVERIFY(row >= 0);
        const QStringList cells = RowTexts(grid, row);
        const QString classBefore = LayerCell(layers(), 0, 3);
        const QString indexBefore = LayerCell(layers(), 0, 4);
        const QStringList order = Column(grid, 0);

        doubleClickRow(grid, row);

        QVERIFY(find("MainFormLayer")->isVisible());
        QVERIFY(!find("YouHuaFormLayer")->isVisible());
        QCOMPARE(form->SaveTarget, 0);
        QCOMPARE(combo("cbb_jmlx")->currentIndex(), sectionItem);
        QCOMPARE(combo("cbe_dd")->currentText(), cells[2]);
        QCOMPARE(combo("cbe_tyzd")->currentText(), sectionItem == 0 ? QStringLiteral("0") : cells[3]);
        QCOMPARE(combo("cbe_tyzd")->isEnabled(), sectionItem != 0);
        QCOMPARE(combo("cbb_yanchengshu")->currentIndex(), 0);
        QCOMPARE(combo("cbb_qiangduzhi")->currentIndex(), 1);
        QCOMPARE(combo("cbb_chezhuxishu")->currentIndex(), 1);
        QCOMPARE(combo("cbb_wanzhengchengdu")->currentIndex(), basis.toInt() - 1);
        QCOMPARE(LayerCell(layers(), 0, 1), cells[5]);
        QCOMPARE(LayerCell(layers(), 0, 2), cells[7]);
        QCOMPARE(LayerCell(layers(), 0, 3), basis == "1" ? cells[9] : classBefore);
        QCOMPARE(LayerCell(layers(), 0, 4), basis == "2" ? cells[9] : indexBefore);
        QCOMPARE(LayerCell(layers(), 0, 5), cells[6]);
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"}) QCOMPARE(field(name), QString());
        QVERIFY(button("cbt_compute")->isVisible());
        QVERIFY(button("cbt_compute")->isEnabled());
        QVERIFY(!button("cbt_View")->isVisible());

        // "计算" reproduces the row and enters the reports.
        button("cbt_compute")->click();
        QCOMPARE(field("edt_ra"), cells[4]);
        QCOMPARE(form->resultsPage()->reports().reportCount(), 1);

        // The search page kept its content.
        openSearchPage();
        QCOMPARE(Column(grid, 0), order);
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
    }

    // ------------------------------------------------------------ saving

    void saveWritesTheVisibleList()
    {
        openSearchPage();
        search();
        button("cbt_YHsave")->click();
        QVERIFY(!button("cbt_YHsave")->isEnabled());

        const QString path = rockpile::ResultFilePath(docs->path(), rockpile::SearchResultFileName());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith("\r\n"));
        QStringDecoder gbk("GBK");
        const QString text = gbk.decode(bytes);
        QVERIFY(!gbk.hasError());
        QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString());  // after the CR LF of the last line
        QCOMPARE(lines.size(), 1152 + 9);
        QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
        QCOMPARE(lines[0], QStringLiteral("=================================================================== "
                                          "嵌岩桩优化计算原始结果 "
                                          "====================================================================="));
        QCOMPARE(lines[1], QString(160, QLatin1Char('-')));
        QCOMPARE(lines[5], QStringLiteral("  ZH-0001   圆  桩     1000        -         -         -       1.00     "
                                          "35.00      完整      0.420     0.042      4618      29%      11545      "
                                          "71%      16163  "));
        QVERIFY(lines[1156].startsWith(QStringLiteral("  ZH-1152   方  桩       -         -       2000      2000  ")));
        QCOMPARE(lines[1157], QString(160, QLatin1Char('-')));
        QCOMPARE(lines[1158], QStringLiteral(" 注: 采用《建筑地基基础设计规范》(DBJ 15-31-2016)公式计算"));
        QCOMPARE(lines[1159], QString(160, QLatin1Char('=')));
        QCOMPARE(lines[1160], QStringLiteral("计算时间：2026/3/5 14:07:09"));
        QVERIFY(!QFile::exists(rockpile::ResultFilePath(docs->path(), rockpile::FilteredResultFileName())));
    }

    void saveWritesTheFilteredList()
    {
        openSearchPage();
        search();
        clickHeader(all(), 4);
        clickHeader(all(), 4);  // Ra descending
        // From the twelfth largest Ra upwards.
        typeInItem(12, 1, Cell(all(), 11, 4));
        typeInItem(12, 2, "0");
        button("cbt_YHsaixuan")->click();
        const QStringList kept = Column(filtered(), 0);
        QVERIFY(kept.size() >= 10 && kept.size() < 100);
        button("cbt_YHsave")->click();
        QVERIFY(!button("cbt_YHsave")->isEnabled());

        QFile file(rockpile::ResultFilePath(docs->path(), rockpile::FilteredResultFileName()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringDecoder gbk("GBK");
        QStringList lines = QString(gbk.decode(file.readAll())).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), kept.size() + 9);
        QCOMPARE(lines[0], QStringLiteral("=================================================================== "
                                          "嵌岩桩筛选计算筛选结果 "
                                          "====================================================================="));
        // Numbered by position from ZH-01 on, in the order on view, largest Ra first.
        QVERIFY(lines[5].startsWith(QStringLiteral("   ZH-01  ")));
        QVERIFY(lines[5].endsWith(QStringLiteral(" %1  ").arg(Cell(filtered(), 0, 4))));
        QVERIFY(lines[5 + kept.size() - 1].endsWith(QStringLiteral(" %1  ").arg(Cell(filtered(), kept.size() - 1, 4))));
        QVERIFY(!QFile::exists(rockpile::ResultFilePath(docs->path(), rockpile::SearchResultFileName())));
    }

    // ------------------------------------------------------------ a wide search

    void wideSearchAndSortRunInTheWorker()
    {
        // 4001 diameters: 576,144 candidates, more than runs within the click, and more
        // rows than are sorted within it.
        openSearchPage();
        widenCircularSearch("0.25");
        const int n = 576144;
        QVERIFY(std::uint64_t(n) > rockpile::kSearchInWorkerAbove);
        QVERIFY(std::size_t(n) > rockpile::kSortInWorkerAbove);
        auto* progress = find<QProgressBar>("pb_YH_jingdu");
        search();
        QCOMPARE(button("cbt_YHcompute")->text(), QString::fromUtf8(rockpile::kCancelSearchText));
        QVERIFY(button("cbt_YHcompute")->isEnabled());
        QVERIFY(progress->isVisible());
        for (const char* name : {"cbt_YHfanhui", "cbt_zhangkai", "cbt_YHsaixuan", "cbt_YHsave"})
            QVERIFY(!find(name)->isEnabled());
        QVERIFY(!items()->isEnabled());
        QVERIFY(!all()->isEnabled());
        // The window keeps working while the search runs, and shows how far it is.
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, 60000);
        QCOMPARE(Rows(all()), 0);
        QTRY_COMPARE_WITH_TIMEOUT(info()->text(), QStringLiteral("计算完成，桩数：576144 根"), 120000);

        QCOMPARE(Rows(all()), n);
        QCOMPARE(Cell(all(), 0, 0), QStringLiteral("ZH-000001"));
        QCOMPARE(Cell(all(), n - 1, 0), QStringLiteral("ZH-576144"));
        // The longer pile numbers of so long a list show whole.
        const int numberNeed = all()->fontMetrics().horizontalAdvance(QStringLiteral("ZH-576144"));
        QVERIFY2(all()->columnWidth(0) > numberNeed, qPrintable(QString::number(all()->columnWidth(0))));
        QCOMPARE(Cell(all(), n - 1, 2), QStringLiteral("2000"));
        QCOMPARE(button("cbt_YHcompute")->text(), QStringLiteral("计算"));
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        QVERIFY(button("cbt_YHsaixuan")->isEnabled());
        QVERIFY(button("cbt_YHsave")->isEnabled());
        QVERIFY(button("cbt_YHfanhui")->isEnabled());
        QVERIFY(items()->isEnabled());
        QVERIFY(progress->isHidden());
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("2000"));
        QCOMPARE(field("edt_ra"), Cell(all(), n - 1, 4));
        QCOMPARE(form->resultsPage()->reports().reportCount(), 0);

        // The first sort by Ra runs in the worker too; the reversal within the click.
        button("cbt_YHsave")->click();
        // A list this long is saved in the background; the page is locked until then.
        QVERIFY(progress->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(progress->isHidden(), 60000);
        QVERIFY(!button("cbt_YHsave")->isEnabled());
        clickHeader(all(), 4);
        QVERIFY(progress->isVisible());
        QVERIFY(!all()->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(info()->text(), QStringLiteral("Ra升序排列完成"), 60000);
        QVERIFY(progress->isHidden());
        QVERIFY(all()->isEnabled());
        QVERIFY(button("cbt_YHsave")->isEnabled());
        QVERIFY(!button("cbt_YHcompute")->isEnabled());
        QCOMPARE(Header(all(), 4), kRaUpHeader);
        QCOMPARE(form->searchPage()->RaSortState(), 1);
        QCOMPARE(all()->currentIndex().row(), 0);
        const QList<double> ra = Numbers(all(), 4);
        QVERIFY(std::is_sorted(ra.begin(), ra.end()));
        const QString first = Cell(all(), 0, 0);
        clickHeader(all(), 4);
        QCOMPARE(info()->text(), QStringLiteral("Ra降序排列完成"));
        QCOMPARE(Cell(all(), n - 1, 0), first);
    }

    void cancelledSearchLeavesThePageAsItWas()
    {
        openSearchPage();
        search();
        clickHeader(all(), 2);
        button("cbt_YHfanhui")->click();
        openSearchPage();
        // 10,001 diameters: 1,440,144 candidates.
        widenCircularSearch("0.1");
        const PageSnapshot before = snapshot();

        search();
        auto* progress = find<QProgressBar>("pb_YH_jingdu");
        QVERIFY(progress->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 0, 60000);
        QVERIFY(progress->value() < 100);
        button("cbt_YHcompute")->click();  // "取消"
        QTRY_COMPARE_WITH_TIMEOUT(button("cbt_YHcompute")->text(), QStringLiteral("计算"), 60000);

        // The information line says that the search was cancelled and how far it got;
        // everything else is as it was.
        PageSnapshot after = snapshot();
        static const QRegularExpression cancelled(
            QStringLiteral("^计算已取消，已算桩数：([0-9]+) 根（共 1440144 根）$"));
        const QRegularExpressionMatch match = cancelled.match(after.info);
        QVERIFY2(match.hasMatch(), qPrintable(after.info));
        const int done = match.captured(1).toInt();
        QVERIFY(done > 0);
        QVERIFY(done < 1440144);
        QCOMPARE(after.infoColour, kBlack);
        after.info = before.info;
        after.infoColour = before.infoColour;
        compareSnapshots(after, before);
        QVERIFY(progress->isHidden());
        QVERIFY(button("cbt_YHfanhui")->isEnabled());
        QVERIFY(items()->isEnabled());
        QVERIFY(all()->isEnabled());
        QCOMPARE(Rows(all()), 1152);
        QCOMPARE(form->resultsPage()->reports().reportCount(), 0);
    }

    void windowClosedDuringASearch()
    {
        // The worker is stopped and joined with the window: once the window is gone the
        // process runs no more threads than before the search, long before the
        // search (1,440,144 candidates) could have ended by itself.
        openSearchPage();
        widenCircularSearch("0.1");
        const int threadsBefore = ThreadCount();
        search();
        QTRY_VERIFY_WITH_TIMEOUT(find<QProgressBar>("pb_YH_jingdu")->value() > 0, 60000);
        QVERIFY(find<QProgressBar>("pb_YH_jingdu")->value() < 50);
        // The page's worker, and the threads it shares the enumeration with.
        QVERIFY(ThreadCount() > threadsBefore);
        form.reset();
        QCOMPARE(ThreadCount(), threadsBefore);
    }
};

QTEST_MAIN(TestSearchPage)
#include "test_searchpage.moc"

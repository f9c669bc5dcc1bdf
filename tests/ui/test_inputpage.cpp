// The input page driven through its real controls: section type and sizes, the rock
// controls with their visibility and enabling rules over every combination, the layer
// count, the reduction factor, and editing the layer table.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "tests/support/MainFormTest.h"
#include "ui/Controls.h"
#include "ui/LayerTable.h"
#include "ui/MainForm.h"

namespace {

const QColor kRed(0xFFFF0000u);
const QColor kBlack(0xFF000000u);
const QColor kMagenta(0xFFFF00FFu);

const QString kRoundDd = QStringLiteral("桩  身   直   径    d (mm)");
const QString kRoundTyzd = QStringLiteral("椭圆直段长度    c (mm)");
const QString kRectDd = QStringLiteral("矩形长边尺寸    a (mm)");
const QString kRectTyzd = QStringLiteral("矩形短边尺寸    b (mm)");
const QString kHint = QStringLiteral("提示：指定的系数需自行确定其合理性");
const QString kClause4 = QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.4条");
const QString kClause5 = QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.5条");
const QString kClauseStart = QStringLiteral("单桩竖向承载力特征值计算依据：第10.2.4、10.2.5条");

QColor LabelColour(const QWidget* w) { return w->palette().color(QPalette::Active, QPalette::WindowText); }
QColor FieldColour(const QComboBox* combo)
{
    return combo->lineEdit()->palette().color(QPalette::Active, QPalette::Text);
}

QStringList Items(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
    return items;
}

QStringList Steps(int first, int last, int step)
{
    QStringList items;
    for (int v = first; v <= last; v += step) items << QString::number(v);
    return items;
}

QString Cell(const QTableWidget* table, int row, int column)
{
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
}

// A combination of the rock controls: strength mode s, coefficient mode c,
// interpolation basis b, the fold state of the layer table and the bored-pile mark.
struct RockCase {
    int s, c, b;
    bool expanded, bored;
};

// The visible columns of the layer table for every combination, column by column from
// 0 to 21: 'V' visible, '.' hidden. The bored-pile mark shows or hides no column.
struct VisibleColumns {
    int s, c, b;
    bool expanded;
    const char* columns;
};
const VisibleColumns kVisibleColumns[] = {
    //                     0         1         2
    //                     0123456789012345678901
    {0, 0, 0, false,      "VV........VV.........."},
    {0, 0, 0, true,       "VV........VVVVVVVVV..."},
    {0, 0, 1, false,      "VV........VV.........."},
    {0, 0, 1, true,       "VV........VVVVVVVVV..."},
    {0, 1, 0, false,      "VV........VV.........."},
    {0, 1, 0, true,       "VV........VVVVVVVVV..."},
    {0, 1, 1, false,      "VV........VV.........."},
    {0, 1, 1, true,       "VV........VVVVVVVVV..."},
    {0, 2, 0, false,      "VV........VV.........."},
    {0, 2, 0, true,       "VV........VVVVVVVVV..."},
    {0, 2, 1, false,      "VV........VV.........."},
    {0, 2, 1, true,       "VV........VVVVVVVVV..."},
    {0, 3, 0, false,      "VV........VV.........."},
    {0, 3, 0, true,       "VV........VVVVVVVVV..."},
    {0, 3, 1, false,      "VV........VV.........."},
    {0, 3, 1, true,       "VV........VVVVVVVVV..."},
    {1, 0, 0, false,      "VV...VVV.............."},
    {1, 0, 0, true,       "VV...VVVVVVVVVVVVVV..."},
    {1, 0, 1, false,      "VV...VVV.............."},
    {1, 0, 1, true,       "VV...VVVVVVVVVVVVVV..."},
    {1, 1, 0, false,      "VV.V.V................"},
    {1, 1, 0, true,       "VV.V.V..VVVVVVVVVVV..."},
    {1, 1, 1, false,      "VV..VV................"},
    {1, 1, 1, true,       "VV..VV..VVVVVVVVVVV..."},
    {1, 2, 0, false,      "VV.V.VVV.............."},
    {1, 2, 0, true,       "VV.V.VVVVVVVVVVVVVV..."},
    {1, 2, 1, false,      "VV..VVVV.............."},
    {1, 2, 1, true,       "VV..VVVVVVVVVVVVVVV..."},
    {1, 3, 0, false,      "VV.V.VVV.............."},
    {1, 3, 0, true,       "VV.V.VVVVVVVVVVVVVV..."},
    {1, 3, 1, false,      "VV..VVVV.............."},
    {1, 3, 1, true,       "VV..VVVVVVVVVVVVVVV..."},
};

// The rock controls that are not always enabled, in the order of the masks below.
const char* const kSwitchedControls[] = {
    "lb_chezhuxishu",     "cbb_chezhuxishu", "lb_wanzhengchengdu", "cbb_wanzhengchengdu",
    "ckb_dixiashui",      "ckb_ruanzhiyan",  "lb_zhuanchongkong",  "cbe_zhuanchongkong",
};
// Their enabling for every strength mode, coefficient mode and bored-pile mark: 'E'
// enabled, '.' disabled. The basis and the fold state enable nothing.
struct EnabledControls {
    int s, c;
    bool bored;
    const char* controls;
};
const EnabledControls kEnabledControls[] = {
    {0, 0, true,  "........"}, {0, 0, false, "........"},
    {0, 1, true,  "........"}, {0, 1, false, "........"},
    {0, 2, true,  "........"}, {0, 2, false, "........"},
    {0, 3, true,  "........"}, {0, 3, false, "........"},
    {1, 0, true,  "EE......"}, {1, 0, false, "EE......"},
    {1, 1, true,  "EEEEEEEE"}, {1, 1, false, "EEEEEE.."},
    {1, 2, true,  "EEEEEEEE"}, {1, 2, false, "EEEEEE.."},
    {1, 3, true,  "EEEEEEEE"}, {1, 3, false, "EEEEEE.."},
};
// Always enabled, whatever the modes.
const char* const kAlwaysEnabled[] = {"lb_yanchengshu",    "cbb_yanchengshu", "lb_qiangduquzhi",
                                      "cbb_qiangduzhi",    "cbt_kuozhanbiaoge", "StringGrid_QB2"};

const char* ExpectedColumns(const RockCase& k)
{
    for (const VisibleColumns& row : kVisibleColumns)
        if (row.s == k.s && row.c == k.c && row.b == k.b && row.expanded == k.expanded) return row.columns;
    qFatal("no visible columns for S%d C%d B%d", k.s, k.c, k.b);
}

const char* ExpectedEnabled(const RockCase& k)
{
    for (const EnabledControls& row : kEnabledControls)
        if (row.s == k.s && row.c == k.c && row.bored == k.bored) return row.controls;
    qFatal("no enabled controls for S%d C%d", k.s, k.c);
}

}  // namespace

class TestInputPage : public QObject, rockpile::testing::MainFormTest {
    Q_OBJECT

    QComboBox* combo(const char* name, MainForm* owner = nullptr) { return find<QComboBox>(name, owner); }
    QTableWidget* table() { return find<QTableWidget>("StringGrid_QB2"); }
    QLabel* statusLine() { return find<QLabel>("lb_shuoming"); }

    // The state after a successful calculation: results shown, "结果" in place of "计算".
    void showCalculated()
    {
        find<QLineEdit>("edt_Quk")->setText("6597");
        find<QLineEdit>("edt_ra")->setText("9236");
        find<QLineEdit>("edt_percent")->setText("71%");
        find("cbt_compute")->setEnabled(false);
        find("cbt_compute")->hide();
        find("cbt_View")->show();
    }
    void verifyResultsCleared()
    {
        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"})
            QCOMPARE(find<QLineEdit>(name)->text(), QString());
        QVERIFY(find("cbt_compute")->isVisible());
        QVERIFY(find("cbt_compute")->isEnabled());
        QVERIFY(!find("cbt_View")->isVisible());
    }
    void verifyResultsKept()
    {
        QCOMPARE(find<QLineEdit>("edt_Quk")->text(), QStringLiteral("6597"));
        QCOMPARE(find<QLineEdit>("edt_ra")->text(), QStringLiteral("9236"));
        QCOMPARE(find<QLineEdit>("edt_percent")->text(), QStringLiteral("71%"));
    }

    // Types into an editable combo as a user does; Enter ends the entry when asked to.
    void typeInto(QComboBox* box, const QString& text, bool pressEnter = true)
    {
        QLineEdit* line = box->lineEdit();
        line->setFocus();
        QTRY_VERIFY(line->hasFocus());
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        QTest::keyClicks(line, text);
        if (pressEnter) QTest::keyClick(line, Qt::Key_Return);
    }

    // Types into a cell of the layer table: the first key starts the editor.
    void typeInCell(int row, int column, const QString& text)
    {
        rockpile::testing::TypeInCell(table(), row, column, text);
    }

private slots:
    void init() { OpenForm(Ready::Active); }
    void cleanup() { CloseForm(); }

    // ------------------------------------------------------------ section type

    void sectionType_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("ddLabel");
        QTest::addColumn<QString>("tyzdLabel");
        QTest::addColumn<bool>("tyzdEnabled");
        QTest::addColumn<QStringList>("tyzdItems");
        QTest::addColumn<QString>("tyzdText");
        QTest::addColumn<int>("tyzdIndex");
        QTest::newRow("ellipse") << 1 << kRoundDd << kRoundTyzd << true << Steps(100, 1200, 100) << "500" << 4;
        QTest::newRow("rectangle") << 2 << kRectDd << kRectTyzd << true << Steps(1000, 2000, 100) << "1000" << 0;
    }
    void sectionType()
    {
        QFETCH(int, item);
        QFETCH(QString, ddLabel);
        QFETCH(QString, tyzdLabel);
        QFETCH(bool, tyzdEnabled);
        QFETCH(QStringList, tyzdItems);
        QFETCH(QString, tyzdText);
        QFETCH(int, tyzdIndex);
        typeInto(combo("cbe_dd"), "1234");
        showCalculated();
        combo("cbb_jmlx")->setCurrentIndex(item);

        QCOMPARE(find<QLabel>("lb_dd")->text(), ddLabel);
        QCOMPARE(find<QLabel>("lb_tyzd")->text(), tyzdLabel);
        QCOMPARE(find("lb_tyzd")->isEnabled(), tyzdEnabled);
        QCOMPARE(combo("cbe_tyzd")->isEnabled(), tyzdEnabled);
        QCOMPARE(Items(combo("cbe_tyzd")), tyzdItems);
        QCOMPARE(combo("cbe_tyzd")->currentText(), tyzdText);
        QCOMPARE(combo("cbe_tyzd")->currentIndex(), tyzdIndex);
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("1234"));
        QCOMPARE(Items(combo("cbe_dd")), Steps(1000, 2000, 100));
        verifyResultsCleared();

        // Back to the round section: the second size is "0", disabled, no item chosen.
        showCalculated();
        combo("cbb_jmlx")->setCurrentIndex(0);
        QCOMPARE(find<QLabel>("lb_dd")->text(), kRoundDd);
        QCOMPARE(find<QLabel>("lb_tyzd")->text(), kRoundTyzd);
        QVERIFY(!find("lb_tyzd")->isEnabled());
        QVERIFY(!combo("cbe_tyzd")->isEnabled());
        QCOMPARE(Items(combo("cbe_tyzd")), Steps(100, 1200, 100));
        QCOMPARE(combo("cbe_tyzd")->currentText(), QStringLiteral("0"));
        QCOMPARE(combo("cbe_tyzd")->currentIndex(), -1);
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("1234"));
        verifyResultsCleared();
    }

    void sectionTypeRunsTheSecondSizeCheck()
    {
        // The diameter is wrong; choosing the ellipse writes a valid "500" into the
        // second field, whose check empties the shared status line.
        typeInto(combo("cbe_dd"), "abc");
        QCOMPARE(statusLine()->text(), QStringLiteral("桩身直径数据有错"));
        combo("cbb_jmlx")->setCurrentIndex(1);
        QCOMPARE(statusLine()->text(), QString());
        QCOMPARE(FieldColour(combo("cbe_tyzd")), kBlack);
        QCOMPARE(FieldColour(combo("cbe_dd")), kRed);
    }

    void choosingTheChosenItemRunsNothing()
    {
        showCalculated();
        combo("cbb_jmlx")->setCurrentIndex(0);
        combo("cbb_qiangduzhi")->setCurrentIndex(1);
        combo("cbb_chezhuxishu")->setCurrentIndex(1);
        combo("cbb_wanzhengchengdu")->setCurrentIndex(0);
        combo("cbb_yanchengshu")->setCurrentIndex(0);
        find<QCheckBox>("ckb_dixiashui")->setChecked(true);
        static_cast<rockpile::EditCombo*>(combo("cbe_dd"))->setText(QStringLiteral("1000"));
        verifyResultsKept();
        QVERIFY(!statusLine()->isVisible());
        QVERIFY(find("img_logo")->isVisible());
    }

    // ------------------------------------------------------------ size fields

    void sizeChecks_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");  // empty: accepted
        const QString dd = QStringLiteral("桩身直径数据有错");
        const QString tyzd = QStringLiteral("椭圆直段长度数据有错");
        QTest::newRow("d 0") << 0 << "cbe_dd" << "0" << dd;
        QTest::newRow("d -300") << 0 << "cbe_dd" << "-300" << dd;
        QTest::newRow("d abc") << 0 << "cbe_dd" << "abc" << dd;
        QTest::newRow("d empty") << 0 << "cbe_dd" << "" << dd;
        QTest::newRow("d 1500") << 0 << "cbe_dd" << "1500" << "";
        QTest::newRow("d 0.5") << 0 << "cbe_dd" << " 0.5 " << "";
        QTest::newRow("a 0 rectangle") << 2 << "cbe_dd" << "0" << dd;
        QTest::newRow("c 0") << 1 << "cbe_tyzd" << "0" << "";
        QTest::newRow("c 750") << 1 << "cbe_tyzd" << "750" << "";
        QTest::newRow("c -1") << 1 << "cbe_tyzd" << "-1" << tyzd;
        QTest::newRow("c x") << 1 << "cbe_tyzd" << "12x" << tyzd;
        QTest::newRow("b -1 rectangle") << 2 << "cbe_tyzd" << "-1" << tyzd;
    }
    void sizeChecks()
    {
        QFETCH(int, section);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        combo("cbb_jmlx")->setCurrentIndex(section);
        form->ShowStatusMessage(QStringLiteral("earlier"), kMagenta);
        showCalculated();
        QComboBox* box = combo(field.toLatin1().constData());

        // Keystrokes alone run nothing.
        typeInto(box, text, false);
        verifyResultsKept();
        QCOMPARE(statusLine()->text(), QStringLiteral("earlier"));

        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        verifyResultsCleared();
        QCOMPARE(box->currentText(), text);
        if (message.isEmpty()) {
            QCOMPARE(statusLine()->text(), QString());
            QCOMPARE(LabelColour(statusLine()), kMagenta);  // only the text is emptied
            QCOMPARE(FieldColour(box), kBlack);
        } else {
            QCOMPARE(statusLine()->text(), message);
            QCOMPARE(LabelColour(statusLine()), kRed);
            QCOMPARE(FieldColour(box), kRed);
        }
    }

    void sizeEntryEndsWhenTheFieldIsLeft()
    {
        showCalculated();
        typeInto(combo("cbe_dd"), "-5", false);
        verifyResultsKept();
        find<QComboBox>("cbb_yanchengshu")->setFocus();
        QTRY_COMPARE(statusLine()->text(), QStringLiteral("桩身直径数据有错"));
        verifyResultsCleared();
    }

    void sizeEntryByPickingAnItem()
    {
        typeInto(combo("cbe_dd"), "0");
        QCOMPARE(FieldColour(combo("cbe_dd")), kRed);
        combo("cbe_dd")->setCurrentIndex(3);
        QCOMPARE(combo("cbe_dd")->currentText(), QStringLiteral("1300"));
        QCOMPARE(FieldColour(combo("cbe_dd")), kBlack);
        QCOMPARE(statusLine()->text(), QString());
    }

    void fixingOneSizeEmptiesTheOthersMessageButNotItsColour()
    {
        combo("cbb_jmlx")->setCurrentIndex(1);
        typeInto(combo("cbe_dd"), "-1");
        QCOMPARE(statusLine()->text(), QStringLiteral("桩身直径数据有错"));
        typeInto(combo("cbe_tyzd"), "300");
        QCOMPARE(statusLine()->text(), QString());
        QCOMPARE(FieldColour(combo("cbe_dd")), kRed);
        QCOMPARE(FieldColour(combo("cbe_tyzd")), kBlack);
    }

    void sizeSetByCodeRunsItsCheckOnce()
    {
        auto* dd = static_cast<rockpile::EditCombo*>(combo("cbe_dd"));
        showCalculated();
        dd->setText(QStringLiteral("0"));
        QCOMPARE(statusLine()->text(), QStringLiteral("桩身直径数据有错"));
        verifyResultsCleared();
        form->ShowStatusMessage(QStringLiteral("other"), kBlack);
        dd->setText(QStringLiteral("0"));  // the same text: nothing runs
        QCOMPARE(statusLine()->text(), QStringLiteral("other"));
        dd->setText(QStringLiteral("1500"));
        QCOMPARE(statusLine()->text(), QString());
        QCOMPARE(dd->currentIndex(), 5);
    }

    // ------------------------------------------------------------ rock rules

    void visibilityAndEnablingOverEveryCombination()
    {
        // One window per case, set from the defaults in an order a user can follow
        // (each control is enabled when it is changed), and one window that walks
        // through all cases, to see that the rules do not depend on the path.
        MainForm walker;
        walker.show();
        int cases = 0;
        for (int s = 0; s <= 1; ++s)
            for (int c = 0; c <= 3; ++c)
                for (int b = 0; b <= 1; ++b)
                    for (bool expanded : {false, true})
                        for (bool bored : {true, false}) {
                            const RockCase k{s, c, b, expanded, bored};
                            const QString tag = QStringLiteral("S%1 C%2 B%3 %4 %5")
                                                    .arg(s).arg(c).arg(b)
                                                    .arg(expanded ? "expanded" : "collapsed")
                                                    .arg(bored ? "bored" : "not bored");
                            MainForm fresh;
                            fresh.show();
                            setRockCase(&fresh, k, tag);
                            // The clause line changes only when the strength mode does.
                            verifyRockCase(&fresh, k, tag, s == 0 ? kClause5 : kClauseStart);
                            if (QTest::currentTestFailed()) return;
                            setRockCase(&walker, k, tag);
                            verifyRockCase(&walker, k, tag, s == 0 ? kClause5 : kClause4);
                            if (QTest::currentTestFailed()) return;
                            ++cases;
                        }
        QCOMPARE(cases, 64);
    }

    void coefficientModeHintAndLabelColour()
    {
        showCalculated();
        combo("cbb_chezhuxishu")->setCurrentIndex(0);
        QCOMPARE(LabelColour(find("lb_chezhuxishu")), kRed);
        QVERIFY(statusLine()->isVisible());
        QVERIFY(!find("img_logo")->isVisible());
        QCOMPARE(statusLine()->text(), kHint);
        QCOMPARE(LabelColour(statusLine()), kMagenta);
        verifyResultsCleared();
        // Manual columns shown, integrity class hidden, the interpolation controls off.
        QVERIFY(!table()->isColumnHidden(5));
        QVERIFY(!table()->isColumnHidden(6));
        QVERIFY(!table()->isColumnHidden(7));
        QVERIFY(table()->isColumnHidden(3));
        for (const char* name : {"lb_wanzhengchengdu", "cbb_wanzhengchengdu", "ckb_dixiashui",
                                 "lb_zhuanchongkong", "cbe_zhuanchongkong", "ckb_ruanzhiyan"})
            QVERIFY2(!find(name)->isEnabled(), name);

        // The strength mode applies the coefficient columns again, but neither the
        // colour nor the hint.
        combo("cbb_qiangduzhi")->setCurrentIndex(0);
        form->ShowStatusMessage(QStringLiteral("kept"), kBlack);
        combo("cbb_qiangduzhi")->setCurrentIndex(1);
        QCOMPARE(LabelColour(find("lb_chezhuxishu")), kRed);
        QCOMPARE(statusLine()->text(), QStringLiteral("kept"));

        combo("cbb_chezhuxishu")->setCurrentIndex(2);
        QCOMPARE(LabelColour(find("lb_chezhuxishu")), kRed);
        QCOMPARE(statusLine()->text(), kHint);
        combo("cbb_chezhuxishu")->setCurrentIndex(1);
        QCOMPARE(LabelColour(find("lb_chezhuxishu")), kBlack);
        QCOMPARE(statusLine()->text(), QString());
        QCOMPARE(LabelColour(statusLine()), kBlack);
        QVERIFY(statusLine()->isVisible());
        QVERIFY(!find("img_logo")->isVisible());
    }

    void strengthModeSetsTheClauseLine()
    {
        showCalculated();
        combo("cbb_qiangduzhi")->setCurrentIndex(0);
        QCOMPARE(find<QLabel>("lb_guifan2")->text(), kClause5);
        verifyResultsCleared();
        for (int c = 0; c < 22; ++c)
            QCOMPARE(table()->isColumnHidden(c), !(c == 0 || c == 1 || c == 10 || c == 11));
        showCalculated();
        combo("cbb_qiangduzhi")->setCurrentIndex(1);
        QCOMPARE(find<QLabel>("lb_guifan2")->text(), kClause4);
        verifyResultsCleared();
    }

    void expandButtonTogglesWithoutTouchingResults()
    {
        auto* button = find<QPushButton>("cbt_kuozhanbiaoge");
        showCalculated();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QStringLiteral("折叠"));
        for (int c = 8; c <= 18; ++c) QVERIFY(!table()->isColumnHidden(c));
        verifyResultsKept();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QStringLiteral("展开"));
        for (int c = 8; c <= 18; ++c) QVERIFY(table()->isColumnHidden(c));
        verifyResultsKept();
    }

    void boredPileSwitchesTheReductionFactor()
    {
        auto* bored = find<QCheckBox>("ckb_dixiashui");
        showCalculated();
        bored->setChecked(false);
        QVERIFY(!find("lb_zhuanchongkong")->isEnabled());
        QVERIFY(!find("cbe_zhuanchongkong")->isEnabled());
        verifyResultsCleared();
        QCOMPARE(combo("cbe_zhuanchongkong")->currentText(), QStringLiteral("0.70"));
        bored->setChecked(true);
        QVERIFY(find("lb_zhuanchongkong")->isEnabled());
        QVERIFY(find("cbe_zhuanchongkong")->isEnabled());
    }

    void softRockOnlyClearsTheResults()
    {
        showCalculated();
        find<QCheckBox>("ckb_ruanzhiyan")->setChecked(false);
        verifyResultsCleared();
        QVERIFY(!statusLine()->isVisible());
    }

    // ------------------------------------------------------------ layer count

    void layerCountGrowsAndShrinks()
    {
        QTableWidget* t = table();
        combo("cbb_yanchengshu")->setCurrentIndex(2);
        QCOMPARE(t->rowCount(), 3);
        QCOMPARE(Cell(t, 1, 0), QStringLiteral("2"));
        QCOMPARE(Cell(t, 2, 0), QStringLiteral("3"));
        for (int c = 1; c < 22; ++c) {
            QCOMPARE(Cell(t, 1, c), QString());
            QCOMPARE(Cell(t, 2, c), QString());
        }
        t->setItem(1, 1, new QTableWidgetItem("2.00"));
        t->setItem(2, 5, new QTableWidgetItem("30.00"));

        showCalculated();
        combo("cbb_yanchengshu")->setCurrentIndex(0);
        QCOMPARE(t->rowCount(), 1);
        verifyResultsCleared();
        combo("cbb_yanchengshu")->setCurrentIndex(2);
        QCOMPARE(t->rowCount(), 3);
        const char* row0[22] = {"1", "1.00", "中风化", "较完整", "0.75", "25.00", "0.50", "0.04", "", "",
                                "8400.00", "840.00", "", "", "", "", "", "", "", "", "", ""};
        for (int c = 0; c < 22; ++c) QCOMPARE(Cell(t, 0, c), QString::fromUtf8(row0[c]));
        for (int row : {1, 2}) {
            QCOMPARE(Cell(t, row, 0), QString::number(row + 1));
            for (int c = 1; c < 22; ++c) QCOMPARE(Cell(t, row, c), QString());
        }
        combo("cbb_yanchengshu")->setCurrentIndex(8);
        QCOMPARE(t->rowCount(), 9);
        QCOMPARE(Cell(t, 8, 0), QStringLiteral("9"));
    }

    void modeChangesKeepTheRows()
    {
        combo("cbb_yanchengshu")->setCurrentIndex(3);
        combo("cbb_qiangduzhi")->setCurrentIndex(0);
        QTest::mouseClick(find("cbt_kuozhanbiaoge"), Qt::LeftButton);
        combo("cbb_qiangduzhi")->setCurrentIndex(1);
        combo("cbb_chezhuxishu")->setCurrentIndex(3);
        combo("cbb_wanzhengchengdu")->setCurrentIndex(1);
        find<QCheckBox>("ckb_dixiashui")->setChecked(false);
        QCOMPARE(table()->rowCount(), 4);
        QCOMPARE(Cell(table(), 3, 0), QStringLiteral("4"));
    }

    // ------------------------------------------------------------ reduction factor

    void reductionFactor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1.2") << "1.2" << false;
        QTest::newRow("-0.1") << "-0.1" << false;
        QTest::newRow("0") << "0" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("0.85") << "0.85" << true;
    }
    void reductionFactor()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        form->ShowStatusMessage(QStringLiteral("earlier"), kMagenta);
        showCalculated();
        QComboBox* box = combo("cbe_zhuanchongkong");
        const QColor fieldColour = FieldColour(box);
        typeInto(box, text);
        QCOMPARE(box->currentText(), text);
        QCOMPARE(FieldColour(box), fieldColour);
        verifyResultsKept();  // this handler never empties the result fields
        if (accepted) {
            QCOMPARE(statusLine()->text(), QString());
            QCOMPARE(LabelColour(statusLine()), kBlack);
            QVERIFY(find("cbt_compute")->isVisible());
            QVERIFY(find("cbt_compute")->isEnabled());
            QVERIFY(!find("cbt_View")->isVisible());
        } else {
            QCOMPARE(statusLine()->text(), QStringLiteral("钻冲孔桩折减系数有错"));
            QCOMPARE(LabelColour(statusLine()), kRed);
            QVERIFY(!find("cbt_compute")->isVisible());
            QVERIFY(find("cbt_View")->isVisible());
        }
    }

    void reductionFactorThatIsNoNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "abc";
        QTest::newRow("empty") << "";
        QTest::newRow("two points") << "0.7.5";
    }
    void reductionFactorThatIsNoNumber()
    {
        QFETCH(QString, text);
        form->ShowStatusMessage(QStringLiteral("earlier"), kMagenta);
        showCalculated();
        typeInto(combo("cbe_zhuanchongkong"), text);
        QPointer<QMessageBox> box = form->findChild<QMessageBox*>(QStringLiteral("ConversionErrorBox"));
        QVERIFY(box);
        QTRY_VERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("'%1' is not a valid floating point value").arg(text));
        // Nothing else changed.
        QCOMPARE(statusLine()->text(), QStringLiteral("earlier"));
        QCOMPARE(LabelColour(statusLine()), kMagenta);
        verifyResultsKept();
        QVERIFY(find("cbt_View")->isVisible());
        box->close();
        QTRY_VERIFY(box.isNull());
    }

    // ------------------------------------------------------------ layer table

    void onlyInputColumnsCanBeEdited()
    {
        QTableWidget* t = table();
        QTest::mouseClick(find("cbt_kuozhanbiaoge"), Qt::LeftButton);  // show 8 to 18
        for (int c = 0; c < 22; ++c) {
            if (t->isColumnHidden(c)) continue;
            t->setCurrentCell(0, c);
            const bool editable = (c >= 1 && c <= 7) || c == 10 || c == 11;
            QCOMPARE(t->editTriggers() != QAbstractItemView::NoEditTriggers, editable);
        }
        showCalculated();
        for (int c : {0, 8, 9, 12}) {
            const QString before = Cell(t, 0, c);
            typeInCell(0, c, "7");
            QCOMPARE(Cell(t, 0, c), before);
        }
        verifyResultsKept();
    }

    void typedNumberKeepsTwoDecimalsAndEmptiesResults_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("lr 2.5") << 1 << "2.5" << "2.50";
        QTest::newRow("frk 30") << 5 << "30" << "30.00";
        QTest::newRow("letters filtered") << 1 << "a1b.5c" << "1.50";
        QTest::newRow("second point filtered") << 5 << "1.2.3" << "1.23";
        QTest::newRow("negative") << 5 << "-4" << "-4.00";
        QTest::newRow("rounded") << 5 << "1.004" << "1.00";
        QTest::newRow("round up") << 1 << "2.675001" << "2.68";
    }
    void typedNumberKeepsTwoDecimalsAndEmptiesResults()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        showCalculated();
        typeInCell(0, column, typed);
        QTRY_COMPARE(find<QLineEdit>("edt_Quk")->text(), QString());  // the edit has ended
        QCOMPARE(Cell(table(), 0, column), kept);
        verifyResultsCleared();
    }

    void popupListColumnOffersItsTexts()
    {
        QTableWidget* t = table();
        showCalculated();
        t->setCurrentCell(0, 3);
        t->editItem(t->item(0, 3));
        auto* editor = t->viewport()->findChild<QComboBox*>();
        QVERIFY(editor);
        QCOMPARE(Items(editor), QStringList({"完整", "较完整", "较破碎", "破碎", "极破碎"}));
        QCOMPARE(editor->currentText(), QStringLiteral("较完整"));
        editor->setCurrentIndex(3);
        emit editor->activated(3);
        QTRY_COMPARE(Cell(t, 0, 3), QStringLiteral("破碎"));
        verifyResultsCleared();

        QCOMPARE(rockpile::WeatheringItems(), QStringList({"微风化", "中风化"}));
    }

    void tabMovesBetweenVisibleCells()
    {
        QTableWidget* t = table();
        t->setFocus();
        t->setCurrentCell(0, 1);
        QTest::keyClick(t, Qt::Key_Tab);
        QCOMPARE(t->currentColumn(), 3);
        QTest::keyClick(t, Qt::Key_Tab);
        QCOMPARE(t->currentColumn(), 5);
    }

    void layerNumberColumnStaysAtTheLeft()
    {
        QHeaderView* header = table()->horizontalHeader();
        QVERIFY(header->sectionsMovable());
        header->moveSection(header->visualIndex(5), 0);  // frk in front of the number
        QCOMPARE(header->visualIndex(0), 0);
        QCOMPARE(header->logicalIndex(1), 5);
        header->moveSection(0, 3);  // the number itself dragged to the right
        QCOMPARE(header->visualIndex(0), 0);
        QCOMPARE(header->logicalIndex(1), 5);
    }

    void shareColumnIsDrawnAsABar()
    {
        QTableWidget* t = table();
        rockpile::LayerTableDelegate delegate;
        auto draw = [&](const QString& share) {
            t->setItem(0, 17, new QTableWidgetItem(share));
            QImage image(200, 24, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter painter(&image);
            QStyleOptionViewItem option;
            option.rect = image.rect();
            option.widget = t;
            option.state = QStyle::State_Enabled;
            option.palette = t->palette();
            delegate.paint(&painter, option, t->model()->index(0, 17));
            painter.end();
            return image;
        };
        const QImage half = draw(QStringLiteral("50"));
        const QImage full = draw(QStringLiteral("100"));
        const QImage none = draw(QString());
        // Left of the middle the half bar is drawn as the full one; right of it as none.
        QCOMPARE(half.pixelColor(40, 12), full.pixelColor(40, 12));
        QVERIFY(half.pixelColor(40, 12) != none.pixelColor(40, 12));
        QCOMPARE(half.pixelColor(160, 12) == full.pixelColor(160, 12), false);
    }

private:
    void setRockCase(MainForm* f, const RockCase& k, const QString& tag)
    {
        auto set = [&](const char* name, int index) {
            QComboBox* box = combo(name, f);
            if (box->currentIndex() == index) return;
            QVERIFY2(box->isEnabled(), qPrintable(tag + ": " + name));
            box->setCurrentIndex(index);
        };
        set("cbb_qiangduzhi", 1);
        set("cbb_chezhuxishu", 1);
        auto* bored = find<QCheckBox>("ckb_dixiashui", f);
        if (bored->isChecked() != k.bored) bored->setChecked(k.bored);
        set("cbb_wanzhengchengdu", k.b);
        set("cbb_chezhuxishu", k.c);
        auto* expand = find<QPushButton>("cbt_kuozhanbiaoge", f);
        if ((expand->text() == QStringLiteral("折叠")) != k.expanded) QTest::mouseClick(expand, Qt::LeftButton);
        set("cbb_qiangduzhi", k.s);
    }

    void verifyRockCase(MainForm* f, const RockCase& k, const QString& tag, const QString& clause)
    {
        auto* t = find<QTableWidget>("StringGrid_QB2", f);
        QCOMPARE(t->rowCount(), 1);
        const char* columns = ExpectedColumns(k);
        for (int c = 0; c < 22; ++c)
            QVERIFY2(t->isColumnHidden(c) == (columns[c] != 'V'),
                     qPrintable(tag + QStringLiteral(": column %1").arg(c)));
        for (const char* name : kAlwaysEnabled)
            QVERIFY2(find(name, f)->isEnabled(), qPrintable(tag + ": " + name));
        const char* enabled = ExpectedEnabled(k);
        for (std::size_t i = 0; i < std::size(kSwitchedControls); ++i)
            QVERIFY2(find(kSwitchedControls[i], f)->isEnabled() == (enabled[i] == 'E'),
                     qPrintable(tag + ": " + kSwitchedControls[i]));
        // A disabled control keeps its value.
        QCOMPARE(find<QCheckBox>("ckb_dixiashui", f)->isChecked(), k.bored);
        QCOMPARE(combo("cbb_chezhuxishu", f)->currentIndex(), k.c);
        QCOMPARE(combo("cbb_wanzhengchengdu", f)->currentIndex(), k.b);
        QCOMPARE(find<QLabel>("lb_guifan2", f)->text(), clause);
    }
};

QTEST_MAIN(TestInputPage)
#include "test_inputpage.moc"

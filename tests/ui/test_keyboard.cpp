// The input page and the About popup from the keyboard: Tab out of the layer table, tab
// order in reading order, Enter on a focused button, the shortcuts of "计算".
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "tests/support/WidgetTestSupport.h"
#include "ui/AboutPopup.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"

using rockpile::testing::Find;

namespace {

// The named control that holds the focus (an editable combo's line edit counts as the
// combo, a cell editor as its table).
QString FocusName()
{
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    return QString();
}

void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, Qt::Key(key), modifiers);
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    std::unique_ptr<MainForm> form;
    QTableWidget* table() { return Find<QTableWidget>(form.get(), "StringGrid_QB2"); }

private slots:
    void init()
    {
        form = std::make_unique<MainForm>();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() { form.reset(); }

    void tabLeavesTheLayerTable_data();
    void tabLeavesTheLayerTable();
    void tabOutOfAnOpenEditorLeavesAfterTheLastCell();
    void tabOrderFollowsReadingOrder();
    void enterPressesTheFocusedButton();
    void computeShortcuts();
    void aboutPopupTabOrder();
};

void TestKeyboard::tabLeavesTheLayerTable_data()
{
    QTest::addColumn<int>("layers");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focusAfter");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<int>("columnAfter");
    const int none = Qt::NoModifier;
    QTest::newRow("Tab after the last input cell")
        << 1 << 0 << 5 << int(Qt::Key_Tab) << none << "cbt_JingDu" << 0 << 5;
    QTest::newRow("Shift+Tab before the first input cell")
        << 1 << 0 << 1 << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << "ckb_ruanzhiyan" << 0 << 1;
    QTest::newRow("Tab within the table") << 1 << 0 << 1 << int(Qt::Key_Tab) << none << "StringGrid_QB2" << 0 << 3;
    QTest::newRow("Tab to the next row") << 3 << 0 << 5 << int(Qt::Key_Tab) << none << "StringGrid_QB2" << 1 << 1;
    QTest::newRow("Tab after the last row") << 3 << 2 << 5 << int(Qt::Key_Tab) << none << "cbt_JingDu" << 2 << 5;
    QTest::newRow("Ctrl+Tab from the middle")
        << 1 << 0 << 3 << int(Qt::Key_Tab) << int(Qt::ControlModifier) << "cbt_JingDu" << 0 << 3;
    QTest::newRow("Ctrl+Shift+Tab from the middle")
        << 1 << 0 << 3 << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier)
        << "ckb_ruanzhiyan" << 0 << 3;
}

void TestKeyboard::tabLeavesTheLayerTable()
{
    QFETCH(int, layers);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focusAfter);
    QFETCH(int, rowAfter);
    QFETCH(int, columnAfter);
    Find<QComboBox>(form.get(), "cbb_yanchengshu")->setCurrentIndex(layers - 1);
    QTableWidget* t = table();
    t->setFocus();
    t->setCurrentCell(row, column);
    Press(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(FocusName(), focusAfter);
    QCOMPARE(t->currentRow(), rowAfter);
    QCOMPARE(t->currentColumn(), columnAfter);
}

void TestKeyboard::tabOutOfAnOpenEditorLeavesAfterTheLastCell()
{
    QTableWidget* t = table();
    t->setFocus();
    t->setCurrentCell(0, 5);
    Press(Qt::Key_F2);  // edit frk
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != t);
    QTest::keyClicks(editor, QStringLiteral("31"));
    QTest::keyClick(editor, Qt::Key_Tab);
    QTRY_COMPARE(FocusName(), QStringLiteral("cbt_JingDu"));
    QTRY_COMPARE(t->item(0, 5)->text(), QStringLiteral("31.00"));

    // And Ctrl+Tab out of the editor of a middle cell.
    t->setFocus();
    t->setCurrentCell(0, 1);
    Press(Qt::Key_F2);
    editor = QApplication::focusWidget();
    QTest::keyClicks(editor, QStringLiteral("2"));
    QTest::keyClick(editor, Qt::Key_Tab, Qt::ControlModifier);
    QTRY_COMPARE(FocusName(), QStringLiteral("cbt_JingDu"));
    QTRY_COMPARE(t->item(0, 1)->text(), QStringLiteral("2.00"));
}

void TestKeyboard::tabOrderFollowsReadingOrder()
{
    // Every enabled control of the input page at start, as the page reads; the layer
    // table takes three Tabs (its input cells lr, integrity and frk).
    const QStringList reading{
        "cbt_DaKai", "cbt_BaoCun", "cbt_CopyRight", "cbb_jmlx", "cbe_dd",
        "cbb_yanchengshu", "cbb_qiangduzhi", "cbb_chezhuxishu", "cbb_wanzhengchengdu",
        "ckb_dixiashui", "cbe_zhuanchongkong", "cbt_kuozhanbiaoge", "ckb_ruanzhiyan",
        "StringGrid_QB2", "StringGrid_QB2", "StringGrid_QB2",
        "cbt_JingDu", "edt_Quk", "edt_ra", "edt_percent",
        "cbt_compute", "cbt_YouHua", "cbt_tuichu"};
    Find<QWidget>(form.get(), "cbt_DaKai")->setFocus(Qt::TabFocusReason);
    QStringList forward{FocusName()};
    for (int i = 1; i < reading.size() + 1; ++i) {
        Press(Qt::Key_Tab);
        forward << FocusName();
    }
    QCOMPARE(forward.mid(0, reading.size()), reading);
    QCOMPARE(forward.last(), QStringLiteral("cbt_DaKai"));  // round again

    // Shift+Tab walks the same way back.
    QStringList backward{FocusName()};
    for (int i = 1; i < reading.size() + 1; ++i) {
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        backward << FocusName();
    }
    QStringList reversed(reading.rbegin(), reading.rend());
    reversed.prepend(QStringLiteral("cbt_DaKai"));
    QCOMPARE(backward, reversed);
}

void TestKeyboard::enterPressesTheFocusedButton()
{
    auto* expand = Find<QPushButton>(form.get(), "cbt_kuozhanbiaoge");
    expand->setFocus();
    Press(Qt::Key_Return);
    QCOMPARE(expand->text(), QStringLiteral("折叠"));
    Press(Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(expand->text(), QStringLiteral("展开"));

    // Any round button, on any page.
    rockpile::RoundButton button(QStringLiteral("存盘"), 10, 33, nullptr);
    QSignalSpy clicks(&button, &QPushButton::clicked);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicks.size(), 2);
    QTest::keyClick(&button, Qt::Key_Return, Qt::ControlModifier);  // a shortcut, not a press
    QCOMPARE(clicks.size(), 2);
    button.setEnabled(false);
    QTest::keyClick(&button, Qt::Key_Return);
    QCOMPARE(clicks.size(), 2);

    // Enter on "计算" computes.
    auto* compute = Find<QPushButton>(form.get(), "cbt_compute");
    compute->setFocus();
    Press(Qt::Key_Return);
    QVERIFY(!Find<QLineEdit>(form.get(), "edt_ra")->text().isEmpty());
    QVERIFY(Find<QPushButton>(form.get(), "cbt_View")->isVisible());
}

void TestKeyboard::computeShortcuts()
{
    auto* compute = Find<QPushButton>(form.get(), "cbt_compute");
    QVERIFY(compute->toolTip().contains(QStringLiteral("F5")));
    QVERIFY(compute->toolTip().contains(QStringLiteral("Ctrl+Enter")));
    auto* ra = Find<QLineEdit>(form.get(), "edt_ra");
    auto* view = Find<QPushButton>(form.get(), "cbt_View");

    Find<QWidget>(form.get(), "cbb_jmlx")->setFocus();
    Press(Qt::Key_F5);
    QVERIFY(!ra->text().isEmpty());
    QVERIFY(view->isVisible());
    const QString reportAfterOne = Find<QWidget>(form.get(), "meo_jisuanjieguo_Xls")->property("plainText").toString();
    // While "结果" stands in its place the shortcut rests: no second report entry.
    Press(Qt::Key_F5);
    QCOMPARE(Find<QWidget>(form.get(), "meo_jisuanjieguo_Xls")->property("plainText").toString(), reportAfterOne);

    Find<QCheckBox>(form.get(), "ckb_ruanzhiyan")->setChecked(false);  // clears the results
    QVERIFY(ra->text().isEmpty());
    Press(Qt::Key_Return, Qt::ControlModifier);
    QVERIFY(!ra->text().isEmpty());
}

void TestKeyboard::aboutPopupTabOrder()
{
    rockpile::AboutTexts texts;
    texts.organisationAddress = QStringLiteral("https://org.example/");
    texts.webAddress = QStringLiteral("www.example.org");
    texts.mailAddress = QStringLiteral("team@example.org");
    texts.updateAddress = QStringLiteral("https://www.example.org/rockpile.zip");
    rockpile::CopyRightForm about(texts);
    QList<QUrl> opened;
    about.urlOpener = [&](const QUrl& url) { opened.append(url); };
    about.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    Find<QWidget>(&about, "lb_danwei")->setFocus(Qt::TabFocusReason);
    QStringList walked{FocusName()};
    for (int i = 0; i < 4; ++i) {
        Press(Qt::Key_Tab);
        walked << FocusName();
    }
    QCOMPARE(walked, QStringList({"lb_danwei", "lb_wangzhi", "cbt_update", "lb_lianxiUr", "lb_danwei"}));
    // A focused link opens with Enter, and looks as under the pointer.
    Press(Qt::Key_Tab);
    QVERIFY(Find<QLabel>(&about, "lb_wangzhi")->font().underline());
    Press(Qt::Key_Return);
    QCOMPARE(opened, QList<QUrl>{QUrl(QStringLiteral("http://www.example.org"))});

    // The program's own About window: no update archive, so "更新" is not offered and
    // Tab walks the two links.
    rockpile::CopyRightForm own(rockpile::ProjectAboutTexts());
    own.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&own));
    QVERIFY(!Find<QPushButton>(&own, "cbt_update")->isEnabled());
    Find<QWidget>(&own, "lb_wangzhi")->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("lb_lianxiUr"));
    Press(Qt::Key_Tab);
    QCOMPARE(FocusName(), QStringLiteral("lb_wangzhi"));
}

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"

// The window opens at the largest client area of its proportions that fits the free
// area of its screen, centred; the About popup likewise, over the window.
#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "tests/support/WidgetTestSupport.h"
#include "ui/AboutPopup.h"
#include "ui/MainForm.h"
#include "ui/ScaledPage.h"
#include "ui/WindowFit.h"

using rockpile::FitClientGeometry;
using rockpile::testing::Find;

class TestWindowFit : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void popupStaysInsideTheFreeArea();
    void laptopScreenHoldsTheWholeWindow();
    void windowFitsItsOwnScreen();
    void aboutPopupOpensOverTheWindow();
};

void TestWindowFit::rule_data()
{
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("client");
    QTest::newRow("large screen: design size, centred")
        << QMargins() << QRect(0, 0, 1920, 1040) << QRect(775, 120, 370, 800);
    QTest::newRow("laptop with task bar and title bar")
        << QMargins(1, 30, 1, 1) << QRect(0, 0, 1366, 728) << QRect(522, 30, 322, 697);
    QTest::newRow("task bar at the top")
        << QMargins() << QRect(0, 40, 1366, 728) << QRect(515, 40, 336, 728);
    QTest::newRow("second screen to the right")
        << QMargins() << QRect(1920, 0, 1366, 768) << QRect(1920 + 505, 0, 355, 768);
    QTest::newRow("small screen") << QMargins() << QRect(0, 0, 300, 400) << QRect(57, 0, 185, 400);
}

void TestWindowFit::rule()
{
    QFETCH(QMargins, frame);
    QFETCH(QRect, available);
    QFETCH(QRect, client);
    QCOMPARE(FitClientGeometry(QSize(370, 800), frame, available), client);
}

void TestWindowFit::popupStaysInsideTheFreeArea()
{
    const QRect available(0, 0, 1366, 728);
    // Centred on a point as far as the area allows.
    QCOMPARE(FitClientGeometry(QSize(260, 330), QMargins(), available, QPoint(682, 363)),
             QRect(553, 199, 260, 330));
    QCOMPARE(FitClientGeometry(QSize(260, 330), QMargins(), available, QPoint(100, 100)),
             QRect(0, 0, 260, 330));
    QCOMPARE(FitClientGeometry(QSize(260, 330), QMargins(), available, QPoint(1360, 720)),
             QRect(1106, 398, 260, 330));
}

void TestWindowFit::laptopScreenHoldsTheWholeWindow()
{
    MainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QRect available(0, 0, 1366, 728);
    form.FitInto(available);
    const QRect frame = form.frameGeometry();
    QVERIFY2(available.contains(frame), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(frame.x()).arg(frame.y())
                                                      .arg(frame.width()).arg(frame.height())));
    // The largest of its proportions: the frame fills the free height.
    QCOMPARE(frame.height(), 728);
    QVERIFY(form.width() <= 370 && form.height() <= 800);
    QVERIFY(qAbs(form.width() * 800.0 / form.height() - 370) < 1.5);
    // The pages scale with it, and the foot of the input page is inside the window.
    auto* page = Find<rockpile::ScaledPage>(&form, "MainFormLayer");
    QVERIFY(qAbs(page->scale() - form.height() / 800.0) < 0.01);
    for (const char* name : {"cbt_tuichu", "cbt_compute", "img_logo", "lb_shuoming"}) {
        auto* control = Find<QWidget>(&form, name);
        const QRect place(control->mapTo(&form, QPoint()), control->size());
        QVERIFY2(form.rect().contains(place), name);
    }
    // Centred across the free width.
    QVERIFY(qAbs(frame.left() - (1366 - frame.right() - 1)) <= 1);
}

void TestWindowFit::windowFitsItsOwnScreen()
{
    // Whatever the screen of the test run (800 x 600 by default offscreen).
    MainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.FitToScreen();
    const QRect available = form.screen()->availableGeometry();
    QVERIFY(available.contains(form.frameGeometry()));
    QVERIFY(form.frameGeometry().height() == available.height() ||
            form.frameGeometry().width() == available.width() || form.size() == QSize(370, 800));
}

void TestWindowFit::aboutPopupOpensOverTheWindow()
{
    MainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.FitToScreen();
    Find<QPushButton>(&form, "cbt_CopyRight")->click();
    QWidget* about = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<rockpile::CopyRightForm*>(widget)) about = widget;
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about));
    const QRect available = form.screen()->availableGeometry();
    QVERIFY(available.contains(about->frameGeometry()));
    QVERIFY(about->width() <= 260 && about->height() <= 330);
    const QPoint offset = about->frameGeometry().center() - form.frameGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    about->close();
}

QTEST_MAIN(TestWindowFit)
#include "test_windowfit.moc"

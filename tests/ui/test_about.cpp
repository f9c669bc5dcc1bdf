// The About popup: its window, controls, pointer styles of the links, what the clicks
// would open, and closing on a click outside it.

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/support/WidgetTestSupport.h"
#include "ui/AboutPopup.h"
#include "ui/Controls.h"
#include "ui/MainForm.h"

using rockpile::AboutTexts;
using rockpile::CopyRightForm;

namespace {

const QColor kBlue = QColor::fromRgba(0xFF0000FFu);
const QColor kRed = QColor::fromRgba(0xFFFF0000u);
const QColor kBlack = QColor::fromRgba(0xFF000000u);

QLabel* Label(const QWidget& form, const char* name) { return rockpile::testing::Find<QLabel>(&form, name); }

void MovePointerOver(QWidget* widget)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

void MovePointerAway(QWidget* widget)
{
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

AboutTexts WithAddresses()
{
    AboutTexts texts;
    texts.organisationAddress = QStringLiteral("https://org.example/");
    texts.webAddress = QStringLiteral("https://www.example.org/");
    texts.mailAddress = QStringLiteral("team@example.org");
    texts.updateAddress = QStringLiteral("https://www.example.org/rockpile.zip");
    return texts;
}

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void windowAndControls();
    void backgroundGradient();
    void linkStylesFollowThePointer_data();
    void linkStylesFollowThePointer();
    void organisationLineShowsAddressWhileHovered();
    void organisationLineWithoutAddressKeepsItsName();
    void hoverKeepsOtherFontParts();
    void clicksOpenTheirAddresses();
    void inactiveLinksOpenNothing();
    void clickOutsideCloses();
    void copyrightButtonKeepsOneWindow();
    void opensWithNoLinkHighlighted();
};

void TestAbout::windowAndControls()
{
    CopyRightForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("关于"));
    QVERIFY(form.windowFlags().testFlag(Qt::Popup));
    QCOMPARE(form.size(), QSize(260, 330));
    QVERIFY(!form.testAttribute(Qt::WA_DeleteOnClose));

    // The places and texts of the controls are checked with those of the main window's
    // pages, in one table (test_mainwindow).
    QVERIFY(form.findChild<QPushButton*>(QStringLiteral("cbt_update")));

    QLabel* title = Label(form, "lb_mokuaiming");
    QVERIFY(title->font().bold());
    QCOMPARE(title->font().pixelSize(), 18);
    QCOMPARE(rockpile::TextColour(title), kBlue);
    QVERIFY(title->alignment().testFlag(Qt::AlignHCenter));
    QCOMPARE(Label(form, "lb_chanpin")->font().pixelSize(), 14);
    QCOMPARE(Label(form, "lb_danwei")->font().pixelSize(), 10);
    QCOMPARE(rockpile::TextColour(Label(form, "lb_danwei")), kBlack);
    QCOMPARE(rockpile::TextColour(Label(form, "lb_wangzhi")), kBlue);
    QCOMPARE(rockpile::TextColour(Label(form, "lb_lianxiUr")), kBlue);
    QCOMPARE(Label(form, "ImageQQ")->pixmap().isNull(), true);
}

void TestAbout::backgroundGradient()
{
    CopyRightForm form;
    const QImage image = form.grab().toImage();
    // Salmon at the top edge, pale pink from 0.52 of the height down.
    const QColor top = image.pixelColor(2, 0);
    QVERIFY2(qAbs(top.red() - 0xF4) <= 2 && qAbs(top.green() - 0x8D) <= 3
                 && qAbs(top.blue() - 0x72) <= 3,
             qPrintable(top.name()));
    for (int y : {int(330 * 0.53), 329}) {
        QCOMPARE(image.pixelColor(2, y), QColor::fromRgba(0xFFFEE9E9u));
    }
    const QColor middle = image.pixelColor(2, 330 / 4);
    QVERIFY(middle.green() > 0x8D && middle.green() < 0xE9);
}

void TestAbout::linkStylesFollowThePointer_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("web address") << QStringLiteral("lb_wangzhi");
    QTest::newRow("mail address") << QStringLiteral("lb_lianxiUr");
}

void TestAbout::linkStylesFollowThePointer()
{
    QFETCH(QString, name);
    CopyRightForm form(WithAddresses());
    auto* label = form.findChild<QLabel*>(name);
    QVERIFY(label);
    const QString text = label->text();

    for (int pass = 0; pass < 2; ++pass) {  // the handlers set the same values each time
        MovePointerOver(label);
        MovePointerOver(label);
        QVERIFY(label->font().bold());
        QVERIFY(label->font().underline());
        QCOMPARE(rockpile::TextColour(label), kRed);
        QCOMPARE(label->text(), text);

        MovePointerAway(label);
        QVERIFY(!label->font().bold());
        QVERIFY(!label->font().underline());
        QCOMPARE(rockpile::TextColour(label), kBlue);
        QCOMPARE(label->text(), text);
    }
    QCOMPARE(label->cursor().shape(), Qt::ArrowCursor);
}

void TestAbout::organisationLineShowsAddressWhileHovered()
{
    CopyRightForm form(WithAddresses());
    QLabel* label = Label(form, "lb_danwei");
    QCOMPARE(label->text(), QStringLiteral("（嵌岩桩计算开发组）"));

    MovePointerOver(label);
    QCOMPARE(label->text(), QStringLiteral("https://org.example/"));
    QVERIFY(label->font().bold());
    QVERIFY(label->font().underline());
    QCOMPARE(rockpile::TextColour(label), kRed);

    MovePointerAway(label);
    // Back with ASCII parentheses, not the full-width ones of the start.
    QCOMPARE(label->text(), QStringLiteral("(嵌岩桩计算开发组)"));
    QVERIFY(!label->font().bold());
    QVERIFY(!label->font().underline());
    QCOMPARE(rockpile::TextColour(label), kBlack);
}

void TestAbout::organisationLineWithoutAddressKeepsItsName()
{
    CopyRightForm form;
    QLabel* label = Label(form, "lb_danwei");
    MovePointerOver(label);
    QCOMPARE(label->text(), QStringLiteral("(嵌岩桩计算开发组)"));
    QVERIFY(label->font().bold() && label->font().underline());
    QCOMPARE(rockpile::TextColour(label), kRed);
    MovePointerAway(label);
    QCOMPARE(label->text(), QStringLiteral("(嵌岩桩计算开发组)"));
    QCOMPARE(rockpile::TextColour(label), kBlack);
}

void TestAbout::hoverKeepsOtherFontParts()
{
    CopyRightForm form(WithAddresses());
    QLabel* label = Label(form, "lb_wangzhi");
    QFont before = label->font();
    before.setItalic(true);
    label->setFont(before);
    MovePointerOver(label);
    QVERIFY(label->font().italic());
    QCOMPARE(label->font().pixelSize(), before.pixelSize());
    QCOMPARE(label->font().family(), before.family());
    MovePointerAway(label);
    QCOMPARE(label->font(), before);
}

void TestAbout::clicksOpenTheirAddresses()
{
    CopyRightForm form(WithAddresses());
    QList<QUrl> opened;
    form.urlOpener = [&](const QUrl& url) { opened.append(url); };
    form.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(Label(form, "lb_danwei"), Qt::LeftButton);
    QTest::mouseClick(Label(form, "lb_wangzhi"), Qt::LeftButton);
    QTest::mouseClick(Label(form, "lb_lianxiUr"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("cbt_update")), Qt::LeftButton);
    // Labels that are not links do nothing.
    QTest::mouseClick(Label(form, "lb_mokuaiming"), Qt::LeftButton);
    QTest::mouseClick(Label(form, "lB_copyright"), Qt::LeftButton);

    const QList<QUrl> expected{QUrl("https://org.example/"), QUrl("https://www.example.org/"),
                               QUrl("mailto:team@example.org"),
                               QUrl("https://www.example.org/rockpile.zip")};
    QCOMPARE(opened, expected);
    QVERIFY(form.isVisible());  // the window stays open
}

void TestAbout::inactiveLinksOpenNothing()
{
    CopyRightForm form;
    int opened = 0;
    form.urlOpener = [&](const QUrl&) { ++opened; };
    form.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    for (const char* name : {"lb_danwei", "lb_wangzhi", "lb_lianxiUr"})
        QTest::mouseClick(Label(form, name), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("cbt_update")), Qt::LeftButton);
    QCOMPARE(opened, 0);
    QVERIFY(form.isVisible());
}

void TestAbout::clickOutsideCloses()
{
    QWidget main;
    main.resize(370, 800);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    CopyRightForm form;
    form.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(QApplication::activePopupWidget(), &form);

    // A press anywhere outside the popup closes (hides) it.
    const QPoint outside = form.mapFromGlobal(form.frameGeometry().topLeft() - QPoint(20, 20));
    QTest::mouseClick(&form, Qt::LeftButton, Qt::NoModifier, outside);
    QTRY_VERIFY(!form.isVisible());

    // It shows again, with its labels as they were left.
    QLabel* label = Label(form, "lb_danwei");
    MovePointerOver(label);
    MovePointerAway(label);
    form.ShowCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(label->text(), QStringLiteral("(嵌岩桩计算开发组)"));
}

void TestAbout::copyrightButtonKeepsOneWindow()
{
    const auto aboutWindows = [] {
        QList<QWidget*> found;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<CopyRightForm*>(widget)) found.append(widget);
        return found;
    };
    QVERIFY(aboutWindows().isEmpty());
    {
        MainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* button = form.findChild<QPushButton*>(QStringLiteral("cbt_CopyRight"));
        QCOMPARE(button->toolTip(), QStringLiteral("版权信息"));
        // Not created before the first press.
        QVERIFY(aboutWindows().isEmpty());

        button->click();
        QCOMPARE(aboutWindows().size(), 1);
        QWidget* about = aboutWindows().first();
        QVERIFY(about->isVisible());
        QVERIFY(!about->parentWidget());  // no owner
        QVERIFY(QTest::qWaitForWindowExposed(about));

        // A press on the main window closes it; it is kept, hidden.
        QTest::mouseClick(about, Qt::LeftButton, Qt::NoModifier,
                          about->mapFromGlobal(form.mapToGlobal(QPoint(10, 400))));
        QTRY_VERIFY(!about->isVisible());
        QCOMPARE(aboutWindows(), QList<QWidget*>{about});

        button->click();
        button->click();
        QCOMPARE(aboutWindows(), QList<QWidget*>{about});
        QVERIFY(about->isVisible());
        about->close();
    }
    // It goes with the main window.
    QVERIFY(aboutWindows().isEmpty());
}

void TestAbout::opensWithNoLinkHighlighted()
{
    CopyRightForm form(rockpile::ProjectAboutTexts());
    QLabel* web = Label(form, "lb_wangzhi");
    QLabel* mail = Label(form, "lb_lianxiUr");
    for (int opening = 0; opening < 2; ++opening) {
        form.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(QApplication::activePopupWidget(), &form);
        // The popup holds the focus; both links look at rest.
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(&form));
        for (QLabel* link : {web, mail}) {
            QVERIFY(!link->font().bold());
            QVERIFY(!link->font().underline());
            QCOMPARE(rockpile::TextColour(link), kBlue);
        }
        // Tab reaches the links in reading order, and the focused one is highlighted.
        QTest::keyClick(&form, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(web));
        QVERIFY(web->font().bold());
        QCOMPARE(rockpile::TextColour(web), kRed);
        QTest::keyClick(web, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(mail));
        QVERIFY(!web->font().bold());
        // Closed with a link focused, the popup opens again at rest.
        form.hide();
        QTRY_VERIFY(!form.isVisible());
    }
}

QTEST_MAIN(TestAbout)
#include "test_about.moc"

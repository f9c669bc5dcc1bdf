// Texts that must be legible: disabled controls keep a contrast of at least 3:1 to
// what they are drawn on (measured on grabbed images of the window), "更新" is drawn
// whole, and the About rows show the program's own addresses in full.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>
#include <cmath>
#include <memory>

#include "tests/support/WidgetTestSupport.h"
#include "ui/AboutPopup.h"
#include "ui/MainForm.h"

using rockpile::testing::Find;

namespace {

double Luminance(const QColor& colour)
{
    const auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text in `image` to its background: the background is the most
// frequent colour, the text the pixel that stands out from it most (the core of a
// stroke, drawn in the full text colour).
double TextContrast(const QImage& image, QColor* background = nullptr, QColor* text = nullptr)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    QRgb mode = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) most = it.value(), mode = it.key();
    double best = 1.0;
    QColor strongest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        const double c = Contrast(QColor(mode), QColor(it.key()));
        if (c > best) best = c, strongest = QColor(it.key());
    }
    if (background) *background = QColor(mode);
    if (text) *text = strongest;
    return best;
}

// Where the control draws its text, in window coordinates.
QRect TextArea(QWidget* window, QWidget* control)
{
    QRect area = control->rect();
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        area = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    } else if (qobject_cast<QComboBox*>(control)) {
        area.setWidth(area.width() * 2 / 3);  // clear of the arrow
        area.adjust(3, 3, 0, -3);             // clear of the frame
    } else if (qobject_cast<QPushButton*>(control)) {
        area.adjust(2, 2, -2, -2);
    }
    return QRect(control->mapTo(window, area.topLeft()), area.size());
}

void VerifyDisabledLegible(QWidget* window, const QStringList& names)
{
    const QImage shot = window->grab().toImage();
    for (const QString& name : names) {
        auto* control = window->findChild<QWidget*>(name);
        QVERIFY2(control, qPrintable(name));
        QVERIFY2(!control->isEnabled(), qPrintable(name + " should be disabled here"));
        QColor background, text;
        const double contrast = TextContrast(shot.copy(TextArea(window, control)), &background, &text);
        QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1: %2 on %3, %4:1")
                                                 .arg(name, text.name(), background.name())
                                                 .arg(contrast, 0, 'f', 2)));
    }
}

}  // namespace

class TestLegibility : public QObject {
    Q_OBJECT
private slots:
    void disabledControlsOfTheInputPage();
    void disabledButtons();
    void updateButtonShowsItsWholeText();
    void aboutRowsShowTheProjectAddresses();
};

void TestLegibility::disabledControlsOfTheInputPage()
{
    MainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    VerifyDisabledLegible(&form, {"lb_tyzd", "cbe_tyzd"});

    // Manual coefficients disable the interpolation controls.
    Find<QComboBox>(&form, "cbb_chezhuxishu")->setCurrentIndex(0);
    VerifyDisabledLegible(&form, {"lb_wanzhengchengdu", "cbb_wanzhengchengdu", "ckb_dixiashui",
                                  "lb_zhuanchongkong", "cbe_zhuanchongkong", "ckb_ruanzhiyan"});
    // Given resistances disable the coefficient mode as well.
    Find<QComboBox>(&form, "cbb_qiangduzhi")->setCurrentIndex(0);
    VerifyDisabledLegible(&form, {"lb_chezhuxishu", "cbb_chezhuxishu"});
}

void TestLegibility::disabledButtons()
{
    MainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Find<QWidget>(&form, "MainFormLayer")->hide();
    Find<QWidget>(&form, "JieGuo_DocLayer")->show();
    VerifyDisabledLegible(&form, {"cbt_sanchu"});

    rockpile::CopyRightForm about(rockpile::ProjectAboutTexts());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    VerifyDisabledLegible(&about, {"cbt_update"});
}

void TestLegibility::updateButtonShowsItsWholeText()
{
    rockpile::AboutTexts texts;
    texts.updateAddress = QStringLiteral("https://www.example.org/rockpile.zip");
    rockpile::CopyRightForm about(texts);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* update = Find<QPushButton>(&about, "cbt_update");
    QCOMPARE(update->size(), QSize(20, 40));
    // The ink of the text inside the frame: two characters, one above the other, clear of
    // the sides (a cut text runs into the sides or shows one character only).
    const QImage image = update->grab().toImage().copy(update->rect().adjusted(1, 1, -1, -1));
    QColor face;
    TextContrast(image, &face);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Contrast(QColor(image.pixel(x, y)), face) >= 3.0) ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    QVERIFY2(ink.left() >= 1 && ink.right() <= image.width() - 2,
             qPrintable(QStringLiteral("ink x %1..%2 of %3").arg(ink.left()).arg(ink.right()).arg(image.width())));
    QVERIFY2(ink.height() >= 2 * ink.width() * 3 / 4 && ink.height() > update->font().pixelSize() * 3 / 2,
             qPrintable(QStringLiteral("ink %1 x %2").arg(ink.width()).arg(ink.height())));
}

void TestLegibility::aboutRowsShowTheProjectAddresses()
{
    rockpile::CopyRightForm about(rockpile::ProjectAboutTexts());
    for (const char* name : {"lb_wangzhi", "lb_lianxiUr"}) {
        auto* label = Find<QLabel>(&about, name);
        QVERIFY2(label->text().endsWith(QStringLiteral("example.org")), name);
        QFont font = label->font();
        for (bool hovered : {false, true}) {  // the pointer makes it bold
            font.setBold(hovered);
            QVERIFY2(QFontMetrics(font).horizontalAdvance(label->text()) <= label->width(), name);
        }
    }
}

QTEST_MAIN(TestLegibility)
#include "test_legibility.moc"

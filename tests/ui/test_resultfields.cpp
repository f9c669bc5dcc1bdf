// The result fields of the input page show their whole figure: long figures are drawn
// smaller, never cut at the left, in the fonts a Chinese or a C locale brings, at the
// design size and scaled down with the window.
#include <QApplication>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtTest>
#include <cmath>
#include <memory>

#include "tests/support/WidgetTestSupport.h"
#include "ui/MainForm.h"

using rockpile::testing::Find;

namespace {

// The width a line edit gives its text: the contents rectangle of its frame less the
// text margins and the two pixels it keeps free on each side.
int TextRoom(QLineEdit* field)
{
    QStyleOptionFrame option;
    option.initFrom(field);
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field) : 0;
    option.features = field->hasFrame() ? QStyleOptionFrame::None : QStyleOptionFrame::Flat;
    const QRect contents = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins margins = field->textMargins();
    return contents.width() - margins.left() - margins.right() - 4;
}

bool WholeTextFits(QLineEdit* field)
{
    const double width = QFontMetricsF(field->font()).horizontalAdvance(field->text());
    return std::ceil(width) + 1 <= TextRoom(field);
}

}  // namespace

class TestResultFields : public QObject {
    Q_OBJECT
private slots:
    void longFiguresFitTheirField_data();
    void longFiguresFitTheirField();
    void shortFiguresKeepTheNominalSize();
};

void TestResultFields::longFiguresFitTheirField_data()
{
    QTest::addColumn<QString>("family");   // empty: the font the locale brings
    QTest::addColumn<double>("windowScale");
    QTest::newRow("locale font, design size") << QString() << 1.0;
    QTest::newRow("locale font, scaled 0.75") << QString() << 0.75;
    QTest::newRow("Chinese font") << QStringLiteral("WenQuanYi Zen Hei") << 1.0;
    QTest::newRow("Chinese font, scaled 0.91") << QStringLiteral("WenQuanYi Zen Hei") << 0.91;
    QTest::newRow("C locale font") << QStringLiteral("DejaVu Sans") << 1.0;
    QTest::newRow("C locale font, scaled 0.91") << QStringLiteral("DejaVu Sans") << 0.91;
}

void TestResultFields::longFiguresFitTheirField()
{
    QFETCH(QString, family);
    QFETCH(double, windowScale);
    const QFont before = QApplication::font();
    if (!family.isEmpty()) QApplication::setFont(QFont(family));
    {
        auto form = std::make_unique<MainForm>();
        form->setFixedSize(int(370 * windowScale), int(800 * windowScale));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        qInfo("font %s", qPrintable(QFontInfo(Find<QLineEdit>(form.get(), "edt_ra")->font()).family()));

        for (const char* name : {"edt_Quk", "edt_ra", "edt_percent"}) {
            auto* field = Find<QLineEdit>(form.get(), name);
            const QRect place = field->geometry();
            for (const QString& text : {QStringLiteral("92377.69"), QStringLiteral("1234567.89"),
                                        QStringLiteral("100.00%"), QStringLiteral("178128.30")}) {
                field->setText(text);
                QVERIFY2(WholeTextFits(field),
                         qPrintable(QStringLiteral("%1 \"%2\" at %3 px in %4 px")
                                        .arg(name, text)
                                        .arg(field->font().pixelSize())
                                        .arg(TextRoom(field))));
                QCOMPARE(field->text(), text);
                QCOMPARE(field->toolTip(), text);
                QVERIFY(field->font().bold());
                QVERIFY(field->font().pixelSize() <= std::lround(18 * windowScale));
                QCOMPARE(field->geometry(), place);  // the field keeps its place and size
            }
            field->clear();
            QCOMPARE(field->toolTip(), QString());
        }
    }
    QApplication::setFont(before);
}

void TestResultFields::shortFiguresKeepTheNominalSize()
{
    MainForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* field = Find<QLineEdit>(&form, "edt_ra");
    field->setText(QStringLiteral("1234567.89"));
    QVERIFY(field->font().pixelSize() < 18);
    // A short figure after a long one is drawn at full size again.
    field->setText(QStringLiteral("7452"));
    QCOMPARE(field->font().pixelSize(), 18);
    // The size follows the window's scale.
    form.setFixedSize(185, 400);
    QCOMPARE(field->font().pixelSize(), 9);
    field->setText(QStringLiteral("1234567.89"));
    QVERIFY(WholeTextFits(field));
    form.setFixedSize(370, 800);
    field->setText(QStringLiteral("7452"));
    QCOMPARE(field->font().pixelSize(), 18);
}

QTEST_MAIN(TestResultFields)
#include "test_resultfields.moc"

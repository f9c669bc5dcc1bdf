#include "tests/support/WidgetTestSupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTableWidget>
#include <QTest>

namespace rockpile::testing {

QString MissingReportFont()
{
    for (const char* family : {"SimHei", "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC"})
        if (QFontDatabase::hasFamily(QString::fromLatin1(family))) return {};
    return QStringLiteral(
        "no CJK monospace font for the report views: install the Debian package fonts-wqy-zenhei "
        "(WenQuanYi Zen Hei Mono)");
}

void TypeInCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->setFocus();
    table->setCurrentCell(row, column);
    QTest::keyClick(table, text.at(0).toLatin1());
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor);
    if (editor != table) QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

}  // namespace rockpile::testing

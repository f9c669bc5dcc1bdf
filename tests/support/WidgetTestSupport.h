#pragma once
// Helpers shared by the widget tests.

#include <QObject>
#include <QString>
#include <QtGlobal>

class QTableWidget;

namespace rockpile::testing {

// The control named `name` under `root`; a missing control ends the test run, since
// every later step would only fail confusingly.
template <typename W = QWidget>
W* Find(const QObject* root, const char* name)
{
    auto* widget = root->findChild<W*>(QString::fromLatin1(name));
    if (!widget) qFatal("control %s not found", name);
    return widget;
}

// Types `text` into a cell of `table` as a user does: the cell is selected, its first
// key starts the editor, the rest is typed there and Enter ends the edit. The edit is
// committed by a queued call: wait for its effect with QTRY_COMPARE. A read-only cell
// takes no editor and the keys go to the table. Needs the window active.
void TypeInCell(QTableWidget* table, int row, int column, const QString& text);

// Empty when a CJK font that lines up the report columns is installed; otherwise the
// message that names the package providing it.
QString MissingReportFont();

}  // namespace rockpile::testing

#pragma once
// Helpers shared by the widget tests.

#include <QObject>
#include <QString>
#include <QtGlobal>

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

// Empty when a CJK font that lines up the report columns is installed; otherwise the
// message that names the package providing it.
QString MissingReportFont();

}  // namespace rockpile::testing

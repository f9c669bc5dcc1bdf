// Start-up: the application, the portrait restriction, the main window, the event loop.
// `rockpile FILE` opens the input file FILE on the input page.
#include <QApplication>

#include "ui/MainForm.h"
#include "ui/Platform.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    rockpile::RestrictToPortrait();
    MainForm form;
    form.show();
    form.FitToScreen();
    form.activateWindow();
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) form.OpenInputFile(arguments.at(1));
    return app.exec();
}

// Start-up: the application, the portrait restriction, the main window, the event loop.
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
    return app.exec();
}

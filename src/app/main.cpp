// The program: one QApplication, one run of the application object.
#include "app/TovikEliteAppApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // The run ends when the main window closes; there is no other main loop.
    QApplication::setQuitOnLastWindowClosed(false);
    CTovikEliteAppApp app;
    return app.Run();
}

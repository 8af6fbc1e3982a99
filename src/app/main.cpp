#include "app/TellwickApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    CTellwickApp app;
    if (!app.InitInstance())
        return app.ExitCode();
    return app.ExitInstance(QApplication::exec());
}

#include "app/TellwickApp.h"
#include "extlib/orvosched/TaskDialog.h"
#include "platform/Logging.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    qSetMessagePattern(QString::fromLatin1(kLogMessagePattern));
    QApplication application(argc, argv);
    // The task model lives below the widgets; its Properties dialog is plugged in here.
    CTaskDialog::Install();
    CTellwickApp app;
    if (!app.InitInstance())
        return app.ExitCode();
    return app.ExitInstance(QApplication::exec());
}

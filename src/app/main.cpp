#include "about/ProgramVersion.h"
#include "app/StallWatchdog.h"
#include "app/TellwickApp.h"
#include "extlib/orvosched/TaskDialog.h"
#include "platform/Logging.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    // Answered before a display is opened, so that it works without a desktop.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Tellwick %s\n", ProgramVersionText());
            return 0;
        }
    }
    qSetMessagePattern(QString::fromLatin1(kLogMessagePattern));
    QApplication application(argc, argv);
    // The task model lives below the widgets; its Properties dialog is plugged in here.
    CTaskDialog::Install();
    // The flood benchmark asks how long the window went without answering.
    std::unique_ptr<CStallWatchdog> pWatchdog;
    if (qEnvironmentVariableIsSet(CStallWatchdog::kReportVariable))
        pWatchdog = std::make_unique<CStallWatchdog>(qEnvironmentVariable(CStallWatchdog::kReportVariable));
    CTellwickApp app;
    if (!app.InitInstance())
        return app.ExitCode();
    return app.ExitInstance(QApplication::exec());
}

#include "about/ProgramVersion.h"
#include "app/CommandLine.h"
#include "app/StallWatchdog.h"
#include "app/TellwickApp.h"
#include "app/Translation.h"
#include "extlib/orvosched/TaskDialog.h"
#include "platform/app/Logging.h"
#include "platform/desktop/DialogPlacement.h"
#include "platform/netbios/PrivilegedPorts.h"
#include "settings/ProgramValue.h"

#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// Where Qt finds a display, or a platform that needs none, when the command line names neither.
bool DisplayInEnvironment()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[])
{
    // Read before a display is opened, so that --help, --version and a wrong option are
    // answered without a desktop.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CCommandLine commandLine(arguments, QString::fromLatin1(ProgramVersionText()), DisplayInEnvironment());
    if (!commandLine.ShouldRun()) {
        // Told in the user's language, which needs an application object to be looked up.
        QCoreApplication textApplication(argc, argv);
        CTranslation translation;
        translation.InstallForDesktop();
        const CCommandLine told(arguments, QString::fromLatin1(ProgramVersionText()),
                                DisplayInEnvironment());
        std::fputs(told.Output().toLocal8Bit().constData(), stdout);
        std::fputs(told.Errors().toLocal8Bit().constData(), stderr);
        return told.ExitStatus();
    }
    qSetMessagePattern(QString::fromLatin1(kLogMessagePattern));
    // The application object loads plugins the environment names: a capability given to bind
    // NetBIOS's ports is used for that alone, before, and then given up.
    if (CPrivilegedPorts::CapabilitiesHeld()) {
        SelectStoredMailslotTransport();
        CPrivilegedPorts::BindInboxPorts();
        QString strError;
        if (!CPrivilegedPorts::DropCapabilities(strError))
            qCWarning(lcApp).noquote() << "cannot give up the program's capabilities:" << strError;
    }
    // X11 shells find the window's desktop entry by its WM_CLASS, whose instance Qt takes from
    // -name; its class stays the application's name, which screen readers say.
    std::string strNameOption("-name"), strInstanceName(CTellwickApp::kApplicationId);
    std::vector<char*> qtArguments(argv, argv + argc);
    qtArguments.insert(qtArguments.begin() + std::min(argc, 1),
                       {strNameOption.data(), strInstanceName.data()});
    int nQtArguments = int(qtArguments.size());
    qtArguments.push_back(nullptr);
    QApplication application(nQtArguments, qtArguments.data());
    CTranslation translation;
    translation.InstallForDesktop();
    // The task model lives below the widgets; its Properties dialog is plugged in here.
    CTaskDialog::Install();
    CDialogPlacement::Install();
    // The flood benchmark asks how long the window went without answering.
    std::unique_ptr<CStallWatchdog> pWatchdog;
    if (qEnvironmentVariableIsSet(CStallWatchdog::kReportVariable))
        pWatchdog = std::make_unique<CStallWatchdog>(qEnvironmentVariable(CStallWatchdog::kReportVariable));
    CTellwickApp app;
    const bool bRunning = app.InitInstance();
    CPrivilegedPorts::CloseUntaken();
    if (!bRunning)
        return app.ExitCode();
    return QApplication::exec();
}

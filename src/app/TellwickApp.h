#pragma once

#include "app/SingleInstanceApp.h"

#include <QUrl>

#include <memory>

class CMainFrame;
class CServiceAnnouncer;
class CTerminationSignals;

// The application object: starts the program as the only copy with its main frame, and takes
// the About, Help and Exit commands.
class CTellwickApp : public CSingleInstanceApp
{
    Q_OBJECT

public:
    // The application id, which names the desktop entry, the icon and the metainfo.
    static constexpr char kApplicationId[] = "org.orvosoft.Tellwick";

    CTellwickApp();
    ~CTellwickApp() override;

    // Starts the program; false ends it at once, with ExitCode() as its status.
    bool InitInstance();
    // 0 when another copy runs (it has been raised), 1 when the start failed.
    int ExitCode() const { return FoundOtherInstance() ? 0 : 1; }

    void OnAppAbout();
    void OnHelpFinder();
    void OnHelpUsing();
    void OnAppExit();
    // SIGTERM, SIGINT or SIGHUP: ends whatever dialog or menu is open, then exits as File Exit.
    void OnTerminate();

    // The help page shipped with the program: beside the executable, else in the program's data
    // folder of the prefix it is installed in (not the documentation folder, which systems may
    // leave out).
    static QUrl HelpFileUrl();

private:
    // Lets the find dialogs of other computers list this copy while its inbox is open.
    void AnnounceInbox(const CMainFrame& frame);

    std::unique_ptr<CTerminationSignals> m_pTerminationSignals;
    std::unique_ptr<CServiceAnnouncer> m_pAnnouncer;
};

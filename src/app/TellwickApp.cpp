#include "app/TellwickApp.h"

#include "about/AboutDlg.h"
#include "app/MainFrame.h"
#include "messaging/MessageView.h"
#include "platform/discovery/ServiceAnnouncer.h"
#include "platform/mailslot/ComputerName.h"
#include "platform/mailslot/MailslotAddress.h"
#include "platform/process/TerminationSignals.h"
#include "resources/ResIcon.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/ProgramValue.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

namespace {

constexpr char kHelpFileName[] = "Tellwick.html";
// How soon a termination looks again whether the dialogs it ended have returned.
constexpr int kTerminateRetryMs = 10;

} // namespace

CTellwickApp::CTellwickApp()
{
    MapCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    MapCommand(ID_HELP_TOPICS, [this] { OnHelpFinder(); });
    MapCommand(ID_HELP_SEARCH, [this] { OnHelpFinder(); });
    MapCommand(ID_HELP_USING_HELP, [this] { OnHelpUsing(); });
    MapCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CTellwickApp::~CTellwickApp()
{
    delete m_pMainWnd;
}

bool CTellwickApp::InitInstance()
{
    if (!InitSingleInstance(IDI_MAINFRAME))
        return false;
    // Datagram sockets need no start-up here, and the settings' root is fixed by the store.
    QCoreApplication::setOrganizationName(QString::fromLatin1(kCompanyName));
    SelectStoredMailslotTransport();
    // The installed desktop entry's name: Wayland desktops take the window's icon from it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // The frame hidden in the tray is still the program: closing a dialog must not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    auto* pFrame = new CMainFrame(this);
    if (!pFrame->Create()) {
        delete pFrame;
        return false;
    }
    m_pMainWnd = pFrame;
    pFrame->setAttribute(Qt::WA_DeleteOnClose);
    connect(pFrame, &QObject::destroyed, qApp, &QCoreApplication::quit);
    QApplication::setWindowIcon(LoadResIcon(IDI_MAINFRAME));

    m_pTerminationSignals = std::make_unique<CTerminationSignals>();
    connect(m_pTerminationSignals.get(), &CTerminationSignals::Terminate, this,
            &CTellwickApp::OnTerminate);

    AnnounceInbox(*pFrame);
    pFrame->RestorePlacement(SW_SHOW);
    return true;
}

void CTellwickApp::AnnounceInbox(const CMainFrame& frame)
{
    const auto* pView = qobject_cast<CMessageView*>(frame.GetView());
    const QString strName = QString::fromLocal8Bit(GetComputerName());
    // A copy that does not receive, or has no name, would only mislead the others.
    if (!pView || !pView->IsReceiving() || strName.isEmpty())
        return;
    m_pAnnouncer = CreateServiceAnnouncer();
    m_pAnnouncer->Announce(strName, MailslotPort());
}

void CTellwickApp::OnAppAbout()
{
    // Over the frame while it is shown; from the tray menu of a hidden frame it stands alone.
    ShowAboutBox(m_pMainWnd && m_pMainWnd->isVisible() ? m_pMainWnd.data() : nullptr);
}

void CTellwickApp::OnTerminate()
{
    // An open dialog or menu runs a loop of its own, with the command that opened it on the
    // stack below: it is ended first, and the frame closes once those have returned.
    QWidget* pInner = QApplication::activePopupWidget();
    if (!pInner)
        pInner = QApplication::activeModalWidget();
    if (pInner || QThread::currentThread()->loopLevel() > 1) {
        if (auto* pDialog = qobject_cast<QDialog*>(pInner))
            pDialog->reject();
        else if (pInner)
            pInner->close();
        QTimer::singleShot(kTerminateRetryMs, this, &CTellwickApp::OnTerminate);
        return;
    }
    OnAppExit();
}

void CTellwickApp::OnHelpFinder()
{
    QDesktopServices::openUrl(HelpFileUrl());
}

void CTellwickApp::OnHelpUsing()
{
    QUrl url = HelpFileUrl();
    url.setFragment(QStringLiteral("using-help"));
    QDesktopServices::openUrl(url);
}

void CTellwickApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->close();
    else
        QCoreApplication::quit();
}

QUrl CTellwickApp::HelpFileUrl()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString strBeside = programDir.filePath(QLatin1String(kHelpFileName));
    const QString strInstalled = programDir.filePath(QLatin1String(TELLWICK_DATA_FROM_BIN "/") +
                                                     QLatin1String(kHelpFileName));
    const QString strPath = QFileInfo::exists(strBeside) ? strBeside : QDir::cleanPath(strInstalled);
    return QUrl::fromLocalFile(strPath);
}

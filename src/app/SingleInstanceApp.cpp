#include "app/SingleInstanceApp.h"

#include "platform/ShowWindow.h"
#include "resources/ResIcon.h"
#include "resources/StringTable.h"
#include "resources/resource.h"

#include <QMessageBox>

namespace {

// The class style of the frame's window class, which the instance name has always carried.
constexpr quintptr kClassStyleDblClks = 8;
// How long a second copy waits for the first to take its request.
constexpr int kAskTimeoutMs = 500;

} // namespace

QString BuildInstanceName(const QString& strAppName, quintptr hInstance, quintptr hCursor,
                          bool bIconOrCursorLoaded)
{
    QString strName = strAppName + QLatin1Char(':') + QString::number(hInstance, 16) +
                      QLatin1Char(':') + QString::number(kClassStyleDblClks, 16);
    if (bIconOrCursorLoaded)
        strName += QLatin1Char(':') + QString::number(hCursor, 16) + QStringLiteral(":0");
    return strName;
}

CSingleInstanceApp::CSingleInstanceApp()
{
    connect(&m_channel, &CInstanceChannel::ShowRequested, this, &CSingleInstanceApp::ActivateMainWnd);
}

CSingleInstanceApp::~CSingleInstanceApp() = default;

bool CSingleInstanceApp::InitSingleInstance(int nIconID)
{
    // The program has no cursor of its own, so only the icon counts.
    const quintptr hCursor = 0;
    const bool bIconLoaded = !LoadResIcon(nIconID).isNull();
    m_strClassName =
        BuildInstanceName(LoadResString(AFX_IDS_APP_TITLE), kInstanceHandle, hCursor, bIconLoaded);

    const QString strPath = InstancePath(m_strClassName);
    switch (m_lock.Acquire(m_strClassName)) {
    case CInstanceLock::Result::HeldElsewhere:
        // A copy that is still starting has no channel yet: then nothing is raised.
        CInstanceChannel::AskToShow(strPath, kAskTimeoutMs);
        m_bFoundOther = true;
        return false;
    case CInstanceLock::Result::Failed:
        // Without a lock file only the channel tells: a copy that answers is running, and its
        // channel must not be taken over. Otherwise the program runs unprotected.
        m_bFoundOther = CInstanceChannel::AskToShow(strPath, kAskTimeoutMs);
        if (m_bFoundOther)
            return false;
        break;
    case CInstanceLock::Result::Acquired:
        m_bFoundOther = false;
        break;
    }
    if (!m_channel.Listen(strPath)) {
        QMessageBox::critical(nullptr, LoadResString(AFX_IDS_APP_TITLE),
                              QStringLiteral("Failed to register window class!"));
        return false;
    }
    return true;
}

void CSingleInstanceApp::ActivateMainWnd()
{
    // SW_RESTORE: a maximised window comes back at its normal size.
    if (m_pMainWnd)
        ShowAndActivate(*m_pMainWnd, true);
}

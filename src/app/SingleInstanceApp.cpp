#include "app/SingleInstanceApp.h"

#include "platform/app/Logging.h"
#include "platform/desktop/ShowWindow.h"
#include "resources/ResIcon.h"
#include "resources/StringTable.h"
#include "resources/resource.h"

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
    m_strClassName = BuildInstanceName(LoadResSourceString(AFX_IDS_APP_TITLE), kInstanceHandle,
                                       hCursor, bIconLoaded);

    m_bFoundOther = false;
    switch (m_lock.Acquire(m_strClassName)) {
    case CInstanceLock::Result::HeldElsewhere:
        // A copy that is still starting has no channel yet: then nothing is raised.
        CInstanceChannel::AskToShow(m_lock.ChannelPath(), kAskTimeoutMs);
        m_bFoundOther = true;
        return false;
    case CInstanceLock::Result::Failed:
        // No folder of this user's own for the lock (the lock has said so): better a second copy
        // than none at all, and no channel in a place others can reach.
        return true;
    case CInstanceLock::Result::Acquired:
        break;
    }
    // The lock still keeps other copies out; only bringing this one forward is lost.
    if (!m_channel.Listen(m_lock.ChannelPath()))
        qCWarning(lcInstance).noquote()
            << "channel" << m_lock.ChannelPath() << "not opened:" << m_channel.ErrorString()
            << "- a second copy cannot bring this window forward";
    return true;
}

void CSingleInstanceApp::ActivateMainWnd(const QByteArray& activationToken)
{
    // SW_RESTORE: a maximised window comes back at its normal size.
    if (m_pMainWnd)
        ShowAndActivate(*m_pMainWnd, true, activationToken);
}

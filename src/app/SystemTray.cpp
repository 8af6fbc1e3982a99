#include "app/SystemTray.h"

#include "app/CommandAction.h"
#include "app/QtTrayIcon.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/MenuResource.h"
#include "resources/ResIcon.h"

#include <QCoreApplication>
#include <QMenu>
#include <QTimerEvent>

namespace {

// The notification area keeps 63 characters of a tool tip.
constexpr int kMaxToolTip = 63;

} // namespace

CSystemTray::CSystemTray(std::unique_ptr<CTrayIcon> pTrayIcon)
    : m_pTrayIcon(pTrayIcon ? std::move(pTrayIcon) : std::make_unique<CQtTrayIcon>()),
      m_clock(&std::chrono::steady_clock::now), m_loadIcon(&LoadResIcon)
{
    m_pTrayIcon->SetNotifyHandler([this](QSystemTrayIcon::ActivationReason reason) {
        if (m_pOwner)
            QCoreApplication::postEvent(m_pOwner,
                                        new CWindowMessage(m_nCallbackMessage, m_nIconID, reason));
        else
            HandleNotification(m_nIconID, reason);
    });
}

CSystemTray::~CSystemTray()
{
    DeleteIcon();
}

bool CSystemTray::Create(QObject* pOwner, int nCallbackMessage, const QString& strToolTip,
                         const QIcon& icon, int nID)
{
    m_pOwner = pOwner;
    m_nCallbackMessage = nCallbackMessage;
    m_nIconID = nID;
    m_icon = icon;
    LoadMenu(nID);
    m_bEnabled = m_pTrayIcon->Add(icon, strToolTip.left(kMaxToolTip));
    return m_bEnabled;
}

void CSystemTray::DeleteIcon()
{
    if (!m_bEnabled)
        return;
    m_pTrayIcon->Delete();
    m_bEnabled = false;
}

bool CSystemTray::ChangeIcon(const QIcon& icon)
{
    if (!m_bEnabled)
        return false;
    m_icon = icon;
    return m_pTrayIcon->Modify(icon);
}

QIcon CSystemTray::CurrentIcon() const
{
    return m_bEnabled ? m_icon : QIcon();
}

bool CSystemTray::SetFlashIcons(unsigned nFirstID, unsigned nLastID)
{
    if (nFirstID > nLastID)
        return false;
    m_flashIcons.clear();
    // A failed load keeps its place as a null icon, so the frame order stays that of the ids.
    for (quint64 nID = nFirstID; nID <= nLastID; ++nID)
        m_flashIcons.append(m_loadIcon(int(nID)));
    return true;
}

bool CSystemTray::StartFlashing(int nInterval, int nLimit)
{
    StopFlashing();
    m_nFlashIndex = 0;
    m_flashStart = m_clock();
    m_nFlashLimit = nLimit;
    m_savedIcon = CurrentIcon();
    m_nFlashTimer = startTimer(nInterval);
    return m_nFlashTimer != 0;
}

bool CSystemTray::NextFlashIcon()
{
    if (m_flashIcons.isEmpty())
        return false;
    if (++m_nFlashIndex >= m_flashIcons.size())
        m_nFlashIndex = 0;
    ChangeIcon(m_flashIcons[m_nFlashIndex]);
    return true;
}

bool CSystemTray::StopFlashing()
{
    bool bStopped = false;
    if (m_nFlashTimer != 0) {
        killTimer(m_nFlashTimer);
        bStopped = true;
        m_nFlashTimer = 0;
    }
    if (!m_savedIcon.isNull()) {
        ChangeIcon(m_savedIcon);
        m_savedIcon = QIcon();
    }
    return bStopped;
}

void CSystemTray::OnTimer()
{
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::seconds>(m_clock() - m_flashStart).count();
    if (m_nFlashLimit > 0 && elapsed > m_nFlashLimit)
        StopFlashing();
    else
        NextFlashIcon();
}

void CSystemTray::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_nFlashTimer)
        OnTimer();
}

void CSystemTray::LoadMenu(int nID)
{
    // Many desktops draw the menu in their own process, from what Qt exports of it, and only
    // ask for it to be updated as it opens: it is one menu, kept as long as the icon.
    std::unique_ptr<QMenu> pLoaded = LoadPopupMenu(nID);
    m_pTrayIcon->SetContextMenu(pLoaded.get());
    m_pMenu = std::move(pLoaded);
    if (!m_pMenu)
        return;
    QMenu* pMenu = m_pMenu.get();
    const QList<QAction*> actions = pMenu->actions();
    // The first item is the default, drawn in bold.
    if (!actions.isEmpty())
        pMenu->setDefaultAction(actions.first());
    for (QAction* pAction : actions) {
        if (const int nCommand = CommandId(pAction))
            connect(pAction, &QAction::triggered, this, [this, nCommand] { emit CommandChosen(nCommand); });
    }
    connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { emit MenuAboutToOpen(pMenu); });
}

int CSystemTray::HandleNotification(int nID, QSystemTrayIcon::ActivationReason reason)
{
    if (nID != m_nIconID)
        return 0;
    if (reason != QSystemTrayIcon::Context)
        return 1;
    if (!m_pMenu)
        return 0;
    m_pTrayIcon->TrackPopupMenu(*m_pMenu);
    return 1;
}

void CSystemTray::SetClock(Clock clock)
{
    m_clock = std::move(clock);
}

void CSystemTray::SetIconLoader(IconLoader loader)
{
    m_loadIcon = std::move(loader);
}

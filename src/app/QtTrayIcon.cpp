#include "app/QtTrayIcon.h"

#include "platform/desktop/StatusNotifierTray.h"
#include "platform/mfc/WindowMessage.h"

#include <QCursor>
#include <QMenu>

int CQtTrayIcon::MouseMessage(QSystemTrayIcon::ActivationReason reason) const
{
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        return WM_LBUTTONDBLCLK;
    case QSystemTrayIcon::Context:
        return WM_RBUTTONUP;
    case QSystemTrayIcon::MiddleClick:
        return WM_MBUTTONUP;
    case QSystemTrayIcon::Trigger:
        return m_bActivationIsDoubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONUP;
    case QSystemTrayIcon::Unknown:
        break;
    }
    return WM_LBUTTONUP;
}

CQtTrayIcon::CQtTrayIcon()
{
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon,
                     [this](QSystemTrayIcon::ActivationReason reason) { Notify(MouseMessage(reason)); });
}

CQtTrayIcon::~CQtTrayIcon() = default;

bool CQtTrayIcon::Add(const QIcon& icon, const QString& strToolTip)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    m_bActivationIsDoubleClick = IsStatusNotifierTray();
    m_icon.setIcon(icon);
    m_icon.setToolTip(strToolTip);
    m_icon.show();
    return true;
}

bool CQtTrayIcon::Modify(const QIcon& icon)
{
    m_icon.setIcon(icon);
    return m_icon.isVisible();
}

void CQtTrayIcon::Delete()
{
    m_icon.hide();
}

void CQtTrayIcon::SetContextMenu(QMenu* pMenu)
{
    m_icon.setContextMenu(pMenu);
}

void CQtTrayIcon::TrackPopupMenu(QMenu& menu)
{
    // Qt pops the menu up itself on an XEmbed tray's button press, before it reports the click.
    if (!menu.isVisible())
        menu.popup(QCursor::pos());
}

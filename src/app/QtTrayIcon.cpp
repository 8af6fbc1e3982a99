#include "app/QtTrayIcon.h"

#include "platform/desktop/StatusNotifierTray.h"

#include <QCursor>
#include <QMenu>

CQtTrayIcon::CQtTrayIcon()
{
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger && m_bActivationIsDoubleClick)
                             reason = QSystemTrayIcon::DoubleClick;
                         Notify(reason);
                     });
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

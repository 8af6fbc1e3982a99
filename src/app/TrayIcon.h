#pragma once

#include <QIcon>
#include <QString>
#include <QSystemTrayIcon>

#include <functional>
#include <utility>

class QMenu;

// One icon in the desktop's notification area, as CSystemTray drives it. The real one sits on
// QSystemTrayIcon; tests put a recording one in its place.
class CTrayIcon
{
public:
    // Receives Qt's reason for a click on the icon; a D-Bus tray's activation, its only click
    // that brings the window back, comes as a double-click.
    using NotifyHandler = std::function<void(QSystemTrayIcon::ActivationReason reason)>;

    virtual ~CTrayIcon() = default;

    // Puts the icon into the notification area; false when the desktop has none.
    virtual bool Add(const QIcon& icon, const QString& strToolTip) = 0;
    virtual bool Modify(const QIcon& icon) = 0;
    virtual void Delete() = 0;
    // The icon's menu, given before Add: a D-Bus tray shows it itself from what the program
    // exports and never asks for it, an XEmbed tray's icon pops it up on the right button.
    virtual void SetContextMenu(QMenu* pMenu) = 0;
    // Shows the menu at the mouse cursor unless the desktop has shown it already; the chosen
    // item is triggered once the menu has closed.
    virtual void TrackPopupMenu(QMenu& menu) = 0;

    void SetNotifyHandler(NotifyHandler handler) { m_notify = std::move(handler); }

protected:
    void Notify(QSystemTrayIcon::ActivationReason reason)
    {
        if (m_notify)
            m_notify(reason);
    }

private:
    NotifyHandler m_notify;
};

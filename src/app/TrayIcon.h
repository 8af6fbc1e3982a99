#pragma once

#include <QIcon>
#include <QString>

#include <functional>
#include <utility>

class QAction;
class QMenu;

// One icon in the desktop's notification area, as CSystemTray drives it. The real one sits on
// QSystemTrayIcon; tests put a recording one in its place.
class CTrayIcon
{
public:
    // Receives the platform's mouse message number (WM_RBUTTONUP, ...) of a click on the icon.
    using NotifyHandler = std::function<void(int nMouseMessage)>;

    virtual ~CTrayIcon() = default;

    // Puts the icon into the notification area; false when the desktop has none.
    virtual bool Add(const QIcon& icon, const QString& strToolTip) = 0;
    virtual bool Modify(const QIcon& icon) = 0;
    virtual void Delete() = 0;
    // Shows a pop-up menu at the mouse cursor and returns the chosen item once it has closed.
    virtual QAction* TrackPopupMenu(QMenu& menu) = 0;

    void SetNotifyHandler(NotifyHandler handler) { m_notify = std::move(handler); }

protected:
    void Notify(int nMouseMessage)
    {
        if (m_notify)
            m_notify(nMouseMessage);
    }

private:
    NotifyHandler m_notify;
};

#pragma once

#include "app/TrayIcon.h"

#include <QSystemTrayIcon>

// The notification-area icon of the desktop, through Qt.
class CQtTrayIcon : public CTrayIcon
{
public:
    CQtTrayIcon();
    ~CQtTrayIcon() override;

    bool Add(const QIcon& icon, const QString& strToolTip) override;
    bool Modify(const QIcon& icon) override;
    void Delete() override;
    void SetContextMenu(QMenu* pMenu) override;
    void TrackPopupMenu(QMenu& menu) override;

private:
    QSystemTrayIcon m_icon;
    // A D-Bus tray reports a click as an activation and never a double-click; there the
    // activation is what a double-click is elsewhere, or the window could not come back.
    bool m_bActivationIsDoubleClick = false;
};

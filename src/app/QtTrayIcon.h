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
    QAction* TrackPopupMenu(QMenu& menu) override;

private:
    QSystemTrayIcon m_icon;
};

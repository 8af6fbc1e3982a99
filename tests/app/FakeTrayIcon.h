#pragma once

#include "app/TrayIcon.h"

#include <QAction>
#include <QList>
#include <QMenu>

// A notification area that records what it is asked to show, and whose clicks the test makes.
class CFakeTrayIcon : public CTrayIcon
{
public:
    struct Log
    {
        bool bAvailable = true;
        bool bShown = false;
        QString strToolTip;
        QList<qint64> icons; // cache keys of every icon shown, in order
        QStringList menuItems;  // texts of the last menu tracked, separators empty
        QString strDefaultItem; // its bold item
        QList<bool> itemEnabled;
        int nMenusTracked = 0;
        int nChooseCommand = 0; // the command the user picks in the next menu, 0 for none
        QMenu* pContextMenu = nullptr; // the menu the desktop shows by itself
        bool bMenuWhenAdded = false;   // given before the icon was added
    };

    explicit CFakeTrayIcon(Log& log) : m_log(log) {}

    bool Add(const QIcon& icon, const QString& strToolTip) override
    {
        if (!m_log.bAvailable)
            return false;
        m_log.bShown = true;
        m_log.bMenuWhenAdded = m_log.pContextMenu != nullptr;
        m_log.strToolTip = strToolTip;
        m_log.icons.append(icon.cacheKey());
        return true;
    }
    bool Modify(const QIcon& icon) override
    {
        m_log.icons.append(icon.cacheKey());
        return m_log.bShown;
    }
    void Delete() override { m_log.bShown = false; }
    void SetContextMenu(QMenu* pMenu) override { m_log.pContextMenu = pMenu; }
    void TrackPopupMenu(QMenu& menu) override { Open(m_log, menu); }

    // A click on the icon, as the desktop reports it.
    void Click(QSystemTrayIcon::ActivationReason reason) { Notify(reason); }
    // The desktop opens the icon's menu without telling the program of a click, as a D-Bus tray
    // does from the exported menu; false when it was given none.
    static bool OpenContextMenu(Log& log)
    {
        if (!log.pContextMenu)
            return false;
        Open(log, *log.pContextMenu);
        return true;
    }

private:
    // As Qt opens a menu: it is told it is about to show, and the chosen item triggers once the
    // menu has closed.
    static void Open(Log& log, QMenu& menu)
    {
        emit menu.aboutToShow();
        ++log.nMenusTracked;
        log.menuItems.clear();
        log.itemEnabled.clear();
        QAction* pChosen = nullptr;
        for (QAction* pAction : menu.actions()) {
            log.menuItems.append(pAction->text());
            log.itemEnabled.append(pAction->isEnabled());
            if (!pAction->isSeparator() && pAction->data().toInt() == log.nChooseCommand)
                pChosen = pAction;
        }
        log.strDefaultItem = menu.defaultAction() ? menu.defaultAction()->text() : QString();
        if (pChosen)
            pChosen->trigger();
    }

    Log& m_log;
};

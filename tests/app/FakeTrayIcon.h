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
    };

    explicit CFakeTrayIcon(Log& log) : m_log(log) {}

    bool Add(const QIcon& icon, const QString& strToolTip) override
    {
        if (!m_log.bAvailable)
            return false;
        m_log.bShown = true;
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
    QAction* TrackPopupMenu(QMenu& menu) override
    {
        ++m_log.nMenusTracked;
        m_log.menuItems.clear();
        m_log.itemEnabled.clear();
        QAction* pChosen = nullptr;
        for (QAction* pAction : menu.actions()) {
            m_log.menuItems.append(pAction->text());
            m_log.itemEnabled.append(pAction->isEnabled());
            if (!pAction->isSeparator() && pAction->data().toInt() == m_log.nChooseCommand)
                pChosen = pAction;
        }
        m_log.strDefaultItem = menu.defaultAction() ? menu.defaultAction()->text() : QString();
        return pChosen;
    }

    // A click on the icon, as the desktop reports it.
    void Click(int nMouseMessage) { Notify(nMouseMessage); }

private:
    Log& m_log;
};

#pragma once

#include <QList>
#include <QMenu>
#include <QObject>

#include <memory>

class CCmdTarget;
class QAction;
class QMainWindow;
class QToolBar;

// The main frame's menu bar, toolbar and accelerator keys, built from the resources that share
// one id. Every item carries its command id; a triggered item is offered to the target chain,
// and items are enabled and checked as the chain's update handlers say.
class CFrameCommands : public QObject
{
    Q_OBJECT

public:
    CFrameCommands(QMainWindow& frame, CCmdTarget& chain);

    // Builds menu, toolbar and keys of resource nID into the frame.
    void Load(int nID);
    QToolBar* GetToolBar() const { return m_pToolBar; }
    // Runs a command through the chain when it is enabled; false when nothing ran it.
    bool Run(int nID);
    // Brings the items of a menu, or of the toolbar and keys, up to date.
    void UpdateMenu(QMenu& menu);
    void UpdateToolBar();
    void UpdateMenuBar();

private:
    void UpdateActions(const QList<QAction*>& actions);
    void LoadMenuBar(int nID);
    void LoadToolBar(int nID);
    void LoadAccelerators(int nID);

    QMainWindow& m_frame;
    CCmdTarget& m_chain;
    // Holds the drop-downs that the menu bar shows.
    std::unique_ptr<QMenu> m_pMenuResource;
    QToolBar* m_pToolBar = nullptr;
    QList<QAction*> m_toolBarActions;
};

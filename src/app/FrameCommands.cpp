#include "app/FrameCommands.h"

#include "app/CommandAction.h"
#include "platform/mfc/CmdTarget.h"
#include "resources/Accelerators.h"
#include "resources/MenuResource.h"
#include "resources/ResIcon.h"
#include "resources/StringTable.h"
#include "resources/ToolBars.h"
#include "resources/resource.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

// A command's string is "status-bar prompt\ntool tip"; either part may be missing.
void SetPrompts(QAction& action, int nID)
{
    const QString strPrompt = LoadResString(nID);
    const qsizetype newline = strPrompt.indexOf(QLatin1Char('\n'));
    action.setStatusTip(strPrompt.left(newline));
    if (newline >= 0)
        action.setToolTip(strPrompt.mid(newline + 1));
}

// What a screen reader says for an icon-only button: its tool tip, else its menu item's text.
QString ButtonName(const QAction& button, const QMenu* pMenuResource)
{
    if (!button.toolTip().isEmpty())
        return button.toolTip();
    if (!pMenuResource)
        return QString();
    for (const QAction* pDropDown : pMenuResource->actions()) {
        for (const QAction* pItem : pDropDown->menu()->actions()) {
            if (CommandId(pItem) == CommandId(&button))
                return pItem->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        }
    }
    return QString();
}

} // namespace

CFrameCommands::CFrameCommands(QMainWindow& frame, CCmdTarget& chain)
    : QObject(&frame), m_frame(frame), m_chain(chain)
{
}

void CFrameCommands::Load(int nID)
{
    LoadMenuBar(nID);
    LoadToolBar(nID);
    LoadAccelerators(nID);
    UpdateToolBar();
    UpdateMenuBar();
}

bool CFrameCommands::Run(int nID)
{
    // A disabled command never runs, whichever stale item or key asked for it.
    const bool bHandled = UpdateCommandUI(m_chain, nID).m_bEnabled &&
                          m_chain.OnCmdMsg(nID, CmdMsg::Command, nullptr);
    // A command may change what others can do, as after any command the framework goes idle;
    // the menus too, so that what a screen reader reads of a closed menu is current.
    UpdateToolBar();
    UpdateMenuBar();
    return bHandled;
}

void CFrameCommands::UpdateMenu(QMenu& menu)
{
    UpdateActions(menu.actions());
}

void CFrameCommands::UpdateToolBar()
{
    UpdateActions(m_toolBarActions);
}

void CFrameCommands::UpdateMenuBar()
{
    if (!m_pMenuResource)
        return;
    for (QAction* pDropDown : m_pMenuResource->actions())
        UpdateMenu(*pDropDown->menu());
}

void CFrameCommands::UpdateActions(const QList<QAction*>& actions)
{
    for (QAction* pAction : actions) {
        if (pAction->isSeparator() || pAction->menu() || CommandId(pAction) == 0)
            continue;
        const CCmdUI cmdUI = UpdateCommandUI(m_chain, CommandId(pAction));
        pAction->setEnabled(cmdUI.m_bEnabled);
        pAction->setCheckable(cmdUI.m_bCheckable);
        pAction->setChecked(cmdUI.m_bChecked);
    }
}

void CFrameCommands::LoadMenuBar(int nID)
{
    m_pMenuResource = LoadMenuResource(nID);
    if (!m_pMenuResource)
        return;
    for (QAction* pDropDown : m_pMenuResource->actions()) {
        QMenu* pMenu = pDropDown->menu();
        m_frame.menuBar()->addMenu(pMenu);
        for (QAction* pAction : pMenu->actions()) {
            SetPrompts(*pAction, CommandId(pAction));
            connect(pAction, &QAction::triggered, this, [this, pAction] { Run(CommandId(pAction)); });
        }
        connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { UpdateMenu(*pMenu); });
    }
}

void CFrameCommands::LoadToolBar(int nID)
{
    m_pToolBar = new QToolBar(&m_frame);
    m_pToolBar->setObjectName(QStringLiteral("toolBar"));
    m_pToolBar->setWindowTitle(LoadResString(AFX_IDS_APP_TITLE));
    m_pToolBar->setIconSize(QSize(16, 15));
    for (int nButton : LoadToolBarRes(nID)) {
        if (nButton == ID_SEPARATOR) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = NewCommandAction(QString(), nButton, m_pToolBar);
        pAction->setIcon(LoadToolBarImage(nButton));
        SetPrompts(*pAction, nButton);
        connect(pAction, &QAction::triggered, this, [this, nButton] { Run(nButton); });
        m_pToolBar->addAction(pAction);
        m_pToolBar->widgetForAction(pAction)->setAccessibleName(ButtonName(*pAction, m_pMenuResource.get()));
        m_toolBarActions.append(pAction);
    }
    m_frame.addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CFrameCommands::LoadAccelerators(int nID)
{
    // The keys belong to the frame, not to the menu, so they work while the menu is hidden.
    for (const AcceleratorRes& key : LoadAcceleratorRes(nID)) {
        QAction* pAction = NewCommandAction(QString(), key.nID, &m_frame);
        pAction->setShortcut(QKeySequence(QString::fromLatin1(key.key), QKeySequence::PortableText));
        pAction->setShortcutContext(Qt::WindowShortcut);
        const int nCommand = key.nID;
        connect(pAction, &QAction::triggered, this, [this, nCommand] { Run(nCommand); });
        m_frame.addAction(pAction);
    }
}

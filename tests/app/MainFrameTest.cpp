#include "app/CommandAction.h"
#include "app/FrameCommands.h"
#include "app/MainFrame.h"
#include "app/TellwickApp.h"
#include "config/PropertiesSheet.h"

#include "FakeTrayIcon.h"
#include "messaging/Mailslot.h"
#include "messaging/MessageView.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/Accelerators.h"
#include "resources/MenuResource.h"
#include "resources/StringTable.h"
#include "resources/ToolBars.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"
#include "support/DialogInput.h"
#include "support/DoubleClick.h"
#include "support/TestInbox.h"
#include "support/WarningCapture.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

namespace {

// A command target that records what reaches it.
class CRecordingTarget : public CCmdTarget
{
public:
    CRecordingTarget(const char* name, std::initializer_list<int> ids, QStringList& log)
    {
        for (int nID : ids)
            MapCommand(nID, [&log, name, nID] { log.append(QStringLiteral("%1 %2").arg(QLatin1String(name)).arg(nID)); });
    }
};

// A view that takes Clear and Always On Top, so the order of the chain shows.
class CTestView : public QWidget, public CRecordingTarget
{
public:
    CTestView(QWidget* pParent, QStringList& log)
        : QWidget(pParent), CRecordingTarget("view", {ID_CLEAR, ID_ALWAYS_ON_TOP}, log)
    {
        setFocusPolicy(Qt::StrongFocus);
    }
};

class CTestFrame : public CMainFrame
{
public:
    CTestFrame(CCmdTarget* pApp, CFakeTrayIcon::Log& trayLog, QStringList* pViewLog = nullptr)
        : CMainFrame(pApp, std::make_unique<CFakeTrayIcon>(trayLog)), m_pViewLog(pViewLog)
    {
    }

protected:
    void CreateView() override
    {
        if (!m_pViewLog)
            return CMainFrame::CreateView();
        auto* pView = new CTestView(this, *m_pViewLog);
        m_pView = pView;
        m_pViewTarget = pView;
    }

private:
    QStringList* m_pViewLog;
};

class MainFrameTest : public ::testing::Test
{
protected:
    std::unique_ptr<CTestFrame> NewFrame(QStringList* pViewLog = nullptr)
    {
        auto pFrame = std::make_unique<CTestFrame>(&m_app, m_trayLog, pViewLog);
        EXPECT_TRUE(pFrame->Create());
        return pFrame;
    }

    static void Send(QObject& frame, int nMessage, qintptr wParam, qintptr lParam = 0)
    {
        CWindowMessage message(nMessage, wParam, lParam);
        QCoreApplication::sendEvent(&frame, &message);
    }

    static QAction* MenuItem(CMainFrame& frame, int nID)
    {
        for (QAction* pMenu : frame.menuBar()->actions()) {
            for (QAction* pItem : pMenu->menu()->actions()) {
                if (CommandId(pItem) == nID)
                    return pItem;
            }
        }
        return nullptr;
    }

    QStringList m_log;
    CRecordingTarget m_app{"app", {ID_APP_ABOUT, ID_ALWAYS_ON_TOP, ID_APP_EXIT}, m_log};
    CFakeTrayIcon::Log m_trayLog;
};

TEST_F(MainFrameTest, CommandsGoToTheViewThenTheFrameThenTheApplication)
{
    auto pFrame = NewFrame(&m_log);
    EXPECT_TRUE(pFrame->RunCommand(ID_CLEAR));
    EXPECT_TRUE(pFrame->RunCommand(ID_ALWAYS_ON_TOP));
    EXPECT_TRUE(pFrame->RunCommand(ID_APP_ABOUT));
    // The frame's own bar toggle is not offered further.
    EXPECT_TRUE(pFrame->RunCommand(ID_VIEW_STATUS_BAR));
    // Nobody takes the framework's copy command: it is disabled and does nothing.
    EXPECT_FALSE(pFrame->RunCommand(ID_EDIT_COPY));
    EXPECT_EQ(m_log, (QStringList{QStringLiteral("view 220"), QStringLiteral("view 218"),
                                  QStringLiteral("app 57664")}));
    EXPECT_FALSE(pFrame->IsAlwaysOnTop());
}

TEST_F(MainFrameTest, ToolBarButtonsCarryTheirPromptsAndTipsAndAName)
{
    auto pFrame = NewFrame(&m_log);
    int nButtons = 0;
    for (QAction* pButton : pFrame->GetCommands().GetToolBar()->actions()) {
        if (pButton->isSeparator())
            continue;
        const int nID = CommandId(pButton);
        SCOPED_TRACE(nID);
        ++nButtons;
        // A command's string is its status-bar prompt, then after a line break its tip.
        const QString strTip = pButton->toolTip();
        EXPECT_EQ(LoadResString(nID), strTip.isEmpty() ? pButton->statusTip() : pButton->statusTip() + u'\n' + strTip);
        // Icon-only buttons are named for screen readers, by their tip or else their menu item.
        EXPECT_FALSE(pFrame->GetCommands().GetToolBar()->widgetForAction(pButton)->accessibleName().isEmpty());
        // Only the test view's Clear and the application's About have handlers here.
        EXPECT_EQ(pButton->isEnabled(), nID == ID_CLEAR || nID == ID_APP_ABOUT);
    }
    EXPECT_EQ(nButtons, std::count_if(LoadToolBarRes(IDR_MAINFRAME).begin(), LoadToolBarRes(IDR_MAINFRAME).end(),
                                      [](int nID) { return nID != ID_SEPARATOR; }));
    QAction* pSend = pFrame->GetCommands().GetToolBar()->actions().value(0);
    ASSERT_TRUE(pSend);
    EXPECT_EQ(pSend->toolTip(), QStringLiteral("Send Message"));
    EXPECT_EQ(pSend->statusTip(), QStringLiteral("Send a message to another computer running Tellwick"));
}

TEST_F(MainFrameTest, KeysReachCommandsAlsoWithTheMenuHidden)
{
    auto pFrame = NewFrame(&m_log);
    QMultiMap<QString, int> keys;
    for (QAction* pAction : pFrame->actions())
        keys.insert(pAction->shortcut().toString(QKeySequence::PortableText), CommandId(pAction));
    const std::span<const AcceleratorRes> table = LoadAcceleratorRes(IDR_MAINFRAME);
    EXPECT_EQ(keys.size(), qsizetype(table.size()));
    for (const AcceleratorRes& key : table)
        EXPECT_EQ(keys.values(QLatin1String(key.key)), QList<int>{key.nID}) << key.key;

    pFrame->HideCaption();
    pFrame->show();
    QApplication::setActiveWindow(pFrame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(pFrame.get()));
    QTest::keyClick(pFrame.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(m_log, QStringList{QStringLiteral("view 220")});
}

// A key shown beside a menu item (after its tab) is one the frame binds to that item's command:
// a user who learns it from the menu gets the item, never another command.
TEST_F(MainFrameTest, EveryKeyAMenuShowsRunsItsItem)
{
    auto pFrame = NewFrame();
    QMultiMap<QKeySequence, int> bound;
    for (QAction* pAction : pFrame->actions())
        bound.insert(pAction->shortcut(), CommandId(pAction));
    const std::unique_ptr<QMenu> pContextMenu = LoadMenuResource(IDR_CONTEXT_MENU);
    ASSERT_TRUE(pContextMenu);
    int nShown = 0;
    for (QAction* pDropDown : pFrame->menuBar()->actions() + pContextMenu->actions()) {
        for (const QAction* pItem : pDropDown->menu()->actions()) {
            QString strKey = pItem->text().section(u'\t', 1);
            if (strKey.isEmpty())
                continue;
            SCOPED_TRACE(pItem->text().toStdString());
            ++nShown;
            // The resources write a key either way, Ctrl+S or Ctrl-S.
            strKey.replace(QRegularExpression(QStringLiteral("(Ctrl|Alt|Shift)-")), QStringLiteral("\\1+"));
            const QKeySequence key(strKey, QKeySequence::PortableText);
            ASSERT_FALSE(key.isEmpty());
            EXPECT_EQ(bound.values(key), QList<int>{CommandId(pItem)});
        }
    }
    // The Options menu's four keys and the context menu's five.
    EXPECT_EQ(nShown, 9);
}

TEST_F(MainFrameTest, AlwaysOnTopTogglesWithItsCheckMarkAndStartsOff)
{
    auto pFrame = NewFrame();
    QAction* pItem = MenuItem(*pFrame, ID_ALWAYS_ON_TOP);
    ASSERT_TRUE(pItem);
    auto* pMenu = qobject_cast<QMenu*>(pItem->parent());
    ASSERT_TRUE(pMenu);
    for (bool bOn : {true, false, true}) {
        pFrame->RunCommand(ID_ALWAYS_ON_TOP);
        pFrame->GetCommands().UpdateMenu(*pMenu);
        EXPECT_EQ(pFrame->IsAlwaysOnTop(), bOn);
        EXPECT_EQ(bool(pFrame->windowFlags() & Qt::WindowStaysOnTopHint), bOn);
        EXPECT_TRUE(pItem->isCheckable());
        EXPECT_EQ(pItem->isChecked(), bOn);
    }
    pFrame->close();
    EXPECT_FALSE(NewFrame()->IsAlwaysOnTop());
}

TEST_F(MainFrameTest, TheCaptionStateIsStoredAndOnlyExactlyOneHidesIt)
{
    const struct
    {
        int nStored;
        bool bHidden;
    } cases[] = {{0, false}, {1, true}, {2, false}, {-1, false}};
    for (const auto& c : cases) {
        WriteProfileInt(kHideCaption.section, kHideCaption.name, c.nStored);
        auto pFrame = NewFrame();
        EXPECT_EQ(pFrame->IsCaptionHidden(), c.bHidden) << c.nStored;
        EXPECT_EQ(pFrame->menuBar()->isHidden(), c.bHidden) << c.nStored;
        EXPECT_EQ(bool(pFrame->windowFlags() & Qt::FramelessWindowHint), c.bHidden) << c.nStored;
        // The toggle request from the view flips it; closing stores what is shown.
        Send(*pFrame, WM_TOGGLE_CAPTION, 0);
        EXPECT_EQ(pFrame->IsCaptionHidden(), !c.bHidden);
        pFrame->close();
        EXPECT_EQ(GetProfileInt(kHideCaption.section, kHideCaption.name, 7), c.bHidden ? 0 : 1);
    }
}

// With the caption hidden the window manager draws no frame at all, so the frame's own border
// resizes it from every edge and corner (by hand where the window system cannot); the contents
// keep clear of it, and a press inside is theirs.
TEST_F(MainFrameTest, WithTheCaptionHiddenTheFrameIsResizedFromItsOwnBorder)
{
    const QPoint moved(30, 20);
    const struct
    {
        const char* where;
        bool bHidden;
        // Where the press lands, from the frame's left, top, right or bottom (negative: from the
        // right or bottom).
        int x, y;
        QMargins grown;
    } cases[] = {
        {"bottom-right corner", true, -2, -2, {0, 0, 30, 20}},
        {"top-left corner", true, 1, 1, {-30, -20, 0, 0}},
        {"right edge", true, -1, 250, {0, 0, 30, 0}},
        {"bottom edge", true, 350, -1, {0, 0, 0, 20}},
        {"left edge near the bottom", true, 0, -10, {-30, 0, 0, 20}},
        {"inside", true, 350, 250, {}},
        {"right edge, caption shown", false, -1, 250, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        auto pFrame = NewFrame();
        if (c.bHidden)
            pFrame->HideCaption();
        pFrame->setGeometry(100, 100, 700, 500);
        pFrame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(pFrame.get()));
        const QRect placed = pFrame->geometry();
        const QRect inside = pFrame->rect().marginsRemoved(QMargins(3, 3, 3, 3));
        for (const auto* pChild : pFrame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (c.bHidden && pChild->isVisible() && pChild->objectName() != QStringLiteral("sizingBorder")) {
                EXPECT_TRUE(inside.contains(pChild->geometry())) << pChild->metaObject()->className();
            }
        }
        const QPoint pressed(c.x < 0 ? placed.width() + c.x : c.x, c.y < 0 ? placed.height() + c.y : c.y);
        QWindow* pWindow = pFrame->windowHandle();
        const QPoint released = pWindow->mapToGlobal(pressed + moved);
        QTest::mousePress(pWindow, Qt::LeftButton, {}, pressed);
        QTest::mouseMove(pWindow, pressed + moved);
        // Where the pointer is now, in the window as it has been moved.
        QTest::mouseRelease(pWindow, Qt::LeftButton, {}, pWindow->mapFromGlobal(released));
        EXPECT_EQ(pFrame->geometry(), placed.marginsAdded(c.grown));
    }
}

TEST_F(MainFrameTest, TheStoredPlacementIsUsedWithoutItsShowCommand)
{
    enum Opened
    {
        AsStored,
        Default,
        OnScreenAtTheMinimum,
    };
    const struct
    {
        const char* stored;
        Opened opened;
    } cases[] = {
        {"2,3,-1,-1,-1,-1,100,80,500,380", AsStored},
        {"0,1,-1,-1,-1,-1,100,80,500", Default},
        {"0,1,-1,-1,-1,-1,300,300,300,500", Default},
        {"", Default},
        // Far off the screen and too small to use.
        {"0,1,-1,-1,-1,-1,-5000,-9000,-4930,-8859", OnScreenAtTheMinimum},
    };
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    for (const auto& c : cases) {
        WriteProfileString(kWindowPos.section, kWindowPos.name, c.stored);
        auto pFrame = NewFrame();
        const QSize defaultSize = pFrame->size();
        pFrame->RestorePlacement(SW_SHOW);
        EXPECT_TRUE(pFrame->isVisible()) << c.stored;
        EXPECT_FALSE(pFrame->isMaximized()) << c.stored;
        // Where the platform puts a frame without placement is its own affair; the size shows.
        switch (c.opened) {
        case AsStored:
            EXPECT_EQ(pFrame->geometry(), QRect(100, 80, 400, 300)) << c.stored;
            break;
        case Default:
            EXPECT_EQ(pFrame->size(), defaultSize) << c.stored;
            break;
        case OnScreenAtTheMinimum:
            EXPECT_TRUE(screen.contains(pFrame->geometry())) << c.stored;
            EXPECT_GT(pFrame->geometry().top(), screen.top()) << c.stored;
            EXPECT_EQ(pFrame->size(), pFrame->minimumSize()) << c.stored;
            break;
        }
    }
}

TEST_F(MainFrameTest, ClosingStoresThePlacementWithTheMaximisedFlag)
{
    WriteProfileString(kWindowPos.section, kWindowPos.name, "0,1,-1,-1,-1,-1,40,50,440,350");
    for (bool bMaximised : {false, true}) {
        auto pFrame = NewFrame();
        pFrame->RestorePlacement(SW_SHOW);
        if (bMaximised)
            pFrame->showMaximized();
        pFrame->close();
        const auto placement = ParseWindowPlacement(GetProfileString(kWindowPos.section, kWindowPos.name));
        ASSERT_TRUE(placement);
        EXPECT_EQ(placement->flags, bMaximised ? WPF_RESTORETOMAXIMIZED : 0u);
        // The restored rectangle is kept, whatever the window looked like when closed.
        EXPECT_EQ(QRect(placement->nLeft, placement->nTop, placement->nRight - placement->nLeft,
                        placement->nBottom - placement->nTop),
                  QRect(40, 50, 400, 300));
    }
}

TEST_F(MainFrameTest, FlashRequestsFlashOnceAndStopOnTheNormalIcon)
{
    auto pFrame = NewFrame();
    const qint64 normal = m_trayLog.icons.first();
    Send(*pFrame, WM_FLASH_TRAY, 0);
    Send(*pFrame, WM_FLASH_TRAY, 0);
    EXPECT_TRUE(pFrame->GetTray().IsFlashing());
    pFrame->GetTray().OnTimer();
    Send(*pFrame, WM_FLASH_TRAY, 1);
    EXPECT_FALSE(pFrame->GetTray().IsFlashing());
    EXPECT_EQ(m_trayLog.icons.last(), normal);
    // A stop while nothing flashes changes nothing.
    const auto shown = m_trayLog.icons;
    Send(*pFrame, WM_FLASH_TRAY, 1);
    EXPECT_EQ(m_trayLog.icons, shown);
}

TEST_F(MainFrameTest, TheMessageViewIsTheClientAndTalksToTheFrame)
{
    auto pFrame = NewFrame();
    auto* pView = qobject_cast<CMessageView*>(pFrame->GetView());
    ASSERT_NE(pView, nullptr);
    pFrame->show();
    QCoreApplication::sendPostedEvents();

    // A message asks the frame to flash; the view getting the focus stops it.
    ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, "hello"));
    pView->OnTimer();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(pFrame->GetTray().IsFlashing());
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(pView, &focus);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(pFrame->GetTray().IsFlashing());

    const bool bCaptionHidden = pFrame->IsCaptionHidden();
    DoubleClick(*pView->viewport(), Qt::LeftButton);
    EXPECT_NE(pFrame->IsCaptionHidden(), bCaptionHidden);
    DoubleClick(*pView->viewport(), Qt::LeftButton);
    EXPECT_EQ(pFrame->IsCaptionHidden(), bCaptionHidden);

    // The menu's commands reach the view first.
    EXPECT_TRUE(pFrame->RunCommand(ID_FAST_MARK));
    QFile log(QStringLiteral("Tellwick.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray records = log.readAll();
    EXPECT_TRUE(records.contains(" hello\r\n")) << records.toStdString();
    EXPECT_TRUE(records.contains(QByteArray(" ").append(29, '=').append("\r\n"))) << records.toStdString();
}

TEST_F(MainFrameTest, MinimisingHidesToTheTrayAndADoubleClickBringsItBack)
{
    auto pFrame = NewFrame();
    pFrame->show();
    Send(*pFrame, WM_FLASH_TRAY, 0);
    pFrame->showMinimized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !pFrame->isVisible(); }));

    Send(*pFrame, WM_TRAY_NOTIFY, ID_TRAY_ICON, QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(pFrame->isVisible());
    EXPECT_FALSE(pFrame->isMinimized());
    EXPECT_FALSE(pFrame->GetTray().IsFlashing());
    EXPECT_EQ(m_trayLog.nMenusTracked, 0);
    // Other clicks are the tray icon's: the context click on its own icon opens its menu.
    Send(*pFrame, WM_TRAY_NOTIFY, ID_TRAY_ICON, QSystemTrayIcon::Context);
    EXPECT_EQ(m_trayLog.nMenusTracked, 1);
    Send(*pFrame, WM_TRAY_NOTIFY, ID_TRAY_ICON + 1, QSystemTrayIcon::Context);
    EXPECT_EQ(m_trayLog.nMenusTracked, 1);
}

TEST_F(MainFrameTest, WithoutATrayTheFrameIsMinimisedInsteadOfHidden)
{
    m_trayLog.bAvailable = false;
    auto pFrame = NewFrame();
    pFrame->show();
    pFrame->hide();
    EXPECT_TRUE(pFrame->isVisible());
    EXPECT_TRUE(pFrame->isMinimized());
    pFrame->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(pFrame->isVisible());
    // Closing still closes.
    pFrame->close();
    EXPECT_FALSE(pFrame->isVisible());
}

TEST_F(MainFrameTest, WithoutATrayFlagChangesLeaveTheWindowWhereAndAsItWas)
{
    m_trayLog.bAvailable = false;
    auto pFrame = NewFrame();
    pFrame->setGeometry(60, 70, 400, 300);
    pFrame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(pFrame.get()));
    const QRect placed = pFrame->geometry();
    const std::function<void()> changes[] = {
        [&] { pFrame->RunCommand(ID_ALWAYS_ON_TOP); },
        [&] { Send(*pFrame, WM_TOGGLE_CAPTION, 0); },
        [&] { Send(*pFrame, WM_TOGGLE_CAPTION, 0); },
        [&] { pFrame->RunCommand(ID_ALWAYS_ON_TOP); },
    };
    for (const auto& change : changes) {
        change();
        QCoreApplication::processEvents();
        EXPECT_TRUE(pFrame->isVisible());
        EXPECT_FALSE(pFrame->isMinimized());
        EXPECT_EQ(pFrame->geometry(), placed);
    }
}

TEST_F(MainFrameTest, AMessageThatBringsTheWindowBackLeavesTheIconFlashing)
{
    auto pFrame = NewFrame();
    auto* pView = qobject_cast<CMessageView*>(pFrame->GetView());
    ASSERT_NE(pView, nullptr);
    pFrame->show();
    pFrame->hide();
    ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, "hello"));
    pView->OnTimer();
    EXPECT_TRUE(pFrame->isVisible());
    // The activation, with the focus it gives the view, arrives after the flash request; on
    // the platform where it came first it did not stop the flash, so here neither.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(pFrame->GetTray().IsFlashing());
    // The user coming back to the window afterwards stops it.
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(pView, &focus);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(pFrame->GetTray().IsFlashing());
}

// Properties has no dialog yet and stays disabled; About has its box and is enabled everywhere.
TEST_F(MainFrameTest, PropertiesOpensFromEveryPlaceItIsOffered)
{
    CTellwickApp app;
    CTestFrame frame(&app, m_trayLog);
    ASSERT_TRUE(frame.Create());
    auto* pView = qobject_cast<CMessageView*>(frame.GetView());
    ASSERT_NE(pView, nullptr);
    frame.show();
    auto actionIn = [](const QList<QAction*>& actions) {
        for (QAction* pAction : actions) {
            if (CommandId(pAction) == ID_PROPERTIES)
                return pAction;
        }
        return static_cast<QAction*>(nullptr);
    };
    const std::pair<const char*, std::function<void()>> places[] = {
        {"Options menu", [&] { MenuItem(frame, ID_PROPERTIES)->trigger(); }},
        {"toolbar", [&] { actionIn(frame.GetCommands().GetToolBar()->actions())->trigger(); }},
        {"Ctrl+P", [&] {
             ASSERT_TRUE(Activate(frame));
             QTest::keyClick(&frame, Qt::Key_P, Qt::ControlModifier);
         }},
        {"context menu", [&] {
             QTimer::singleShot(0, [&] {
                 if (auto* pPopup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                     QAction* pItem = actionIn(pPopup->actions());
                     EXPECT_TRUE(pItem && pItem->isEnabled());
                     pPopup->setActiveAction(pItem);
                     QTest::keyClick(pPopup, Qt::Key_Return);
                 }
             });
             QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
             QCoreApplication::sendEvent(pView, &request);
         }},
        {"tray menu", [&] {
             m_trayLog.nChooseCommand = ID_PROPERTIES;
             Send(frame, WM_TRAY_NOTIFY, ID_TRAY_ICON, QSystemTrayIcon::Context);
             QCoreApplication::sendPostedEvents(&frame);
         }},
    };
    for (const auto& [place, open] : places) {
        CModalAnswer answer([](QDialog& dialog) { EXPECT_TRUE(dynamic_cast<CPropertiesSheet*>(&dialog)); });
        open();
        EXPECT_TRUE(answer.Opened()) << place;
    }
}

// Opened on a right-click, or by a D-Bus tray from the exported menu without any click.
TEST_F(MainFrameTest, TheTrayMenusExitReachesTheApplication)
{
    auto pFrame = NewFrame();
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"right-click", [&] { Send(*pFrame, WM_TRAY_NOTIFY, ID_TRAY_ICON, QSystemTrayIcon::Context); }},
        {"desktop", [&] { EXPECT_TRUE(CFakeTrayIcon::OpenContextMenu(m_trayLog)); }},
    };
    for (const auto& [opener, open] : openers) {
        m_log.clear();
        m_trayLog.strDefaultItem.clear();
        m_trayLog.nChooseCommand = ID_APP_EXIT;
        open();
        EXPECT_EQ(m_trayLog.strDefaultItem, QStringLiteral("&About")) << opener;
        QCoreApplication::sendPostedEvents(pFrame.get());
        EXPECT_EQ(m_log, QStringList{QStringLiteral("app 57665")}) << opener;
    }
}

TEST_F(MainFrameTest, TheStatusBarShowsReadyBetweenPrompts)
{
    auto pFrame = NewFrame();
    EXPECT_EQ(pFrame->statusBar()->currentMessage(), QStringLiteral("Ready"));
    QStatusTipEvent prompt(QStringLiteral("Clears the current display"));
    QCoreApplication::sendEvent(pFrame.get(), &prompt);
    EXPECT_EQ(pFrame->statusBar()->currentMessage(), QStringLiteral("Clears the current display"));
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(pFrame.get(), &none);
    EXPECT_EQ(pFrame->statusBar()->currentMessage(), QStringLiteral("Ready"));
}

TEST_F(MainFrameTest, AnInboxOwnedByAnotherCopyIsToldInTheStatusBarForGood)
{
    const std::unique_ptr<CMailslotInbox> pOwner = OpenTestInbox();
    CWarningCapture warnings("tellwick.mailslot");
    auto pFrame = NewFrame();
    auto* pLabel = pFrame->statusBar()->findChild<QLabel*>(QStringLiteral("inboxUnavailableLabel"));
    ASSERT_NE(pLabel, nullptr);
    EXPECT_TRUE(pLabel->text().startsWith(u"Not receiving")) << pLabel->text().toStdString();
    // Prompts come and go beside it.
    QStatusTipEvent prompt(QStringLiteral("Clears the current display"));
    QCoreApplication::sendEvent(pFrame.get(), &prompt);
    EXPECT_FALSE(pLabel->isHidden());
    EXPECT_EQ(warnings.Take().size(), 1);
}

TEST_F(MainFrameTest, SkippedAlertTaskStartsAndDroppedMessagesAreCountedInTheStatusBar)
{
    auto pFrame = NewFrame();
    pFrame->show();
    auto* pView = qobject_cast<CMessageView*>(pFrame->GetView());
    ASSERT_NE(pView, nullptr);
    const struct
    {
        const char* label;
        std::function<void()> tell;
        QString text;
    } counts[] = {
        {"skippedTaskStartsLabel", [&] { emit pView->Receiver().TaskStartsSkipped(3); },
         QStringLiteral("Alert task starts skipped, still running: 3")},
        {"failedTaskStartsLabel", [&] { emit pView->Receiver().TaskStartsFailed(2); },
         QStringLiteral("Alert task starts failed, program missing: 2")},
        {"datagramsDroppedLabel", [&] { emit pView->Receiver().DatagramsDropped(5000000000ULL); },
         QStringLiteral("Messages lost, arriving faster than taken in: 5000000000")},
    };
    for (const auto& count : counts) {
        auto* pLabel = pFrame->statusBar()->findChild<QLabel*>(QString::fromLatin1(count.label));
        ASSERT_NE(pLabel, nullptr) << count.label;
        EXPECT_FALSE(pLabel->isVisible()) << count.label;
        count.tell();
        EXPECT_TRUE(pLabel->isVisible()) << count.label;
        EXPECT_EQ(pLabel->text(), count.text) << count.label;
        // Prompts come and go beside it.
        QStatusTipEvent prompt(QStringLiteral("Clears the current display"));
        QCoreApplication::sendEvent(pFrame.get(), &prompt);
        EXPECT_TRUE(pLabel->isVisible()) << count.label;
    }
}

} // namespace

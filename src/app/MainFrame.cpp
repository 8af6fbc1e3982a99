#include "app/MainFrame.h"

#include "app/FrameCommands.h"
#include "app/SizingBorder.h"
#include "messaging/MessageView.h"
#include "messaging/NotificationText.h"
#include "platform/desktop/DesktopNotification.h"
#include "platform/desktop/ShowWindow.h"
#include "platform/desktop/WindowManagerHints.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/ResIcon.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

#include <algorithm>

namespace {

// A count in the status bar, hidden until there is something to count.
QLabel* AddCountLabel(QStatusBar* pStatusBar, const QString& strName)
{
    auto* pLabel = new QLabel(pStatusBar);
    pLabel->setObjectName(strName);
    pStatusBar->addPermanentWidget(pLabel);
    pLabel->hide();
    return pLabel;
}

template <typename Count>
void ShowCount(QLabel* pLabel, int nFormatId, Count nTotal)
{
    pLabel->setText(QString::asprintf(LoadResString(nFormatId).toUtf8().constData(), nTotal));
    pLabel->show();
}

} // namespace

CMainFrame::CMainFrame(CCmdTarget* pApp, std::unique_ptr<CTrayIcon> pTrayIcon)
    : m_pApp(pApp), m_trayIcon(std::move(pTrayIcon))
{
    // An ordinary window, not a tool window: window managers refuse to minimise utility
    // windows, and minimising is how it goes to the tray.
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(LoadResString(IDS_MAINFRAME));
    setWindowIcon(LoadResIcon(IDI_MAINFRAME));
    resize(520, 320);
    m_pSizingBorder = new CSizingBorder(this);

    MapCommand(ID_ALWAYS_ON_TOP, [this] { OnAlwaysOnTop(); });
    MapUpdateCommandUI(ID_ALWAYS_ON_TOP, [this](CCmdUI& cmdUI) { cmdUI.SetCheck(m_bAlwaysOnTop); });
    MapCommand(ID_VIEW_TOOLBAR, [this] {
        m_pCommands->GetToolBar()->setVisible(!m_pCommands->GetToolBar()->isVisibleTo(this));
    });
    MapUpdateCommandUI(ID_VIEW_TOOLBAR, [this](CCmdUI& cmdUI) {
        cmdUI.SetCheck(m_pCommands->GetToolBar()->isVisibleTo(this));
    });
    MapCommand(ID_VIEW_STATUS_BAR, [this] { statusBar()->setVisible(!statusBar()->isVisibleTo(this)); });
    MapUpdateCommandUI(ID_VIEW_STATUS_BAR,
                       [this](CCmdUI& cmdUI) { cmdUI.SetCheck(statusBar()->isVisibleTo(this)); });

    // The tray menu's items are set as the menu bar's are, and its commands take the same way.
    connect(&m_trayIcon, &CSystemTray::MenuAboutToOpen, this, [this](QMenu* pMenu) {
        if (m_pCommands)
            m_pCommands->UpdateMenu(*pMenu);
    });
    connect(&m_trayIcon, &CSystemTray::CommandChosen, this, &CMainFrame::RunCommand,
            Qt::QueuedConnection);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::Create()
{
    // A desktop without a tray must not stop the program: it then minimises instead of hiding.
    m_trayIcon.Create(this, WM_TRAY_NOTIFY, LoadResString(IDS_MAINFRAME), LoadResIcon(IDI_MAINFRAME),
                      ID_TRAY_ICON);
    m_trayIcon.SetFlashIcons(IDI_TRAY_FLASH_1, IDI_TRAY_FLASH_2);

    CreateView();
    setCentralWidget(m_pView);

    m_pCommands = new CFrameCommands(*this, *this);
    m_pCommands->Load(IDR_MAINFRAME);
    statusBar()->showMessage(LoadResString(AFX_IDS_IDLEMESSAGE));

    // Small enough to keep out of the way, large enough that every command stays in reach.
    const QSize bars(std::max(menuBar()->sizeHint().width(), m_pCommands->GetToolBar()->sizeHint().width()),
                     menuBar()->sizeHint().height() + m_pCommands->GetToolBar()->sizeHint().height() +
                         statusBar()->sizeHint().height());
    setMinimumSize((bars + QSize(0, 4 * fontMetrics().lineSpacing())).expandedTo(minimumSizeHint()));

    LoadBarState();
    if (GetProfileInt(kHideCaption.section, kHideCaption.name, int(kHideCaption.dwDefault)) == 1)
        HideCaption();
    return true;
}

void CMainFrame::CreateView()
{
    auto* pView = new CMessageView(this);
    CMessageReceiver* pReceiver = &pView->Receiver();
    // A view that cannot receive says so once, where it stays in sight.
    connect(pReceiver, &CMessageReceiver::InboxUnavailable, this, [this](const QString& strText) {
        auto* pLabel = new QLabel(strText);
        pLabel->setObjectName(QStringLiteral("inboxUnavailableLabel"));
        // A narrow window cuts the text; the tip shows it whole.
        pLabel->setToolTip(strText);
        statusBar()->addPermanentWidget(pLabel);
    });
    connect(pView, &CMessageView::FlashText, this,
            [this](const QByteArray& text) { m_strFlashText = text; });
    pView->Create();
    // Alert tasks not started again while they still run are counted where the user sees it.
    QLabel* pSkipped = AddCountLabel(statusBar(), QStringLiteral("skippedTaskStartsLabel"));
    connect(pReceiver, &CMessageReceiver::TaskStartsSkipped, pSkipped,
            [pSkipped](int nTotal) { ShowCount(pSkipped, IDS_TASK_STARTS_SKIPPED, nTotal); });
    // And those whose program could not be started at all.
    QLabel* pFailed = AddCountLabel(statusBar(), QStringLiteral("failedTaskStartsLabel"));
    connect(pReceiver, &CMessageReceiver::TaskStartsFailed, pFailed,
            [pFailed](int nTotal) { ShowCount(pFailed, IDS_TASK_STARTS_FAILED, nTotal); });
    // So are messages the system dropped in a flood, before they could be taken in.
    QLabel* pDropped = AddCountLabel(statusBar(), QStringLiteral("datagramsDroppedLabel"));
    connect(pReceiver, &CMessageReceiver::DatagramsDropped, pDropped,
            [pDropped](qulonglong nTotal) { ShowCount(pDropped, IDS_DATAGRAMS_DROPPED, nTotal); });
    m_pView = pView;
    m_pViewTarget = pView;
}

bool CMainFrame::OnCmdMsg(int nID, CmdMsg code, CCmdUI* pCmdUI)
{
    if (m_pViewTarget && m_pViewTarget->OnCmdMsg(nID, code, pCmdUI))
        return true;
    if (CCmdTarget::OnCmdMsg(nID, code, pCmdUI))
        return true;
    return m_pApp && m_pApp->OnCmdMsg(nID, code, pCmdUI);
}

bool CMainFrame::RunCommand(int nID)
{
    return m_pCommands && m_pCommands->Run(nID);
}

bool CMainFrame::event(QEvent* pEvent)
{
    if (pEvent->type() >= QEvent::User) {
        if (auto* pMessage = dynamic_cast<CWindowMessage*>(pEvent))
            return OnWindowMessage(*pMessage) || QMainWindow::event(pEvent);
    }
    switch (pEvent->type()) {
    case QEvent::StatusTip: {
        // Leaving an item brings back the idle text, as the one pane shows it between prompts.
        const QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        statusBar()->showMessage(strTip.isEmpty() ? LoadResString(AFX_IDS_IDLEMESSAGE) : strTip);
        return true;
    }
    case QEvent::WindowActivate:
        NoteMinimised(*this, false);
        if (m_pView)
            m_pView->setFocus(Qt::ActiveWindowFocusReason);
        break;
    default:
        break;
    }
    return QMainWindow::event(pEvent);
}

bool CMainFrame::OnWindowMessage(CWindowMessage& message)
{
    switch (message.Message()) {
    case WM_TRAY_NOTIFY:
        OnTrayNotification(int(message.WParam()),
                           QSystemTrayIcon::ActivationReason(message.LParam()));
        return true;
    case WM_TOGGLE_CAPTION:
        if (m_bCaptionHidden)
            ShowCaption();
        else
            HideCaption();
        return true;
    case WM_FLASH_TRAY:
        OnFlashTray(message.WParam());
        return true;
    default:
        return false;
    }
}

void CMainFrame::OnTrayNotification(int nID, QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick) {
        ShowAndActivate(*this, false);
        m_trayIcon.StopFlashing();
        return;
    }
    m_trayIcon.HandleNotification(nID, reason);
}

void CMainFrame::OnFlashTray(qintptr wParam)
{
    if (wParam != 0) {
        m_trayIcon.StopFlashing();
        if (m_pNotification)
            m_pNotification->Withdraw();
    } else if (HasTray()) {
        m_trayIcon.StartFlashing(1000, 0);
    } else {
        // Many desktops show the urgency hint faintly or not at all: the message is told too,
        // unless the window is in front already.
        QApplication::alert(this);
        if (!isActiveWindow())
            ShowNotification();
    }
}

void CMainFrame::ShowNotification()
{
    if (!m_pNotification) {
        m_pNotification = new CDesktopNotification(QGuiApplication::desktopFileName(), this);
        connect(m_pNotification, &CDesktopNotification::Activated, this,
                [this](const QByteArray& activationToken) {
                    ShowAndActivate(*this, false, activationToken);
                });
    }
    m_pNotification->Show(LoadResString(AFX_IDS_APP_TITLE), NotificationText(m_strFlashText));
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    SavePlacement();
    SaveBarState();
    WriteProfileInt(kHideCaption.section, kHideCaption.name, m_bCaptionHidden ? 1 : 0);
    m_bClosing = true;
    pEvent->accept();
}

void CMainFrame::changeEvent(QEvent* pEvent)
{
    QMainWindow::changeEvent(pEvent);
    if (pEvent->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    NoteMinimised(*this, true);
    if (!HasTray())
        return;
    // Minimising hides the frame; the program then lives in the tray. The window system is
    // still busy minimising, so the hiding waits for it.
    QMetaObject::invokeMethod(
        this, [this] {
            if (isMinimized() && isVisible())
                hide();
        },
        Qt::QueuedConnection);
}

void CMainFrame::setVisible(bool bVisible)
{
    if (!bVisible && !m_bClosing && !HasTray() && isVisible()) {
        // Without a tray a hidden frame could never be found again: it is only minimised.
        showMinimized();
        return;
    }
    // The shown frame stays in the task bar, tray or not: some window managers (Mutter) refuse
    // to minimise a window left out of it, and a frame hidden to the tray is in no task bar.
    const bool bShowing = bVisible && !isVisible();
    QMainWindow::setVisible(bVisible);
    // The window manager forgets the states of a window it no longer shows.
    if (bShowing && m_bAlwaysOnTop)
        SetAlwaysOnTop(windowHandle(), true);
}

void CMainFrame::HideCaption()
{
    m_bCaptionHidden = true;
    menuBar()->hide();
    UpdateTitleBar();
}

void CMainFrame::ShowCaption()
{
    m_bCaptionHidden = false;
    menuBar()->show();
    UpdateTitleBar();
}

void CMainFrame::UpdateTitleBar()
{
    // Only the title bar goes: the window can still be resized. Most window managers draw
    // all of their frame or none of it, so the frame draws its sizing border itself.
    winId();
    SetFrameFlag(Qt::FramelessWindowHint, m_bCaptionHidden);
    m_pSizingBorder->SetShown(m_bCaptionHidden);
    // Qt's flag change takes back "above", which is asked of the window manager, not a flag.
    if (m_bAlwaysOnTop && isVisible())
        SetAlwaysOnTop(windowHandle(), true);
}

void CMainFrame::OnAlwaysOnTop()
{
    m_bAlwaysOnTop = !m_bAlwaysOnTop;
    winId();
    if (!SetAlwaysOnTop(windowHandle(), m_bAlwaysOnTop))
        SetFrameFlag(Qt::WindowStaysOnTopHint, m_bAlwaysOnTop);
}

void CMainFrame::SetFrameFlag(Qt::WindowType flag, bool bOn)
{
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(flag, bOn);
    if (flags == windowFlags())
        return;
    QWindow* pWindow = windowHandle();
    if (!pWindow) {
        setWindowFlags(flags);
        return;
    }
    // Through the widget a flag change re-creates the window, hidden and placed anew; the
    // window system's own window takes the change as it stands.
    overrideWindowFlags(flags);
    pWindow->setFlags(flags);
}

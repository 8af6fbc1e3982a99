#pragma once

#include "app/SystemTray.h"
#include "app/WindowPlacement.h"
#include "platform/mfc/CmdTarget.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QMainWindow>

#include <memory>

class CDesktopNotification;
class CFrameCommands;
class CSizingBorder;
class CTrayIcon;
class CWindowMessage;

// The program's only top-level window: menu, toolbar and status bar around the message view,
// and the tray icon. Minimising hides it to the tray; it can drop its caption and menu, stay on
// top, and it remembers its placement, bar layout and caption state. Every command goes first
// to the view, then to the frame, then to the application object.
class CMainFrame : public QMainWindow, public CCmdTarget
{
    Q_OBJECT

public:
    // pApp is the last target of the command chain.
    explicit CMainFrame(CCmdTarget* pApp = nullptr, std::unique_ptr<CTrayIcon> pTrayIcon = nullptr);
    ~CMainFrame() override;

    // Builds the children; false when the frame cannot be created.
    bool Create();

    bool OnCmdMsg(int nID, CmdMsg code, CCmdUI* pCmdUI) override;
    // Runs a command as a menu item or key does.
    bool RunCommand(int nID);

    // Applies "WindowPos" with the given show command in place of the stored one, or only shows.
    void RestorePlacement(quint32 nShowCmd);
    bool ReadWindowPlacement(WindowPlacement& placement, QByteArrayView valueName);
    void WriteWindowPlacement(const WindowPlacement& placement, QByteArrayView valueName);

    void HideCaption();
    void ShowCaption();
    bool IsCaptionHidden() const { return m_bCaptionHidden; }
    bool IsAlwaysOnTop() const { return m_bAlwaysOnTop; }

    QWidget* GetView() const { return m_pView; }
    CSystemTray& GetTray() { return m_trayIcon; }
    CFrameCommands& GetCommands() const { return *m_pCommands; }

    void setVisible(bool bVisible) override;

protected:
    // Makes the client window; it is also the first command target of the chain.
    virtual void CreateView();

    bool event(QEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;
    QMenu* createPopupMenu() override { return nullptr; }

private:
    bool OnWindowMessage(CWindowMessage& message);
    void OnTrayNotification(int nID, QSystemTrayIcon::ActivationReason reason);
    void OnFlashTray(qintptr wParam);
    // Where no tray can flash, a desktop notification tells of the last message.
    void ShowNotification();
    void OnAlwaysOnTop();
    void SavePlacement();
    void LoadBarState();
    void SaveBarState();
    // Changes a window flag and leaves the frame shown, where and as large as it was.
    void SetFrameFlag(Qt::WindowType flag, bool bOn);
    void UpdateTitleBar();
    bool HasTray() const { return m_trayIcon.IsEnabled(); }

protected:
    // The client; the message view's command target is the first of the chain.
    QWidget* m_pView = nullptr;
    CCmdTarget* m_pViewTarget = nullptr;

private:
    CCmdTarget* m_pApp;
    CFrameCommands* m_pCommands = nullptr;
    CSystemTray m_trayIcon;
    CDesktopNotification* m_pNotification = nullptr;
    // The text of the newest message that asked for the flash.
    QByteArray m_strFlashText;
    // Shown while the caption is hidden.
    CSizingBorder* m_pSizingBorder = nullptr;
    bool m_bAlwaysOnTop = false;
    bool m_bCaptionHidden = false;
    bool m_bClosing = false;
};

#pragma once

#include "app/TrayIcon.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>

class QMenu;

// One icon in the notification area with a tool tip. It can flash by cycling through a list of
// frames on a timer, and offers the pop-up menu that has the icon's id, which the desktop shows
// on a right-click. Nothing in it knows the program's commands: the menu and the chosen command
// go out as signals, and clicks reach the owner as the callback message given to Create, the
// icon id in its wParam and Qt's activation reason in its lParam.
class CSystemTray : public QObject
{
    Q_OBJECT

public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using IconLoader = std::function<QIcon(int nID)>;

    // Without a tray icon of its own, it uses the desktop's through Qt.
    explicit CSystemTray(std::unique_ptr<CTrayIcon> pTrayIcon = nullptr);
    ~CSystemTray() override;

    // Adds the icon with its menu; false when the desktop refuses it. Without an owner, clicks
    // go straight to HandleNotification.
    bool Create(QObject* pOwner, int nCallbackMessage, const QString& strToolTip, const QIcon& icon,
                int nID);
    void DeleteIcon();
    bool ChangeIcon(const QIcon& icon);
    QIcon CurrentIcon() const;
    bool IsEnabled() const { return m_bEnabled; }

    // Loads the icons with ids first..last as the flash frames; false, keeping the old frames,
    // when first > last.
    bool SetFlashIcons(unsigned nFirstID, unsigned nLastID);
    // Starts (or restarts) flashing every nInterval milliseconds; after more than nLimit whole
    // seconds it stops by itself, never when nLimit <= 0. True when the timer started.
    bool StartFlashing(int nInterval, int nLimit);
    bool NextFlashIcon();
    // Stops flashing and puts back the icon shown when it started; false when nothing flashed.
    bool StopFlashing();
    bool IsFlashing() const { return m_nFlashTimer != 0; }
    // One tick of the flash timer.
    void OnTimer();

    // Answers a click on the icon: 0 for another icon, 1 otherwise; the context click (the
    // right button) opens the pop-up menu.
    virtual int HandleNotification(int nID, QSystemTrayIcon::ActivationReason reason);

    // Test seams: the time flashing is measured by, and where the flash frames come from.
    void SetClock(Clock clock);
    void SetIconLoader(IconLoader loader);

signals:
    // The menu is about to open: whoever runs its commands sets which are enabled or checked.
    void MenuAboutToOpen(QMenu* pMenu);
    // A command was chosen from the menu, which has closed by now. Connect it queued, so that
    // the command runs after the menu has gone.
    void CommandChosen(int nID);

protected:
    void timerEvent(QTimerEvent* pEvent) override;

private:
    void LoadMenu(int nID);

    // Declared before the icon, which refers to it until it is gone.
    std::unique_ptr<QMenu> m_pMenu;
    std::unique_ptr<CTrayIcon> m_pTrayIcon;
    QObject* m_pOwner = nullptr;
    bool m_bEnabled = false;
    int m_nIconID = 0;
    int m_nCallbackMessage = 0;
    QIcon m_icon;
    QList<QIcon> m_flashIcons;
    int m_nFlashTimer = 0;
    int m_nFlashIndex = 0;
    std::chrono::steady_clock::time_point m_flashStart;
    int m_nFlashLimit = 0;
    QIcon m_savedIcon;
    Clock m_clock;
    IconLoader m_loadIcon;
};

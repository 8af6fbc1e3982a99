#pragma once

#include <QEvent>

// A private window message of the main frame (WM_TRAY_NOTIFY, WM_TOGGLE_CAPTION, WM_FLASH_TRAY)
// carried as a Qt event whose type is the message number. Post it where a window message would
// be posted (QCoreApplication::postEvent), send it where it would be sent (sendEvent).
class CWindowMessage : public QEvent
{
public:
    CWindowMessage(int nMessage, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(QEvent::Type(nMessage)), m_wParam(wParam), m_lParam(lParam)
    {
    }

    int Message() const { return int(type()); }
    qintptr WParam() const { return m_wParam; }
    qintptr LParam() const { return m_lParam; }
    // The handler's answer, read back by whoever sent the message.
    qintptr m_lResult = 0;

private:
    qintptr m_wParam;
    qintptr m_lParam;
};

// Mouse messages as a tray icon's notification carries them in its lParam.
inline constexpr int WM_LBUTTONUP = 0x0202;
inline constexpr int WM_LBUTTONDBLCLK = 0x0203;
inline constexpr int WM_RBUTTONUP = 0x0205;
inline constexpr int WM_MBUTTONUP = 0x0208;

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

private:
    qintptr m_wParam;
    qintptr m_lParam;
};

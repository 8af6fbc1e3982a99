#pragma once

#include "messaging/MessageReceiver.h"
#include "messaging/TextView.h"
#include "platform/mfc/CmdTarget.h"

#include <QByteArray>
#include <QDeadlineTimer>

#include <memory>

// The message window: shows what its receiver, the receive pipeline, adds, brings the main
// window forward and asks it to flash when the pipeline says so. Its commands come to it first,
// ahead of the main frame's.
class CMessageView : public CTextView, public CCmdTarget
{
    Q_OBJECT

public:
    // Without a receiver of the caller's, the view makes its own.
    explicit CMessageView(QWidget* pParent = nullptr,
                          std::unique_ptr<CMessageReceiver> pReceiver = nullptr);
    ~CMessageView() override;

    // Makes the window a receiver: opens the own inbox, loads the alerts, starts polling and
    // applies the stored font. The window works on whether or not the inbox could be opened.
    void Create();

    // One poll of the receiver.
    void OnTimer();
    // Stamps the text when the date stamp is on, logs it when logging is on, and shows it.
    void AddMessage(const QByteArray& text);

    // The stored display font, or the default when none is stored.
    void LoadViewFont(FontDescription& description);
    void SaveViewFont(const FontDescription& description);

    // Whether the own inbox is open, so that messages to this computer arrive.
    bool IsReceiving() const { return m_pReceiver->IsReceiving(); }
    CMessageReceiver& Receiver() { return *m_pReceiver; }

    void OnSendMessage();
    // Runs the Properties sheet on the window's options and alerts, and takes them over on OK.
    void OnShowProperties();
    void OnFastMark();
    void OnClear();
    void OnHide();
    void OnFont();
    void OnTestMessages();

signals:
    // The text that the main window, asked to flash, tells of where no tray icon can flash.
    void FlashText(const QByteArray& text);

protected:
    void contextMenuEvent(QContextMenuEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;

    // The pop-up menu at the mouse cursor; the chosen command comes back to this view.
    void OnContextMenu();
    // Asks the parent (the main frame) to hide or bring back its caption and menu.
    void OnLButtonDblClk();
    // The user is here: the main window may stop flashing.
    void OnSetFocus();

    // The window the pipeline brings forward and asks to flash: the one this view lives in.
    QWidget* MainWindow() const { return window(); }

private:
    void OnBringForward();
    void OnFlash(const QByteArray& text, bool bStart);
    void ReportPollError(quint32 nError);

    std::unique_ptr<CMessageReceiver> m_pReceiver;
    // Running while the focus that a message's bringing the window forward causes is awaited.
    QDeadlineTimer m_activationFocus;
};

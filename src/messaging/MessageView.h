#pragma once

#include "alerts/Alert.h"
#include "alerts/AlertMatcher.h"
#include "messaging/TextView.h"
#include "platform/mfc/CmdTarget.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class CMailslotInbox;

// The message window: shows the received messages and is also the receiver. Every tick of its
// poll timer drains the own inbox; a ping is answered (one a second at most), a repeat dropped,
// and every other message is offered to the alerts, signalled to the main window and shown
// through AddMessage, the one way by which lines reach the display and the log. A tick reads in
// slices of kSliceMs at most and lets the window answer between them; messages keep their order
// and their steps as if all had been read at once. Alert tasks start in slices too, in order,
// and the next message waits for them. Its commands come to it first, ahead of the main frame's.
class CMessageView : public CTextView, public CCmdTarget
{
    Q_OBJECT

public:
    // Seconds since the epoch, now; tests set their own. Only the stamps are local time.
    using Clock = std::function<qint64()>;
    // Milliseconds on a steady clock, which ends slices; tests set their own.
    using SliceClock = std::function<qint64()>;

    // The longest a tick reads at one stretch.
    static constexpr qint64 kSliceMs = 20;

    explicit CMessageView(QWidget* pParent = nullptr, Clock clock = {});
    ~CMessageView() override;

    // Makes the window a receiver: opens the own inbox, loads the alerts, starts polling and
    // applies the stored font. The window works on whether or not the inbox could be opened.
    void Create();

    // One poll: reads every datagram waiting at its start, in slices, and repaints the window.
    void OnTimer();
    // Stamps the text when the date stamp is on, logs it when logging is on, and shows it.
    void AddMessage(const QByteArray& text);

    // The stored display font, or the default when none is stored.
    void LoadViewFont(FontDescription& description);
    void SaveViewFont(const FontDescription& description);

    // Whether the own inbox is open, so that messages to this computer arrive.
    bool IsReceiving() const;
    // The text of the last message the pipeline accepted.
    const QByteArray& LastText() const { return m_strLastText; }

    // Pings not answered so far, for coming in a second in which one was answered already.
    quint64 PingsNotAnswered() const { return m_nPingsNotAnswered; }
    // Alert task starts skipped so far because the task's previous run still ran.
    int SkippedTaskStarts() const { return m_nSkippedTaskStarts; }
    // Alert task starts that failed so far: the program is missing or cannot be run.
    int FailedTaskStarts() const { return m_nFailedTaskStarts; }
    void SetSliceClock(SliceClock clock) { m_sliceClock = std::move(clock); }

    void OnSendMessage();
    // Runs the Properties sheet on the window's options and alerts, and takes them over on OK.
    void OnShowProperties();
    void OnFastMark();
    void OnClear();
    void OnHide();
    void OnFont();
    void OnTestMessages();

signals:
    // The inbox could not be made because another program, most likely another copy of
    // Tellwick, owns it: this window receives nothing. Said once, when the window is made.
    void InboxUnavailable(const QString& strText);
    // Another alert task start was skipped; nTotal counts them all since the window was made.
    void TaskStartsSkipped(int nTotal);
    // An alert task's program could not be started; nTotal counts the failed starts since the
    // window was made.
    void TaskStartsFailed(int nTotal);
    // Datagrams that reached this computer were dropped by the system, for arriving faster than
    // they were taken in; nTotal counts them since the window was made.
    void DatagramsDropped(qulonglong nTotal);

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

    // Reads datagrams counted by ticks until none is left or the slice's time is up; then the
    // next slice waits for the window to have answered.
    void ReadSlice();
    // True when the datagram was a ping.
    bool ReadMessage();
    bool IsDuplicate(const QByteArray& text);
    void ProcessMessage(const QByteArray& text);
    virtual void AnswerPing();

    // The window the pipeline brings forward and asks to flash: the one this view lives in.
    QWidget* MainWindow() const { return window(); }

    std::unique_ptr<CMailslotInbox> m_pInbox;
    bool m_bAddDateTime = true;
    qint64 m_lastTime = 0; // seconds since the epoch
    QByteArray m_strLastText;
    CAlertList m_alerts;
    QTimer m_pollTimer;
    QTimer m_sliceTimer;

private:
    // The options that the messages of one slice go by, read from the store when it starts.
    struct SliceOptions
    {
        qint64 nEndMs = 0;
        qint64 nDupMsgSeconds = 0;
        bool bCheckAlerts = false;
        bool bMakeVisible = false;
        bool bFlashTrayIcon = false;
        bool bLogToFile = false;
        QByteArray logFileName;
        // Done once for the slice: nothing between its messages could have undone it.
        bool bBroughtForward = false;
        bool bFlashAsked = false;
    };

    void ReadSliceOptions();
    // Starts the waiting alert tasks in order until none is left or the slice's time is up.
    void StartTasks();
    // With bInSlice the record waits in m_pendingLog for the others of the slice.
    void AddLoggedLine(const QByteArray& text, bool bLogToFile, const QByteArray& logFileName,
                       bool bInSlice);
    void WriteLog();
    void ReportInboxNotCreated();
    void ReportPollError(quint32 nError);
    void ReportDrops();

    Clock m_clock;
    SliceClock m_sliceClock;
    // Counted by ticks and not read yet; nested ticks read from the same count.
    int m_nToRead = 0;
    SliceOptions m_slice;
    CAlertMatcher m_matcher;
    // The date and time stamp of the second last stamped, with its blank.
    qint64 m_nStampSecond = -1;
    QByteArray m_stamp;
    // Records of the slice not written yet. They reach the log together, before anything could
    // look at it: at the end of the slice, before an alert's task runs, before another line.
    QByteArray m_pendingLog;
    QByteArray m_pendingLogName;
    quint64 m_nDropsTold = 0;
    bool m_bDropsGrew = false; // at the last tick
    // Running while the focus that a message's bringing the window forward causes is awaited.
    QDeadlineTimer m_activationFocus;
    bool m_bCreated = false;
    bool m_bAlertFileWhole = false; // else the file there is kept aside before it is replaced
    int m_nSkippedTaskStarts = 0;
    int m_nFailedTaskStarts = 0;
    // The alerts whose tasks a message asked for and that have not been started yet.
    std::deque<std::shared_ptr<CAlert>> m_taskStarts;
    bool m_bStartingTasks = false;
    qint64 m_nPingSecond = -1; // of the last ping answered, on m_clock
    quint64 m_nPingsNotAnswered = 0;
    bool m_bReportingPollError = false;
    bool m_bInboxFailureTold = false;
};

#pragma once

#include "alerts/Alert.h"
#include "alerts/AlertMatcher.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>

class CMailslotInbox;

// The receive pipeline, without a window. Every tick of its poll timer drains the own inbox; a
// ping is answered (one a second at most), a repeat dropped, and every other message is offered
// to the alerts, asks the window to come forward and to flash, and is added through AddMessage,
// the one way by which lines reach the display and the log. A tick reads in slices of kSliceMs
// at most and lets the window answer between them; messages keep their order and their steps as
// if all had been read at once. Alert tasks start in slices too, in order, and the next message
// waits for them.
class CMessageReceiver : public QObject
{
    Q_OBJECT

public:
    // Seconds since the epoch, now; tests set their own. Only the stamps are local time.
    using Clock = std::function<qint64()>;
    // Milliseconds on a steady clock, which ends slices; tests set their own.
    using SliceClock = std::function<qint64()>;

    // The longest a tick reads at one stretch.
    static constexpr qint64 kSliceMs = 20;

    explicit CMessageReceiver(Clock clock = {});
    ~CMessageReceiver() override;

    // Opens the own inbox, loads the alerts and starts polling. The pipeline works on whether
    // or not the inbox could be opened.
    void Create();

    // One poll: reads every datagram waiting at its start, in slices.
    void OnTimer();
    // Stamps the text when the date stamp is on, logs it when logging is on, and adds it.
    void AddMessage(const QByteArray& text);

    // Whether the own inbox is open, so that messages to this computer arrive.
    bool IsReceiving() const;

    bool GetAddDateTime() const { return m_bAddDateTime; }
    void SetAddDateTime(bool bAddDateTime) { m_bAddDateTime = bAddDateTime; }
    const CAlertList& GetAlerts() const { return m_alerts; }
    // Takes confirmed alerts over and keeps them at once, not only at a clean exit that may
    // never come.
    void SetAlerts(const CAlertList& alerts);

    // Pings not answered so far, for coming in a second in which one was answered already.
    quint64 PingsNotAnswered() const { return m_nPingsNotAnswered; }
    // Alert task starts skipped so far because the task's previous run still ran.
    int SkippedTaskStarts() const { return m_nSkippedTaskStarts; }
    // Alert task starts that failed so far: the program is missing or cannot be run.
    int FailedTaskStarts() const { return m_nFailedTaskStarts; }
    void SetSliceClock(SliceClock clock) { m_sliceClock = std::move(clock); }

signals:
    // A stamped line for the display.
    void LineAdded(const QByteArray& line);
    // A message asks for the main window in front; once a slice.
    void BringForward();
    // A message asks the main window to flash, telling of its text. The first of a slice asks
    // anew (bStart); the later ones of the slice only bring the text told up to date.
    void Flash(const QByteArray& text, bool bStart);
    // A tick, or a later slice of it, is over: the window repaints.
    void Polled();
    // The inbox could not be polled. The ticks that come while this is answered wait.
    void PollFailed(quint32 nError);
    // The inbox could not be made because another program, most likely another copy of
    // Tellwick, owns it: nothing is received. Said once, when the pipeline is made.
    void InboxUnavailable(const QString& strText);
    // Another alert task start was skipped; nTotal counts them all since the start.
    void TaskStartsSkipped(int nTotal);
    // An alert task's program could not be started; nTotal counts the failed starts since the
    // start.
    void TaskStartsFailed(int nTotal);
    // Datagrams that reached this computer were dropped by the system, for arriving faster than
    // they were taken in; nTotal counts them since the start.
    void DatagramsDropped(qulonglong nTotal);

protected:
    // Reads datagrams counted by ticks until none is left or the slice's time is up; then the
    // next slice waits for the window to have answered.
    void ReadSlice();
    // True when the datagram was a ping.
    bool ReadMessage();
    bool IsDuplicate(const QByteArray& text);
    void ProcessMessage(const QByteArray& text);
    virtual void AnswerPing();

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

#include "messaging/MessageReceiver.h"

#include "alerts/AlertFile.h"
#include "messaging/Mailslot.h"
#include "messaging/MessageLog.h"
#include "platform/app/Logging.h"
#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/MailslotInbox.h"
#include "platform/mailslot/MailslotTransport.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/ProgramValue.h"
#include "settings/Settings.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QScopedValueRollback>

#include <algorithm>
#include <limits>

namespace {

// The shortest and longest poll intervals the platform's timers take; others are moved into
// this range, so a stored 0 cannot make the poll spin.
constexpr quint32 kMinPollInterval = 10;
constexpr quint32 kMaxPollInterval = std::numeric_limits<qint32>::max();
// A slice's records wait for each other only up to this many bytes.
constexpr qsizetype kMaxPendingLog = 1 << 20;

} // namespace

CMessageReceiver::CMessageReceiver(Clock clock)
    : m_pInbox(std::make_unique<CMailslotInbox>())
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentSecsSinceEpoch(); }))
{
    m_lastTime = m_clock();
    QElapsedTimer made;
    made.start();
    m_sliceClock = [made] { return made.elapsed(); };
    m_bAddDateTime = CSettings().GetAddDateTime();

    connect(&m_pollTimer, &QTimer::timeout, this, &CMessageReceiver::OnTimer);
    m_sliceTimer.setSingleShot(true);
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, [this] {
        if ((m_nToRead > 0 || !m_taskStarts.empty()) && !m_bReportingPollError)
            ReadSlice();
        emit Polled();
    });
}

CMessageReceiver::~CMessageReceiver()
{
    // Only a pipeline that loaded the alerts writes them back: saving the empty list of one
    // that never got so far would wipe the user's alert file.
    WriteLog();
    if (m_bCreated)
        SaveAlerts(m_alerts, !m_bAlertFileWhole);
    m_alerts.clear();
    m_pInbox->Close();
}

void CMessageReceiver::Create()
{
    if (!m_pInbox->Create())
        ReportInboxNotCreated();
    m_bAlertFileWhole = LoadAlerts(m_alerts);
    m_bCreated = true;

    const quint32 nInterval =
        std::clamp(ReadProgramDword(kTimerMailWait), kMinPollInterval, kMaxPollInterval);
    m_pollTimer.start(int(nInterval));
}

bool CMessageReceiver::IsReceiving() const
{
    return m_pInbox->IsValid();
}

void CMessageReceiver::SetAlerts(const CAlertList& alerts)
{
    m_alerts = alerts;
    if (SaveAlerts(m_alerts, !m_bAlertFileWhole))
        m_bAlertFileWhole = true;
}

void CMessageReceiver::ReportInboxNotCreated()
{
    const QString strError = m_pInbox->LastErrorText();
    if (MailslotTransport().IsSystemPort()) {
        // The port belongs to the system's NetBIOS service: say once why it could not be had.
        // Standard error keeps English, as every diagnostic does; the status bar is translated.
        const QString strDetail =
            QStringLiteral(": UDP port %1: %2").arg(MailslotPort()).arg(strError);
        qCWarning(lcMailslot).noquote()
            << LoadResSourceString(IDS_UNABLE_TO_CREATE_MAILSLOT) + strDetail << "-"
            << m_pInbox->Remedy();
        m_bInboxFailureTold = true;
        emit InboxUnavailable(LoadResString(IDS_UNABLE_TO_CREATE_MAILSLOT) + strDetail);
        return;
    }
    if (!m_pInbox->IsTakenElsewhere()) {
        qCWarning(lcMailslot).noquote()
            << "inbox not created on UDP port" << MailslotPort() << "-" << strError;
        return;
    }
    // A copy started from another session or environment: the single-copy lock cannot see it.
    static constexpr char kTakenElsewhere[] =
        QT_TR_NOOP("Not receiving: UDP port %1 is in use, most likely by another copy of Tellwick");
    qCWarning(lcMailslot).noquote()
        << "inbox not created:" << QString::fromLatin1(kTakenElsewhere).arg(MailslotPort()) << "-"
        << strError;
    m_bInboxFailureTold = true;
    emit InboxUnavailable(tr(kTakenElsewhere).arg(MailslotPort()));
}

void CMessageReceiver::OnTimer()
{
    // While the error box is open its own loop keeps ticking; those ticks wait, so boxes
    // never pile up.
    if (m_bReportingPollError)
        return;
    int nCount = 0;
    if (m_pInbox->GetInfo(nCount)) {
        // Those counted before and not read yet are the first of these.
        m_nToRead = nCount;
        if (m_nToRead > 0)
            ReadSlice();
    } else if (!m_bInboxFailureTold) {
        // An inbox that could not be had was told about once, when the pipeline was made.
        ReportPollError(m_pInbox->LastError());
    }
    ReportDrops();
    emit Polled();
}

void CMessageReceiver::ReadSlice()
{
    const qint64 nEndMs = m_sliceClock() + kSliceMs;
    // Once per slice: a change of the store, by hand too, counts from the next slice on.
    ReadSliceOptions();
    m_slice.nEndMs = nEndMs;
    // The tasks of a message start before the next message is read. A tick nested in one of
    // them (its own dialog) reads on; the tasks of its messages wait behind.
    bool bWorked = false;
    if (!m_taskStarts.empty() && !m_bStartingTasks) {
        StartTasks();
        bWorked = true;
    }
    while (m_nToRead > 0 && (m_taskStarts.empty() || m_bStartingTasks) &&
           (!std::exchange(bWorked, true) || m_sliceClock() < nEndMs)) {
        --m_nToRead;
        ReadMessage();
        // A tick nested in this message read in a slice of its own.
        m_slice.nEndMs = nEndMs;
    }
    WriteLog();
    if (m_nToRead > 0 || (!m_taskStarts.empty() && !m_bStartingTasks))
        m_sliceTimer.start();
}

void CMessageReceiver::StartTasks()
{
    if (m_bStartingTasks)
        return;
    const QScopedValueRollback starting(m_bStartingTasks, true);
    const qint64 nEndMs = m_slice.nEndMs;
    // At least one start per slice, so that the starts move on however slow each is.
    do {
        const std::shared_ptr<CAlert> pAlert = std::move(m_taskStarts.front());
        m_taskStarts.pop_front();
        switch (pAlert->RunTask()) {
        case CAlert::TaskStart::StillRunning:
            emit TaskStartsSkipped(++m_nSkippedTaskStarts);
            break;
        case CAlert::TaskStart::Failed:
            emit TaskStartsFailed(++m_nFailedTaskStarts);
            break;
        default:
            break;
        }
        m_slice.nEndMs = nEndMs;
    } while (!m_taskStarts.empty() && m_sliceClock() < nEndMs);
}

void CMessageReceiver::ReadSliceOptions()
{
    const CSettings settings;
    m_slice = SliceOptions{};
    m_slice.nDupMsgSeconds = ReadProgramDword(kDupMsgSeconds);
    m_slice.bCheckAlerts = ReadProgramDword(kCheckAlerts) != 0;
    m_slice.bMakeVisible = settings.GetMakeVisible();
    m_slice.bFlashTrayIcon = settings.GetFlashTrayIcon();
    m_slice.bLogToFile = settings.GetLogToFile();
    m_slice.logFileName = settings.GetLogFileName();
}

void CMessageReceiver::ReportDrops()
{
    const quint64 nDropped = m_pInbox->DroppedBySystem();
    const bool bGrew = nDropped > m_nDropsTold;
    // Told on standard error when drops begin, not at every tick of a long flood.
    if (bGrew && !m_bDropsGrew) {
        qCWarning(lcMailslot).noquote().nospace()
            << "the system dropped " << nDropped - m_nDropsTold
            << " datagrams that arrived faster than they were taken in (" << nDropped
            << " since the start)";
    }
    m_bDropsGrew = bGrew;
    if (!bGrew)
        return;
    m_nDropsTold = nDropped;
    emit DatagramsDropped(nDropped);
}

void CMessageReceiver::ReportPollError(quint32 nError)
{
    const QScopedValueRollback reporting(m_bReportingPollError, true);
    emit PollFailed(nError);
}

bool CMessageReceiver::ReadMessage()
{
    QByteArray datagram;
    if (!m_pInbox->Read(datagram))
        return false;
    const QByteArray text = DatagramText(datagram);
    if (IsPing(text)) {
        // Every copy broadcasts its answer: a host pinging in a loop must not make them all
        // broadcast in a loop.
        const qint64 nNow = m_clock();
        if (nNow != m_nPingSecond) {
            m_nPingSecond = nNow;
            AnswerPing();
        } else if (m_nPingsNotAnswered++ == 0) {
            qCWarning(lcMailslot).noquote()
                << "pings come faster than one a second: only the first of each second is answered";
        }
        return true;
    }
    ProcessMessage(text);
    return false;
}

void CMessageReceiver::AnswerPing()
{
    ::AnswerPing();
}

bool CMessageReceiver::IsDuplicate(const QByteArray& text)
{
    const qint64 nElapsed = m_clock() - m_lastTime;
    // A clock set back must not hold back every repeat until it has caught up again.
    return nElapsed >= 0 && nElapsed <= m_slice.nDupMsgSeconds && text == m_strLastText;
}

void CMessageReceiver::ProcessMessage(const QByteArray& text)
{
    if (IsDuplicate(text))
        return;
    m_strLastText = text;
    m_lastTime = m_clock();

    if (m_slice.bCheckAlerts) {
        // Only the alerts that can match are asked. Those that do are held until their tasks
        // have started, as a task's own loop may change the list meanwhile; the starts that do
        // not fit into this slice follow in the next ones.
        CAlertList candidates;
        m_matcher.FindCandidates(m_alerts, text, candidates);
        std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(m_taskStarts),
                     [&text](const std::shared_ptr<CAlert>& pAlert) { return pAlert->Matches(text); });
        // A task may read the log: the lines before this one are there when it starts.
        if (!candidates.empty())
            WriteLog();
        if (!m_taskStarts.empty())
            StartTasks();
        // Tasks that took this long may have run a loop in which the options changed.
        if (!candidates.empty() && m_sliceClock() >= m_slice.nEndMs) {
            const qint64 nEndMs = m_slice.nEndMs;
            ReadSliceOptions();
            m_slice.nEndMs = nEndMs;
        }
    }

    if (m_slice.bMakeVisible && !std::exchange(m_slice.bBroughtForward, true))
        emit BringForward();
    if (m_slice.bFlashTrayIcon)
        emit Flash(text, !std::exchange(m_slice.bFlashAsked, true));
    AddLoggedLine(text, m_slice.bLogToFile, m_slice.logFileName, true);
}

void CMessageReceiver::AddMessage(const QByteArray& text)
{
    const CSettings settings;
    AddLoggedLine(text, settings.GetLogToFile(), settings.GetLogFileName(), false);
}

void CMessageReceiver::AddLoggedLine(const QByteArray& text, bool bLogToFile,
                                     const QByteArray& logFileName, bool bInSlice)
{
    QByteArray line;
    if (m_bAddDateTime) {
        // Formatting local time is slow; a burst stamps many lines within one second.
        const qint64 nNow = m_clock();
        if (nNow != m_nStampSecond) {
            m_stamp = QDateTime::fromSecsSinceEpoch(nNow)
                          .toString(QStringLiteral("MM/dd/yy HH:mm:ss "))
                          .toLatin1();
            m_nStampSecond = nNow;
        }
        line.reserve(m_stamp.size() + text.size());
        line.append(m_stamp).append(text);
    } else {
        line = text;
    }
    if (bLogToFile && !logFileName.isEmpty()) {
        if (!bInSlice || logFileName != m_pendingLogName || m_pendingLog.size() >= kMaxPendingLog)
            WriteLog();
        if (bInSlice) {
            m_pendingLogName = logFileName;
            AppendLogRecord(m_pendingLog, line);
        } else {
            AppendLog(logFileName, line);
        }
    }
    emit LineAdded(line);
}

void CMessageReceiver::WriteLog()
{
    if (m_pendingLog.isEmpty())
        return;
    AppendLogRecords(m_pendingLogName, m_pendingLog);
    m_pendingLog.resize(0);
}

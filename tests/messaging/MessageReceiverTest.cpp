#include "ReceiverFixture.h"

#include "alerts/AlertTestSupport.h"
#include "support/Bytes.h"
#include "support/CaseName.h"
#include "support/WarningCapture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include <sys/file.h>

namespace {

// A slice clock step that ends every slice after its first message.
constexpr qint64 kSliceEveryMessage = CMessageReceiver::kSliceMs + 1;

using MessageReceiverTest = CReceiverFixture;

struct Arrival
{
    int nSecond; // after the receiver was made
    QByteArray text;
};

struct DuplicateCase
{
    const char* name;
    std::optional<quint32> nDupMsgSeconds;
    std::vector<Arrival> arrivals;
    QList<QByteArray> shown;
    int nPings = 0;
};

void PrintTo(const DuplicateCase& c, std::ostream* os)
{
    *os << c.name;
}

class DuplicateTest : public CReceiverFixture, public ::testing::WithParamInterface<DuplicateCase>
{
};

TEST_P(DuplicateTest, OnlyARepeatOfTheLastShownTextInTimeIsDropped)
{
    SetDword(kAddDateTime, 0);
    if (GetParam().nDupMsgSeconds)
        SetDword(kDupMsgSeconds, *GetParam().nDupMsgSeconds);
    TestReceiver& receiver = MakeReceiver();
    for (const Arrival& arrival : GetParam().arrivals) {
        m_now = kStart + arrival.nSecond;
        Receive(arrival.text);
        receiver.OnTimer();
    }
    EXPECT_EQ(receiver.m_lines, GetParam().shown);
    EXPECT_EQ(receiver.m_nPings, GetParam().nPings);
}

INSTANTIATE_TEST_SUITE_P(
    MessageReceiver, DuplicateTest,
    ::testing::Values(
        DuplicateCase{"TwoSecondsApart", {}, {{0, "hi"}, {2, "hi"}}, {"hi"}},
        DuplicateCase{"FourSecondsApart", {}, {{0, "hi"}, {4, "hi"}}, {"hi", "hi"}},
        DuplicateCase{"ExactlyTheWindowApart", {}, {{0, "hi"}, {3, "hi"}}, {"hi"}},
        // The window counts from the last copy shown, not from the last one dropped.
        DuplicateCase{"EveryTwoSeconds",
                      {},
                      {{0, "hi"}, {2, "hi"}, {4, "hi"}, {6, "hi"}, {8, "hi"}},
                      {"hi", "hi", "hi"}},
        DuplicateCase{"OnlyTheLastTextCounts", {}, {{0, "A"}, {0, "B"}, {0, "A"}}, {"A", "B", "A"}},
        DuplicateCase{"RepeatsCompareEveryByte", {}, {{0, "hi"}, {0, "Hi"}, {0, "hi "}}, {"hi", "Hi", "hi "}},
        DuplicateCase{"NoWindow", 0, {{0, "hi"}, {0, "hi"}, {1, "hi"}}, {"hi", "hi"}},
        DuplicateCase{"LongerWindow", 10, {{0, "hi"}, {9, "hi"}, {11, "hi"}}, {"hi", "hi"}},
        // The last text starts empty, its time the moment the receiver was made.
        DuplicateCase{"EmptyTextRightAfterMaking", {}, {{1, ""}, {4, ""}}, {""}},
        DuplicateCase{"PingBetweenEqualTexts",
                      {},
                      {{0, "hi"}, {1, "who <PING> is there"}, {2, "hi"}},
                      {"hi"},
                      1},
        DuplicateCase{"ClockSetBack", {}, {{0, "hi"}, {-3600, "hi"}}, {"hi", "hi"}}),
    CaseName());

TEST_F(MessageReceiverTest, AtMostOnePingASecondIsAnsweredTheOthersAreCountedAndToldOnce)
{
    TestReceiver& receiver = MakeReceiver();
    CWarningCapture warnings("tellwick.mailslot");
    const struct
    {
        int nSecond;
        int nPings; // read in one tick
        int nAnswered;
        quint64 nNotAnswered;
    } steps[] = {
        {0, 1, 1, 0}, // a single ping, as before
        {1, 5, 2, 4},
        {1, 1, 2, 5}, // in a later tick of the same second
        {2, 3, 3, 7},
        {-3600, 1, 4, 7}, // the clock set back
    };
    for (const auto& step : steps) {
        m_now = kStart + step.nSecond;
        for (int i = 0; i < step.nPings; ++i)
            Receive(i % 2 ? "who <PING> is there" : "<PING>");
        receiver.OnTimer();
        EXPECT_EQ(receiver.m_nPings, step.nAnswered) << step.nSecond;
        EXPECT_EQ(receiver.PingsNotAnswered(), step.nNotAnswered) << step.nSecond;
    }
    EXPECT_EQ(warnings.Take().size(), 1);
    EXPECT_TRUE(receiver.m_lines.isEmpty());
    EXPECT_TRUE(receiver.m_requests.isEmpty()) << "a ping asks nothing of the window";
}

// Every datagram waiting at a tick is read in it, in order; each is one line and one log record.
TEST_F(MessageReceiverTest, WaitingDatagramsAreStampedLoggedAndAddedAsTheSettingsSay)
{
    const struct
    {
        const char* name;
        std::function<void()> configure;
        QList<QByteArray> datagrams;
        QList<QByteArray> lines;
        QByteArray log;
    } cases[] = {
        {"defaults", [] {}, {"hi"}, {"06/15/01 14:03:59 hi"}, "06/15/01 14:03:59 hi\r\n"},
        {"no stamp", [] { SetDword(kAddDateTime, 0); }, {"hi"}, {"hi"}, "hi\r\n"},
        {"no log", [] { SetDword(kLogToFile, 0); }, {"hi"}, {"06/15/01 14:03:59 hi"}, "<none>"},
        {"no log name", [] { SetString(kLogFileName, ""); }, {"hi"}, {"06/15/01 14:03:59 hi"}, "<none>"},
        // Shown as sent, but one record whatever it carries.
        {"line breaks and escapes",
         [] {},
         {"hi\r\n06/15/01 14:04:00 FORGED\x1b[2J"},
         {"06/15/01 14:03:59 hi\r\n06/15/01 14:04:00 FORGED\x1b[2J"},
         "06/15/01 14:03:59 hi\\r\\n06/15/01 14:04:00 FORGED\\x1b[2J\r\n"},
        // Only the text before the first zero byte counts.
        {"in order, up to a zero byte",
         [] { SetDword(kAddDateTime, 0); },
         {"one", "two", "three", "four", "five", Bytes("six\0seven")},
         {"one", "two", "three", "four", "five", "six"},
         "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\n"},
    };
    for (const auto& c : cases) {
        SetUp();
        c.configure();
        TestReceiver& receiver = MakeReceiver();
        for (const QByteArray& datagram : c.datagrams)
            Receive(datagram);
        receiver.OnTimer();
        EXPECT_EQ(receiver.m_lines, c.lines) << c.name;
        EXPECT_EQ(Log(), c.log) << c.name;
        receiver.OnTimer();
        EXPECT_EQ(receiver.m_lines.size(), c.lines.size()) << c.name << ": read once";
    }
}

TEST_F(MessageReceiverTest, ThePollIntervalAndStampSwitchAreReadWhenMadeTheLogSettingsPerLine)
{
    const struct
    {
        std::optional<quint32> nStored;
        int nInterval;
    } intervals[] = {{{}, 2000}, {0, 10}, {0xFFFFFFFF, 2147483647}};
    for (const auto& c : intervals) {
        SetUp();
        SetDword(kAddDateTime, 0);
        if (c.nStored)
            SetDword(kTimerMailWait, *c.nStored);
        TestReceiver& receiver = MakeReceiver();
        EXPECT_FALSE(receiver.GetAddDateTime());
        EXPECT_TRUE(receiver.m_pollTimer.isActive());
        EXPECT_EQ(receiver.m_pollTimer.interval(), c.nInterval);
    }
    SetDword(kAddDateTime, 1);
    SetString(kLogFileName, "other.log");
    m_pReceiver->AddMessage("first");
    SetDword(kLogToFile, 0);
    m_pReceiver->AddMessage("second");
    EXPECT_EQ(m_pReceiver->m_lines, (QList<QByteArray>{"first", "second"}));
    EXPECT_EQ(ReadFile("other.log"), "first\r\n");
    QFile::remove(QStringLiteral("other.log"));
}

TEST_F(MessageReceiverTest, AlertsAreOfferedTheRawTextWhenSwitchedOn)
{
    for (const quint32 nCheckAlerts : {1u, 0u}) {
        SetUp();
        SetDword(kCheckAlerts, nCheckAlerts);
        TestReceiver& receiver = MakeReceiver();
        const auto pRuns = std::make_shared<std::vector<QByteArray>>();
        const auto addAlert = [&](const char* task, QByteArray keyword, bool bActive = true) {
            auto pAlert = std::make_shared<CAlert>();
            const CRecordingTask recorder(pRuns, task);
            pAlert->SetTask(&recorder);
            pAlert->m_keywords = {std::move(keyword)};
            pAlert->m_bActive = bActive;
            receiver.m_alerts.push_back(pAlert);
        };
        // The colour code is in the received text; the date stamp is not.
        addAlert("colour", "\x03" "04disk");
        addAlert("inactive", "disk", false);
        addAlert("stamp", "06/15/01");
        addAlert("second", "full");
        Receive("\x03" "04disk full");
        receiver.OnTimer();
        const std::vector<QByteArray> expected =
            nCheckAlerts ? std::vector<QByteArray>{"colour", "second"} : std::vector<QByteArray>{};
        EXPECT_EQ(*pRuns, expected) << "CheckAlerts " << nCheckAlerts;
        EXPECT_EQ(receiver.m_lines, QList<QByteArray>{"06/15/01 14:03:59 \x03" "04disk full"});
        EXPECT_EQ(Log(), "06/15/01 14:03:59 \x03" "04disk full\r\n");
        EXPECT_EQ(receiver.m_requests, (QList<QByteArray>{"forward", "flash"}));
    }
}

TEST_F(MessageReceiverTest, AMessageAsksForTheWindowInFrontAndFlashingButARepeatDoesNot)
{
    TestReceiver& receiver = MakeReceiver();
    const QList<QByteArray> kBoth{"forward", "flash"};
    const struct
    {
        const char* name;
        int nSecond;
        QList<QByteArray> texts; // read in one tick
        std::function<void()> configure;
        QList<QByteArray> requests;
        QByteArray flashText;
        int nLines; // shown so far
    } steps[] = {
        {"a message", 0, {"hi"}, [] {}, kBoth, "hi", 1},
        {"a dropped repeat", 1, {"hi"}, [] {}, {}, "hi", 1},
        // Asked once for the tick, telling of its newest message.
        {"two in one tick", 1, {"ho", "hu"}, [] {}, kBoth, "hu", 3},
        {"only in front", 1, {"front"}, [] { SetDword(kFlashTrayIcon, 0); }, {"forward"}, "hu", 4},
        {"neither", 1, {"quiet"}, [] { SetDword(kMakeVisible, 0); }, {}, "hu", 5},
        {"only flashing", 1, {"flash"}, [] { SetDword(kFlashTrayIcon, 1); }, {"flash"}, "flash", 6},
    };
    for (const auto& step : steps) {
        m_now = kStart + step.nSecond;
        step.configure();
        receiver.m_requests.clear();
        for (const QByteArray& text : step.texts)
            Receive(text);
        receiver.OnTimer();
        EXPECT_EQ(receiver.m_requests, step.requests) << step.name;
        EXPECT_EQ(receiver.m_flashText, step.flashText) << step.name;
        EXPECT_EQ(receiver.m_lines.size(), step.nLines) << step.name;
    }
}

TEST_F(MessageReceiverTest, AlertsAreLoadedWhenMadeAndSavedWhenDestroyed)
{
    CAlertList alerts{std::make_shared<CAlert>()};
    alerts[0]->m_strDescription = "disk";
    alerts[0]->m_keywords = {"full"};
    ASSERT_TRUE(SaveAlerts(alerts));

    TestReceiver& receiver = MakeReceiver();
    ASSERT_EQ(receiver.m_alerts.size(), 1u);
    EXPECT_EQ(Describe(receiver.m_alerts), Describe(alerts));
    receiver.m_alerts[0]->m_keywords.append("empty");
    m_pReceiver.reset();

    CAlertList saved;
    ASSERT_TRUE(LoadAlerts(saved));
    EXPECT_EQ(Describe(saved), "[disk on 'full' 'empty']");

    // A receiver that was never made does not write over the file with its empty list.
    NewReceiver().reset();
    saved.clear();
    ASSERT_TRUE(LoadAlerts(saved));
    EXPECT_EQ(saved.size(), 1u);

    // Confirmed alerts are in the file at once.
    TestReceiver& confirming = MakeReceiver();
    CAlertList confirmed{std::make_shared<CAlert>()};
    confirmed[0]->m_strDescription = "fan";
    confirming.SetAlerts(confirmed);
    saved.clear();
    ASSERT_TRUE(LoadAlerts(saved));
    EXPECT_EQ(Describe(saved), Describe(confirmed));
}

TEST_F(MessageReceiverTest, AnAlertFileThatDidNotLoadWholeIsKeptBesideWhenReplaced)
{
    CAlertList alerts{std::make_shared<CAlert>()};
    alerts[0]->m_strDescription = "disk";
    ASSERT_TRUE(SaveAlerts(alerts));
    const QByteArray whole = ReadFile(kAlertFileName);
    const QByteArray empty(4, '\0');
    const struct
    {
        const char* name;
        QByteArray file;
        QByteArray saved;   // alerts.twk after the receiver is gone
        QByteArray damaged; // alerts.twk.damaged then
    } cases[] = {
        {"whole", whole, whole, "<none>"},
        {"cut short", whole.chopped(1), empty, whole.chopped(1)},
        // The latest damaged file replaces the one kept before.
        {"bytes after the alerts", whole + "more", whole, whole + "more"},
        {"random bytes", QByteArray(5000, '\xA5'), empty, QByteArray(5000, '\xA5')},
    };
    for (const auto& c : cases) {
        QFile file(QString::fromLatin1(kAlertFileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.file);
        file.close();
        MakeReceiver();
        m_pReceiver.reset();
        EXPECT_EQ(Hex(ReadFile(kAlertFileName)), Hex(c.saved)) << c.name;
        EXPECT_EQ(Hex(ReadFile(kDamagedAlertFileName)), Hex(c.damaged)) << c.name;
    }
    QFile::remove(QString::fromLatin1(kDamagedAlertFileName));
}

TEST_F(MessageReceiverTest, AnAlertTaskIsNotStartedAgainWhileItsProgramRuns)
{
    SetDword(kAddDateTime, 0);
    TestReceiver& receiver = MakeReceiver();
    QSignalSpy skipped(&receiver, &CMessageReceiver::TaskStartsSkipped);
    auto pAlert = std::make_shared<CAlert>();
    pAlert->m_keywords = {"disk"};
    // `flock gate true` runs until the test lets go of the gate.
    CTask task;
    task.SetProgram("flock");
    task.SetArguments("gate true");
    pAlert->SetTask(&task);
    receiver.m_alerts.push_back(pAlert);
    const CTask& running = *pAlert->GetTask();
    QFile gate(QStringLiteral("gate"));

    for (const QList<QByteArray>& texts : {QList<QByteArray>{"disk 1", "disk 2", "disk 3"},
                                           QList<QByteArray>{"disk 4", "disk 5"}}) {
        ASSERT_TRUE(gate.open(QIODevice::WriteOnly));
        ASSERT_EQ(flock(gate.handle(), LOCK_EX), 0);
        for (const QByteArray& text : texts)
            Receive(text);
        receiver.OnTimer();
        EXPECT_TRUE(running.IsRunning());
        gate.close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !running.IsRunning(); }, 10000));
    }
    // Started once per round; every message is shown all the same.
    EXPECT_EQ(receiver.SkippedTaskStarts(), 3);
    ASSERT_EQ(skipped.size(), 3);
    EXPECT_EQ(skipped.last().at(0).toInt(), 3);
    EXPECT_EQ(receiver.m_lines.size(), 5);
    gate.remove();
}

TEST_F(MessageReceiverTest, ManyMatchingAlertsStartInSlicesInOrderAheadOfTheNextMessage)
{
    SetDword(kAddDateTime, 0);
    TestReceiver& receiver = MakeReceiver();
    // Every look at the slice clock ends the slice: one start per slice.
    receiver.m_nSliceStep = kSliceEveryMessage;
    const auto pRuns = std::make_shared<std::vector<QByteArray>>();
    std::vector<QByteArray> expected;
    const auto addAlert = [&](const QByteArray& name, const QByteArray& keyword) {
        auto pAlert = std::make_shared<CAlert>();
        const CRecordingTask task(pRuns, name);
        pAlert->SetTask(&task);
        pAlert->m_keywords = {keyword};
        receiver.m_alerts.push_back(pAlert);
        expected.push_back(name);
    };
    for (int i = 0; i < 6; ++i)
        addAlert("disk " + QByteArray::number(i), "disk");
    addAlert("fan", "fan");
    Receive("disk full");
    Receive("fan 2");
    receiver.OnTimer();
    // The message is shown and logged at once; the window gets its turn between the starts.
    EXPECT_EQ(*pRuns, std::vector<QByteArray>{"disk 0"});
    EXPECT_EQ(receiver.m_lines, QList<QByteArray>{"disk full"});
    EXPECT_EQ(Log(), "disk full\r\n");
    std::optional<size_t> nRunsAtTurn;
    QTimer::singleShot(0, &receiver, [&] { nRunsAtTurn = pRuns->size(); });
    receiver.FinishTick();
    EXPECT_LT(nRunsAtTurn.value_or(expected.size()), expected.size() - 1);
    EXPECT_EQ(*pRuns, expected);
    EXPECT_EQ(receiver.m_lines, (QList<QByteArray>{"disk full", "fan 2"}));
    EXPECT_EQ(Log(), "disk full\r\nfan 2\r\n");
}

TEST_F(MessageReceiverTest, AnAlertWhoseProgramCannotStartIsToldOnceAndEveryFailureCounted)
{
    SetDword(kAddDateTime, 0);
    TestReceiver& receiver = MakeReceiver();
    QSignalSpy failed(&receiver, &CMessageReceiver::TaskStartsFailed);
    CWarningCapture warnings("tellwick.alerts");
    const struct
    {
        QByteArray description;
        QByteArray program;
    } alerts[] = {{"Disk", "/nonexistent/tellwick-alert"}, {"Fan", "tellwick-no-such-program"}};
    QStringList expectedWarnings;
    for (const auto& alert : alerts) {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_strDescription = alert.description;
        pAlert->m_keywords = {"full"};
        CTask task;
        task.SetProgram(alert.program);
        pAlert->SetTask(&task);
        receiver.m_alerts.push_back(pAlert);
        expectedWarnings.append(QStringLiteral("tellwick.alerts: the alert \"%1\" cannot start its program \"%2\": it is missing or cannot be run")
                                    .arg(QString::fromLatin1(alert.description), QString::fromLatin1(alert.program)));
    }
    for (const char* text : {"disk full", "fan full", "all full"}) {
        Receive(text);
        receiver.OnTimer();
    }
    EXPECT_EQ(receiver.FailedTaskStarts(), 6);
    ASSERT_EQ(failed.size(), 6);
    EXPECT_EQ(failed.last().at(0).toInt(), 6);
    EXPECT_EQ(warnings.Take(), expectedWarnings);
    EXPECT_EQ(receiver.m_lines.size(), 3);
}

TEST_F(MessageReceiverTest, AFailedPollIsToldOnceAtATimeAndPollingGoesOn)
{
    TestReceiver& receiver = MakeReceiver();
    receiver.m_pInbox->Close(); // the inbox handle has gone bad
    QList<quint32> errors;
    QObject::connect(&receiver, &CMessageReceiver::PollFailed, &receiver, [&](quint32 nError) {
        errors.append(nError);
        // Ticks go on while it is answered (a box's loop): they wait.
        if (errors.size() == 1)
            receiver.OnTimer();
    });
    receiver.OnTimer();
    EXPECT_EQ(errors, QList<quint32>{6});
    receiver.OnTimer();
    EXPECT_EQ(errors.size(), 2) << "polling goes on once it was answered";
}

TEST_F(MessageReceiverTest, AnInboxOwnedByAnotherCopyIsToldOnceAndNoPollFailureFollows)
{
    const std::unique_ptr<CMailslotInbox> pOwner = OpenTestInbox(); // another copy has the port
    const std::unique_ptr<TestReceiver> pReceiver = NewReceiver();
    QSignalSpy told(pReceiver.get(), &CMessageReceiver::InboxUnavailable);
    QSignalSpy failed(pReceiver.get(), &CMessageReceiver::PollFailed);
    CWarningCapture warnings("tellwick.mailslot");
    pReceiver->Create();
    ASSERT_FALSE(pReceiver->IsReceiving());
    for (int nTick = 0; nTick < 3; ++nTick)
        pReceiver->OnTimer();
    EXPECT_TRUE(failed.isEmpty());

    const QString strPort = qEnvironmentVariable("TELLWICK_MAILSLOT_PORT");
    ASSERT_EQ(told.count(), 1);
    const QString strText = told[0][0].toString();
    EXPECT_TRUE(strText.contains(strPort) && strText.contains(u"another copy of Tellwick"))
        << strText.toStdString();
    const QStringList lines = warnings.Take();
    ASSERT_EQ(lines.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("tellwick.mailslot: inbox not created: ") + strText +
                            QStringLiteral(" - Address already in use"));
}

TEST_F(MessageReceiverTest, TheSenderProgramReachesARunningReceiver)
{
    TestReceiver& receiver = MakeReceiver();
    QProcess send;
    send.start(QStringLiteral(TELLWICK_SEND_PATH), {QStringLiteral("."), QStringLiteral("hello")});
    ASSERT_TRUE(send.waitForFinished(30000));
    ASSERT_EQ(send.exitCode(), 0) << send.readAllStandardError().toStdString();
    receiver.OnTimer();
    EXPECT_EQ(receiver.m_lines, QList<QByteArray>{"06/15/01 14:03:59 hello"});
    EXPECT_EQ(Log(), "06/15/01 14:03:59 hello\r\n");
}

// A task that calls back into the test when it runs.
class CCallbackTask : public CTask
{
public:
    explicit CCallbackTask(std::function<void()> run) : m_run(std::move(run)) {}
    std::unique_ptr<CTask> Clone() const override { return std::make_unique<CCallbackTask>(*this); }
    bool Run() override
    {
        m_run();
        return true;
    }

private:
    std::function<void()> m_run;
};

QList<QByteArray> WithoutRepeats(const QList<QByteArray>& list)
{
    QList<QByteArray> result;
    for (const QByteArray& item : list) {
        if (result.isEmpty() || result.back() != item)
            result.append(item);
    }
    return result;
}

TEST_F(MessageReceiverTest, ATickReadsInSlicesWithTheOutcomeOfReadingAllAtOnce)
{
    const QList<QByteArray> texts{"disk 1", "disk 1", "fan 2", "who <PING>", "fan 2", "disk 3",
                                  "cpu 4",  "cpu 4",  "disk 5", "fan 6", "<PING>", "fan 7"};
    struct Outcome
    {
        QList<QByteArray> lines;
        QByteArray log;
        std::vector<QByteArray> runs;
        int nPings = 0;
        QList<QByteArray> requests;
        QByteArray flashText;
        int nLinesAfterFirstSlice = 0;
    };
    const auto tick = [&](qint64 nSliceStep) {
        SetUp();
        SetDword(kAddDateTime, 0);
        SetDword(kMakeVisible, 0);
        TestReceiver& receiver = MakeReceiver();
        receiver.m_nSliceStep = nSliceStep;
        const auto pRuns = std::make_shared<std::vector<QByteArray>>();
        for (const char* keyword : {"disk", "fan"}) {
            auto pAlert = std::make_shared<CAlert>();
            const CRecordingTask task(pRuns, keyword);
            pAlert->SetTask(&task);
            pAlert->m_keywords = {keyword};
            receiver.m_alerts.push_back(pAlert);
        }
        for (const QByteArray& text : texts)
            Receive(text);
        Outcome outcome;
        receiver.OnTimer();
        outcome.nLinesAfterFirstSlice = int(receiver.m_lines.size());
        receiver.FinishTick();
        outcome.lines = receiver.m_lines;
        outcome.log = Log();
        outcome.runs = *pRuns;
        outcome.nPings = receiver.m_nPings;
        // A request repeated in a row asks for nothing more.
        outcome.requests = WithoutRepeats(receiver.m_requests);
        outcome.flashText = receiver.m_flashText;
        return outcome;
    };
    const Outcome atOnce = tick(0);
    ASSERT_EQ(atOnce.lines, (QList<QByteArray>{"disk 1", "fan 2", "disk 3", "cpu 4", "disk 5", "fan 6", "fan 7"}));
    ASSERT_EQ(atOnce.nLinesAfterFirstSlice, 7);
    ASSERT_EQ(atOnce.flashText, "fan 7");
    const struct
    {
        qint64 nSliceStep;
        int nLinesAfterFirstSlice;
    } slicings[] = {{5, 2}, {kSliceEveryMessage, 1}};
    for (const auto& slicing : slicings) {
        const Outcome sliced = tick(slicing.nSliceStep);
        EXPECT_EQ(sliced.nLinesAfterFirstSlice, slicing.nLinesAfterFirstSlice) << slicing.nSliceStep;
        EXPECT_EQ(sliced.lines, atOnce.lines) << slicing.nSliceStep;
        EXPECT_EQ(sliced.log, atOnce.log) << slicing.nSliceStep;
        EXPECT_EQ(sliced.runs, atOnce.runs) << slicing.nSliceStep;
        EXPECT_EQ(sliced.nPings, atOnce.nPings) << slicing.nSliceStep;
        EXPECT_EQ(sliced.requests, atOnce.requests) << slicing.nSliceStep;
        EXPECT_EQ(sliced.flashText, atOnce.flashText) << slicing.nSliceStep;
    }
}

TEST_F(MessageReceiverTest, AHandEditOfTheStoreIsSeenByTheNextSliceOfTheSameTick)
{
    SetDword(kAddDateTime, 0);
    TestReceiver& receiver = MakeReceiver();
    receiver.m_nSliceStep = kSliceEveryMessage;
    for (const char* text : {"one", "two", "three"})
        Receive(text);
    receiver.OnTimer();
    ASSERT_EQ(receiver.m_lines, QList<QByteArray>{"one"});
    // Logging switched off by hand, in a text editor, between two slices.
    const QByteArray text = ReadStoreFile();
    ASSERT_TRUE(text.contains("\"AddDateTime\"=dword:00000000\n"));
    WriteStoreFile(QByteArray(text).replace("\"AddDateTime\"=dword:00000000\n",
                                            "\"AddDateTime\"=dword:00000000\n\"LogToFile\"=dword:00000000\n"));
    receiver.FinishTick();
    EXPECT_EQ(receiver.m_lines, (QList<QByteArray>{"one", "two", "three"}));
    EXPECT_EQ(Log(), "one\r\n");
}

// A task may run a loop of its own (a dialog), in which ticks go on and the alert list may be
// replaced, as the Properties sheet does.
TEST_F(MessageReceiverTest, ATickNestedInATaskReadsEachMessageOnceWhileTheListIsReplaced)
{
    SetDword(kAddDateTime, 0);
    TestReceiver& receiver = MakeReceiver();
    const auto pRuns = std::make_shared<std::vector<QByteArray>>();
    const auto alert = [&](const char* name, const char* keyword) {
        auto pAlert = std::make_shared<CAlert>();
        const CRecordingTask task(pRuns, name);
        pAlert->SetTask(&task);
        pAlert->m_keywords = {keyword};
        return pAlert;
    };
    auto pNesting = std::make_shared<CAlert>();
    pNesting->m_keywords = {"disk"};
    bool bNested = false;
    QByteArray logSeenByTask;
    const CCallbackTask nest([&] {
        pRuns->push_back("nesting");
        logSeenByTask = Log();
        if (std::exchange(bNested, true))
            return;
        receiver.m_alerts = {alert("fan only", "fan")};
        receiver.OnTimer();
    });
    pNesting->SetTask(&nest);
    receiver.m_alerts = {pNesting, alert("disk too", "disk")};

    for (const char* text : {"cpu 0", "disk 1", "disk 1", "fan 2", "disk 3"})
        Receive(text);
    receiver.OnTimer();
    receiver.FinishTick();
    // The repeat read in the nested tick is still a repeat; the replaced list's second alert
    // still runs for the message it was offered, before the task of the message after it.
    EXPECT_EQ(receiver.m_lines, (QList<QByteArray>{"cpu 0", "fan 2", "disk 3", "disk 1"}));
    EXPECT_EQ(*pRuns, (std::vector<QByteArray>{"nesting", "disk too", "fan only"}));
    EXPECT_EQ(Log(), "cpu 0\r\nfan 2\r\ndisk 3\r\ndisk 1\r\n");
    // A task finds the lines before its message logged.
    EXPECT_EQ(logSeenByTask, "cpu 0\r\n");
}

TEST_F(MessageReceiverTest, DatagramsTheSystemDroppedAreCountedAndToldWhenTheyBegin)
{
    SetDword(kAddDateTime, 0);
    SetDword(kLogToFile, 0);
    // A queue that is always full and a small system buffer: most of a burst is dropped.
    TestReceiver& receiver = MakeReceiver(std::make_unique<CMailslotInbox>(1, 4096));
    QSignalSpy told(&receiver, &CMessageReceiver::DatagramsDropped);
    CWarningCapture warnings("tellwick.mailslot");
    int nSent = 0;
    const auto burst = [&] {
        for (int i = 0; i < 300; ++i)
            Receive(QByteArray::number(++nSent));
    };
    const auto dropped = [&] { return told.isEmpty() ? 0 : told.last().at(0).toULongLong(); };
    const struct
    {
        const char* name;
        bool bBurst;
        bool bToldAgain;   // on standard error
        bool bCountGrows;  // in the signal
    } steps[] = {
        {"a burst", true, true, true},
        {"another while the first is still read", true, false, true},
        {"nothing new", false, false, false},
        {"a burst after a quiet tick", true, true, true},
    };
    for (const auto& step : steps) {
        if (step.bBurst)
            burst();
        const quint64 nBefore = dropped();
        receiver.OnTimer();
        EXPECT_EQ(dropped() > nBefore, step.bCountGrows) << step.name;
        EXPECT_EQ(warnings.Take().size(), step.bToldAgain ? 1 : 0) << step.name;
    }
    // Every datagram is shown, in order, or counted.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            receiver.OnTimer();
            return quint64(receiver.m_lines.size()) + dropped() >= quint64(nSent);
        },
        30000));
    const QList<QByteArray> lines = receiver.m_lines;
    EXPECT_EQ(quint64(lines.size()) + dropped(), quint64(nSent));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(),
                               [](const QByteArray& a, const QByteArray& b) { return a.toInt() < b.toInt(); }));
    EXPECT_TRUE(warnings.Take().isEmpty());
}

} // namespace

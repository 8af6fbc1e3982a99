#include "messaging/MessageView.h"

#include "alerts/AlertFile.h"
#include "alerts/AlertTestSupport.h"
#include "config/PropertiesSheet.h"
#include "messaging/Mailslot.h"
#include "messaging/SendMessageDlg.h"
#include "messaging/StoredFont.h"
#include "platform/desktop/AutostartEntry.h"
#include "platform/mailslot/MailslotInbox.h"
#include "platform/mfc/UpDownEdit.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/DlgItem.h"
#include "resources/MenuResource.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"
#include "settings/RegistryKey.h"
#include "support/Bytes.h"
#include "support/CaseName.h"
#include "support/DialogInput.h"
#include "support/DoubleClick.h"
#include "support/TestInbox.h"
#include "support/TestStore.h"
#include "support/WarningCapture.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDateTime>
#include <QFile>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include <sys/file.h>

namespace {

const qint64 kStart = QDateTime(QDate(2001, 6, 15), QTime(14, 3, 59)).toSecsSinceEpoch();
// A slice clock step that ends every slice after its first message.
constexpr qint64 kSliceEveryMessage = CMessageView::kSliceMs + 1;

// Opens the view's insides to the tests and counts ping answers instead of broadcasting them.
// Its slices end when the test says: the slice clock moves on by m_nSliceStep at every look.
class TestView : public CMessageView
{
public:
    TestView(QWidget* pParent, Clock clock) : CMessageView(pParent, std::move(clock))
    {
        SetSliceClock([this] { return m_nSliceNow += m_nSliceStep; });
    }

    using CMessageView::m_alerts;
    using CMessageView::m_bAddDateTime;
    using CMessageView::m_pFont;
    using CMessageView::m_pInbox;
    using CMessageView::m_pollTimer;
    using CMessageView::m_sliceTimer;
    using CTextView::m_nMaxLines;

    QList<QByteArray> Lines() const { return {m_lines.begin(), m_lines.end()}; }

    int m_nPings = 0;
    qint64 m_nSliceNow = 0;
    qint64 m_nSliceStep = 0; // 0: a tick reads all it counted in one slice

    // Lets the window run until the tick's last slice is read.
    void FinishTick()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !m_sliceTimer.isActive(); }, 30000));
    }

protected:
    void AnswerPing() override { ++m_nPings; }
};

// The window the view lives in, noting the private messages that reach it as "message wParam".
class CRecordingWindow : public QWidget
{
public:
    // Those sent so far, and with bPosted those posted too.
    QStringList Messages(bool bPosted = true)
    {
        if (bPosted)
            QCoreApplication::sendPostedEvents();
        return std::exchange(m_messages, {});
    }

protected:
    bool event(QEvent* pEvent) override
    {
        if (const auto* pMessage = dynamic_cast<const CWindowMessage*>(pEvent)) {
            m_messages.append(QStringLiteral("%1 %2").arg(pMessage->Message()).arg(pMessage->WParam()));
            return true;
        }
        return QWidget::event(pEvent);
    }

private:
    QStringList m_messages;
};

const QString kFlashStart = QStringLiteral("%1 0").arg(WM_FLASH_TRAY);
const QString kFlashStop = QStringLiteral("%1 1").arg(WM_FLASH_TRAY);
const QString kToggleCaption = QStringLiteral("%1 0").arg(WM_TOGGLE_CAPTION);

class MessageViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pWindow.reset();
        RemoveStoreFile();
        QFile::remove(QStringLiteral("Tellwick.log"));
        QFile::remove(QString::fromLatin1(kAlertFileName));
        UseFreeMailslotPort();
    }

    // A view made the way the frame makes it, its clock at m_now.
    TestView& MakeView(std::unique_ptr<CMailslotInbox> pInbox = nullptr)
    {
        m_pWindow = std::make_unique<CRecordingWindow>();
        m_pView = new TestView(m_pWindow.get(), [this] { return m_now; });
        if (pInbox)
            m_pView->m_pInbox = std::move(pInbox);
        m_pView->Create();
        // Another program may have taken the free port in the meantime.
        for (int attempt = 0; attempt < 5 && !m_pView->m_pInbox->IsValid(); ++attempt) {
            UseFreeMailslotPort();
            m_pView->m_pInbox->Create();
        }
        EXPECT_TRUE(m_pView->m_pInbox->IsValid());
        return *m_pView;
    }

    static void Receive(const QByteArray& text) { ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, text)); }

    static void SetDword(const DwordValue& value, quint32 dwValue)
    {
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
        ASSERT_TRUE(key.WriteDword(value.name, dwValue));
    }

    static void SetString(const StringValue& value, QByteArrayView text)
    {
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
        ASSERT_TRUE(key.WriteString(value.name, text));
    }

    static QByteArray ReadFile(const char* name)
    {
        QFile file(QString::fromLatin1(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    static QByteArray Log()
    {
        QFile file(QStringLiteral("Tellwick.log"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
    }

    qint64 m_now = kStart;
    std::unique_ptr<CRecordingWindow> m_pWindow;
    TestView* m_pView = nullptr;
};

struct Arrival
{
    int nSecond; // after the view was made
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

class DuplicateTest : public MessageViewTest, public ::testing::WithParamInterface<DuplicateCase>
{
};

TEST_P(DuplicateTest, OnlyARepeatOfTheLastShownTextInTimeIsDropped)
{
    SetDword(kAddDateTime, 0);
    if (GetParam().nDupMsgSeconds)
        SetDword(kDupMsgSeconds, *GetParam().nDupMsgSeconds);
    TestView& view = MakeView();
    for (const Arrival& arrival : GetParam().arrivals) {
        m_now = kStart + arrival.nSecond;
        Receive(arrival.text);
        view.OnTimer();
    }
    EXPECT_EQ(view.Lines(), GetParam().shown);
    EXPECT_EQ(view.m_nPings, GetParam().nPings);
}

INSTANTIATE_TEST_SUITE_P(
    MessageView, DuplicateTest,
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
        // The last text starts empty, its time the moment the view was made.
        DuplicateCase{"EmptyTextRightAfterMaking", {}, {{1, ""}, {4, ""}}, {""}},
        DuplicateCase{"PingBetweenEqualTexts",
                      {},
                      {{0, "hi"}, {1, "who <PING> is there"}, {2, "hi"}},
                      {"hi"},
                      1},
        DuplicateCase{"ClockSetBack", {}, {{0, "hi"}, {-3600, "hi"}}, {"hi", "hi"}}),
    CaseName());

TEST_F(MessageViewTest, AtMostOnePingASecondIsAnsweredTheOthersAreCountedAndToldOnce)
{
    TestView& view = MakeView();
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
        view.OnTimer();
        EXPECT_EQ(view.m_nPings, step.nAnswered) << step.nSecond;
        EXPECT_EQ(view.PingsNotAnswered(), step.nNotAnswered) << step.nSecond;
    }
    EXPECT_EQ(warnings.Take().size(), 1);
    EXPECT_TRUE(view.Lines().isEmpty());
}

TEST_F(MessageViewTest, EveryWaitingDatagramIsShownInOrderInOneTick)
{
    SetDword(kAddDateTime, 0);
    TestView& view = MakeView();
    const QList<QByteArray> texts{"one", "two", "three", "four", "five"};
    for (const QByteArray& text : texts)
        Receive(text);
    // Only the text before the first zero byte counts.
    ASSERT_TRUE(WriteMailslot(kOwnMailslotPath, Bytes("six\0seven")));
    view.OnTimer();
    EXPECT_EQ(view.Lines(), texts + QList<QByteArray>{"six"});
    view.OnTimer();
    EXPECT_EQ(view.Lines().size(), 6);
}

TEST_F(MessageViewTest, AddedLinesAreStampedAndLoggedAsTheSettingsSay)
{
    const struct
    {
        const char* name;
        std::function<void()> configure;
        QByteArray line;
        QByteArray log;
    } cases[] = {
        {"defaults", [] {}, "06/15/01 14:03:59 hi", "06/15/01 14:03:59 hi\r\n"},
        {"no stamp", [] { SetDword(kAddDateTime, 0); }, "hi", "hi\r\n"},
        {"no log", [] { SetDword(kLogToFile, 0); }, "06/15/01 14:03:59 hi", "<none>"},
        {"no log name", [] { SetString(kLogFileName, ""); }, "06/15/01 14:03:59 hi", "<none>"},
    };
    for (const auto& c : cases) {
        SetUp();
        c.configure();
        TestView& view = MakeView();
        Receive("hi");
        view.OnTimer();
        EXPECT_EQ(view.Lines(), QList<QByteArray>{c.line}) << c.name;
        EXPECT_EQ(Log(), c.log) << c.name;
    }
}

TEST_F(MessageViewTest, AMessageIsOneLogRecordWhateverItCarriesAndIsShownAsSent)
{
    TestView& view = MakeView();
    Receive("hi\r\n06/15/01 14:04:00 FORGED\x1b[2J");
    view.OnTimer();
    EXPECT_EQ(view.Lines(), QList<QByteArray>{"06/15/01 14:03:59 hi\r\n06/15/01 14:04:00 FORGED\x1b[2J"});
    EXPECT_EQ(Log(), "06/15/01 14:03:59 hi\\r\\n06/15/01 14:04:00 FORGED\\x1b[2J\r\n");
}

TEST_F(MessageViewTest, LogSettingsAreReadPerLineButTheStampSwitchOnlyWhenMade)
{
    TestView& view = MakeView();
    SetDword(kAddDateTime, 0);
    SetString(kLogFileName, "other.log");
    view.AddMessage("first");
    SetDword(kLogToFile, 0);
    view.AddMessage("second");
    EXPECT_EQ(view.Lines(), (QList<QByteArray>{"06/15/01 14:03:59 first", "06/15/01 14:03:59 second"}));
    QFile log(QStringLiteral("other.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(), "06/15/01 14:03:59 first\r\n");
    log.remove();
}

TEST_F(MessageViewTest, AlertsAreOfferedTheRawTextWhenSwitchedOn)
{
    for (const quint32 nCheckAlerts : {1u, 0u}) {
        SetUp();
        SetDword(kCheckAlerts, nCheckAlerts);
        TestView& view = MakeView();
        const auto pRuns = std::make_shared<std::vector<QByteArray>>();
        const auto addAlert = [&](const char* task, QByteArray keyword, bool bActive = true) {
            auto pAlert = std::make_shared<CAlert>();
            const CRecordingTask recorder(pRuns, task);
            pAlert->SetTask(&recorder);
            pAlert->m_keywords = {std::move(keyword)};
            pAlert->m_bActive = bActive;
            view.m_alerts.push_back(pAlert);
        };
        // The colour code is in the received text; the date stamp is not.
        addAlert("colour", "\x03" "04disk");
        addAlert("inactive", "disk", false);
        addAlert("stamp", "06/15/01");
        addAlert("second", "full");
        Receive("\x03" "04disk full");
        view.OnTimer();
        const std::vector<QByteArray> expected =
            nCheckAlerts ? std::vector<QByteArray>{"colour", "second"} : std::vector<QByteArray>{};
        EXPECT_EQ(*pRuns, expected) << "CheckAlerts " << nCheckAlerts;
        EXPECT_EQ(view.Lines(), QList<QByteArray>{"06/15/01 14:03:59 \x03" "04disk full"});
        EXPECT_EQ(Log(), "06/15/01 14:03:59 \x03" "04disk full\r\n");
        EXPECT_EQ(m_pWindow->Messages().count(kFlashStart), 1);
    }
}

TEST_F(MessageViewTest, AMessageBringsBackTheMainWindowAndAsksForFlashingButARepeatDoesNot)
{
    TestView& view = MakeView();
    CRecordingWindow& window = *m_pWindow;
    Receive("hi");
    view.OnTimer();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Messages().count(kFlashStart), 1);

    window.hide();
    m_now = kStart + 1;
    Receive("hi");
    view.OnTimer();
    EXPECT_FALSE(window.isVisible()) << "a dropped repeat is not signalled";
    EXPECT_EQ(window.Messages().count(kFlashStart), 0);

    window.showMinimized();
    Receive("ho");
    view.OnTimer();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized()) << "without a tray, hiding only minimised";

    window.hide();
    SetDword(kMakeVisible, 0);
    SetDword(kFlashTrayIcon, 0);
    window.Messages();
    Receive("quiet");
    view.OnTimer();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.Messages().count(kFlashStart), 0);
    EXPECT_EQ(view.Lines().size(), 3);
}

TEST_F(MessageViewTest, FastMarkAndTheTestCommandGoThroughAddMessage)
{
    TestView& view = MakeView();
    view.OnFastMark();
    view.OnFastMark(); // no repeat filter here
    view.OnTestMessages();
    SetString(kFastMark, "<r>-----");
    view.OnFastMark();
    const QByteArray mark = QByteArray("06/15/01 14:03:59 ").append(29, '=');
    const QList<QByteArray> expected{mark,
                                     mark,
                                     "06/15/01 14:03:59 This is a test",
                                     "06/15/01 14:03:59 \x03" "00,04HEY!",
                                     "06/15/01 14:03:59 \x03" "04-----"};
    EXPECT_EQ(view.Lines(), expected);
    QByteArray log;
    for (const QByteArray& line : expected)
        log.append(line).append("\r\n");
    EXPECT_EQ(Log(), log);
}

TEST_F(MessageViewTest, SendMessageRunsTheDialogWithoutAParent)
{
    TestView& view = MakeView();
    bool bOpened = false;
    QTimer::singleShot(0, [&] {
        auto* pDialog = qobject_cast<CSendMessageDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        bOpened = true;
        EXPECT_EQ(pDialog->parentWidget(), nullptr);
        pDialog->reject();
    });
    EXPECT_TRUE(view.OnCmdMsg(ID_SEND_MESSAGE, CmdMsg::Command, nullptr));
    EXPECT_TRUE(bOpened);
}

// What a user changes in the sheet before leaving it; the alert comes in on the Alerts page.
void EditEverything(CPropertiesSheet& sheet, const char* maxLines)
{
    CGeneralPage& general = sheet.m_generalPage;
    qobject_cast<QCheckBox*>(GetDlgItem(&general, IDC_ADD_DATE_TIME))->setChecked(false);
    qobject_cast<CUpDownEdit*>(GetDlgItem(&general, IDC_MAX_LINES))->SetText(QLatin1String(maxLines));
    qobject_cast<QCheckBox*>(GetDlgItem(&general, IDC_RUN_AT_STARTUP))->setChecked(true);
    qobject_cast<QLineEdit*>(GetDlgItem(&general, IDC_LOG_FILE_NAME))->setText(QStringLiteral("other.log"));
    auto pAlert = std::make_shared<CAlert>();
    pAlert->m_strDescription = "disk";
    pAlert->m_keywords = {"full"};
    sheet.m_alertPage.m_alerts.push_back(pAlert);
}

TEST_F(MessageViewTest, PropertiesCancelledTakesNothingAndWritesNothing)
{
    SetDword(kMaxLines, 300);
    TestView& view = MakeView();
    const QByteArray store = ReadStoreFile();
    CModalAnswer answer([](QDialog& dialog) {
        auto& sheet = dynamic_cast<CPropertiesSheet&>(dialog);
        EditEverything(sheet, "5");
        sheet.reject();
    });
    EXPECT_TRUE(view.OnCmdMsg(ID_PROPERTIES, CmdMsg::Command, nullptr));
    ASSERT_TRUE(answer.Opened());
    EXPECT_EQ(ReadStoreFile(), store);
    EXPECT_FALSE(CAutostartEntry(QStringLiteral("Tellwick")).Exists());
    EXPECT_FALSE(QFile::exists(QString::fromLatin1(kAlertFileName)));
    EXPECT_EQ(view.m_nMaxLines, 300);
    EXPECT_TRUE(view.m_bAddDateTime);
    EXPECT_TRUE(view.m_alerts.empty());
}

TEST_F(MessageViewTest, PropertiesConfirmedTakesEverythingOverAndKeepsItAtOnce)
{
    SetDword(kMaxLines, 300);
    SetDword(kCheckAlerts, 0);
    TestView& view = MakeView();
    CModalAnswer answer([](QDialog& dialog) {
        auto& sheet = dynamic_cast<CPropertiesSheet&>(dialog);
        EditEverything(sheet, "5");
        sheet.OnOK();
    });
    EXPECT_TRUE(view.OnCmdMsg(ID_PROPERTIES, CmdMsg::Command, nullptr));
    ASSERT_TRUE(answer.Opened());
    // The command stores the line limit as typed; the page kept its record's, and a limit out
    // of range loads as the default.
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kProgramKey));
    quint32 dwMaxLines = 0, dwAddDateTime = 7, dwCheckAlerts = 7;
    EXPECT_TRUE(key.ReadDword(kMaxLines.name, dwMaxLines) && key.ReadDword(kAddDateTime.name, dwAddDateTime) &&
                key.ReadDword(kCheckAlerts.name, dwCheckAlerts));
    EXPECT_EQ(dwMaxLines, 5u);
    EXPECT_EQ(CSettings().GetMaxLines(), 150);
    EXPECT_EQ(dwAddDateTime, 0u);
    // The Alerts page was never shown: the switch goes back as it was read.
    EXPECT_EQ(dwCheckAlerts, 0u);
    EXPECT_EQ(CSettings().GetLogFileName(), "other.log");
    EXPECT_TRUE(CAutostartEntry(QStringLiteral("Tellwick")).Exists());
    CAutostartEntry(QStringLiteral("Tellwick")).Remove();
    EXPECT_EQ(view.m_nMaxLines, 5);
    // The alert is the window's now, and already in the file the next start reads.
    ASSERT_EQ(view.m_alerts.size(), 1u);
    CAlertList loaded;
    EXPECT_TRUE(LoadAlerts(loaded));
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0]->m_keywords, view.m_alerts[0]->m_keywords);
    view.AddMessage("no stamp");
    EXPECT_EQ(view.Lines().constLast(), "no stamp");
}

TEST_F(MessageViewTest, TheContextMenuIsItsResourceAndRunsTheChosenOne)
{
    TestView& view = MakeView();
    m_pWindow->show();
    const auto itemsOf = [](const QMenu& menu) {
        QStringList items;
        for (const QAction* pAction : menu.actions())
            items << (pAction->isSeparator() ? QStringLiteral("-")
                                             : pAction->text() + QLatin1Char(' ') + pAction->data().toString());
        return items;
    };
    QStringList items;
    QTimer::singleShot(0, [&] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        items = itemsOf(*pMenu);
        QTest::keyClick(pMenu, Qt::Key_M);
    });
    // The menu key asks for it as a right click does.
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QCoreApplication::sendEvent(view.viewport(), &request);
    EXPECT_EQ(items, itemsOf(*LoadPopupMenu(IDR_CONTEXT_MENU)));
    EXPECT_EQ(view.Lines(), QList<QByteArray>{QByteArray("06/15/01 14:03:59 ").append(29, '=')});
}

TEST_F(MessageViewTest, DoubleClickTogglesTheCaptionAndFocusStopsTheFlashing)
{
    TestView& view = MakeView();
    m_pWindow->Messages();
    DoubleClick(*view.viewport(), Qt::LeftButton);
    EXPECT_EQ(m_pWindow->Messages(false), QStringList{kToggleCaption}) << "sent, so handled at once";
    DoubleClick(*view.viewport(), Qt::RightButton);
    EXPECT_TRUE(m_pWindow->Messages(false).isEmpty());

    m_pWindow->Messages();
    QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
    QCoreApplication::sendEvent(&view, &focus);
    EXPECT_TRUE(m_pWindow->Messages(false).isEmpty()) << "posted, so handled later";
    EXPECT_EQ(m_pWindow->Messages(), QStringList{kFlashStop});
}

TEST_F(MessageViewTest, MakingReadsTheLineLimitStampSwitchAndPollInterval)
{
    const struct
    {
        std::optional<quint32> nStored;
        int nInterval;
    } intervals[] = {{{}, 2000}, {0, 10}, {0xFFFFFFFF, 2147483647}};
    for (const auto& c : intervals) {
        SetUp();
        SetDword(kMaxLines, 40);
        SetDword(kAddDateTime, 0);
        if (c.nStored)
            SetDword(kTimerMailWait, *c.nStored);
        TestView& view = MakeView();
        EXPECT_EQ(view.m_nMaxLines, 40);
        EXPECT_FALSE(view.m_bAddDateTime);
        EXPECT_TRUE(view.m_pollTimer.isActive());
        EXPECT_EQ(view.m_pollTimer.interval(), c.nInterval);
    }
}

TEST_F(MessageViewTest, AlertsAreLoadedWhenMadeAndSavedWhenDestroyed)
{
    CAlertList alerts{std::make_shared<CAlert>()};
    alerts[0]->m_strDescription = "disk";
    alerts[0]->m_keywords = {"full"};
    ASSERT_TRUE(SaveAlerts(alerts));

    TestView& view = MakeView();
    ASSERT_EQ(view.m_alerts.size(), 1u);
    EXPECT_EQ(Describe(view.m_alerts), Describe(alerts));
    view.m_alerts[0]->m_keywords.append("empty");
    m_pWindow.reset();

    CAlertList saved;
    ASSERT_TRUE(LoadAlerts(saved));
    EXPECT_EQ(Describe(saved), "[disk on 'full' 'empty']");

    // A view that was never made does not write over the file with its empty list.
    { TestView unmade(nullptr, {}); }
    saved.clear();
    ASSERT_TRUE(LoadAlerts(saved));
    EXPECT_EQ(saved.size(), 1u);
}

TEST_F(MessageViewTest, AnAlertFileThatDidNotLoadWholeIsKeptBesideWhenReplaced)
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
        QByteArray saved;   // alerts.twk after the view is gone
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
        MakeView();
        m_pWindow.reset();
        EXPECT_EQ(Hex(ReadFile(kAlertFileName)), Hex(c.saved)) << c.name;
        EXPECT_EQ(Hex(ReadFile(kDamagedAlertFileName)), Hex(c.damaged)) << c.name;
    }
    QFile::remove(QString::fromLatin1(kDamagedAlertFileName));
}

TEST_F(MessageViewTest, AnAlertTaskIsNotStartedAgainWhileItsProgramRuns)
{
    SetDword(kAddDateTime, 0);
    TestView& view = MakeView();
    QSignalSpy skipped(&view, &CMessageView::TaskStartsSkipped);
    auto pAlert = std::make_shared<CAlert>();
    pAlert->m_keywords = {"disk"};
    // `flock gate true` runs until the test lets go of the gate.
    CTask task;
    task.SetProgram("flock");
    task.SetArguments("gate true");
    pAlert->SetTask(&task);
    view.m_alerts.push_back(pAlert);
    const CTask& running = *pAlert->GetTask();
    QFile gate(QStringLiteral("gate"));

    for (const QList<QByteArray>& texts : {QList<QByteArray>{"disk 1", "disk 2", "disk 3"},
                                           QList<QByteArray>{"disk 4", "disk 5"}}) {
        ASSERT_TRUE(gate.open(QIODevice::WriteOnly));
        ASSERT_EQ(flock(gate.handle(), LOCK_EX), 0);
        for (const QByteArray& text : texts)
            Receive(text);
        view.OnTimer();
        EXPECT_TRUE(running.IsRunning());
        gate.close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !running.IsRunning(); }, 10000));
    }
    // Started once per round; every message is shown all the same.
    EXPECT_EQ(view.SkippedTaskStarts(), 3);
    ASSERT_EQ(skipped.size(), 3);
    EXPECT_EQ(skipped.last().at(0).toInt(), 3);
    EXPECT_EQ(view.Lines().size(), 5);
    gate.remove();
}

TEST_F(MessageViewTest, ManyMatchingAlertsStartInSlicesInOrderAheadOfTheNextMessage)
{
    SetDword(kAddDateTime, 0);
    TestView& view = MakeView();
    // Every look at the slice clock ends the slice: one start per slice.
    view.m_nSliceStep = kSliceEveryMessage;
    const auto pRuns = std::make_shared<std::vector<QByteArray>>();
    std::vector<QByteArray> expected;
    const auto addAlert = [&](const QByteArray& name, const QByteArray& keyword) {
        auto pAlert = std::make_shared<CAlert>();
        const CRecordingTask task(pRuns, name);
        pAlert->SetTask(&task);
        pAlert->m_keywords = {keyword};
        view.m_alerts.push_back(pAlert);
        expected.push_back(name);
    };
    for (int i = 0; i < 6; ++i)
        addAlert("disk " + QByteArray::number(i), "disk");
    addAlert("fan", "fan");
    Receive("disk full");
    Receive("fan 2");
    view.OnTimer();
    // The message is shown and logged at once; the window gets its turn between the starts.
    EXPECT_EQ(*pRuns, std::vector<QByteArray>{"disk 0"});
    EXPECT_EQ(view.Lines(), QList<QByteArray>{"disk full"});
    EXPECT_EQ(Log(), "disk full\r\n");
    std::optional<size_t> nRunsAtTurn;
    QTimer::singleShot(0, &view, [&] { nRunsAtTurn = pRuns->size(); });
    view.FinishTick();
    EXPECT_LT(nRunsAtTurn.value_or(expected.size()), expected.size() - 1);
    EXPECT_EQ(*pRuns, expected);
    EXPECT_EQ(view.Lines(), (QList<QByteArray>{"disk full", "fan 2"}));
    EXPECT_EQ(Log(), "disk full\r\nfan 2\r\n");
}

TEST_F(MessageViewTest, AnAlertWhoseProgramCannotStartIsToldOnceAndEveryFailureCounted)
{
    SetDword(kAddDateTime, 0);
    TestView& view = MakeView();
    QSignalSpy failed(&view, &CMessageView::TaskStartsFailed);
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
        view.m_alerts.push_back(pAlert);
        expectedWarnings.append(QStringLiteral("tellwick.alerts: the alert \"%1\" cannot start its program \"%2\": it is missing or cannot be run")
                                    .arg(QString::fromLatin1(alert.description), QString::fromLatin1(alert.program)));
    }
    for (const char* text : {"disk full", "fan full", "all full"}) {
        Receive(text);
        view.OnTimer();
    }
    EXPECT_EQ(view.FailedTaskStarts(), 6);
    ASSERT_EQ(failed.size(), 6);
    EXPECT_EQ(failed.last().at(0).toInt(), 6);
    EXPECT_EQ(warnings.Take(), expectedWarnings);
    EXPECT_EQ(view.Lines().size(), 3);
}

TEST_F(MessageViewTest, TheStoredFontIsAppliedWhenMade)
{
    TestView& first = MakeView();
    FontDescription applied;
    ASSERT_TRUE(first.GetViewFont(applied));
    EXPECT_EQ(applied, ParseViewFont(kViewFont.defaultText)) << "the default when none is stored";

    WriteProfileString(kViewFont.section, kViewFont.name, "-13,0,0,0,700,0,0,0,0,0,0,0,0,Arial");
    TestView& second = MakeView();
    EXPECT_EQ(second.m_pFont->pixelSize(), 13);
    EXPECT_EQ(second.m_pFont->weight(), QFont::Bold);
    EXPECT_EQ(second.m_pFont->family(), QStringLiteral("Arial"));

    const FontDescription chosen{.lfHeight = -17, .lfWeight = 400, .lfItalic = 1, .lfFaceName = "DejaVu Serif"};
    second.SaveViewFont(chosen);
    TestView& third = MakeView();
    ASSERT_TRUE(third.GetViewFont(applied));
    EXPECT_EQ(applied, chosen);
}

// Runs the font dialog of the view, doing `choose` with it once it is open.
void RunFontDialog(CMessageView& view, const std::function<void(QFontDialog&)>& choose)
{
    QTimer::singleShot(0, [&] {
        auto* pDialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        choose(*pDialog);
    });
    view.OnFont();
}

TEST_F(MessageViewTest, TheFontDialogKeepsAnUnchangedFontAndStoresAChosenOne)
{
    WriteProfileString(kViewFont.section, kViewFont.name, "-11,0,0,0,400,0,0,0,0,1,2,1,34,DejaVu Sans");
    TestView& view = MakeView();
    FontDescription before;
    view.GetViewFont(before);

    RunFontDialog(view, [](QFontDialog& dialog) { dialog.reject(); });
    FontDescription after;
    view.GetViewFont(after);
    EXPECT_EQ(after, before);

    RunFontDialog(view, [](QFontDialog& dialog) { dialog.accept(); });
    view.GetViewFont(after);
    EXPECT_EQ(after, before) << "confirming without a change keeps the font";
    EXPECT_EQ(GetProfileString(kViewFont.section, kViewFont.name),
              "-11,0,0,0,400,0,0,0,0,1,2,1,34,DejaVu Sans");

    RunFontDialog(view, [](QFontDialog& dialog) {
        QFont font = dialog.currentFont();
        font.setPointSize(20);
        dialog.setCurrentFont(font);
        dialog.accept();
    });
    view.GetViewFont(after);
    EXPECT_LT(after.lfHeight, -20);
    EXPECT_EQ(ParseViewFont(GetProfileString(kViewFont.section, kViewFont.name)), after);
}

TEST_F(MessageViewTest, AFailedPollShowsOneBoxAtATime)
{
    TestView& view = MakeView();
    view.m_pInbox->Close(); // the inbox handle has gone bad

    QStringList boxes;
    const std::function<void()> closeBox = [&] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!pBox)
            return;
        boxes << pBox->windowTitle() + QLatin1Char('|') + pBox->text();
        if (boxes.size() == 1) {
            // Ticks go on while the box is open: they must not open a second one.
            QTimer::singleShot(0, closeBox);
            view.OnTimer();
        }
        pBox->accept();
    };
    QTimer::singleShot(0, closeBox);
    view.OnTimer();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Tellwick|Error reading mailslot 6, 0x00000006")});

    QTimer::singleShot(0, closeBox);
    view.OnTimer();
    EXPECT_EQ(boxes.size(), 2) << "polling goes on once the box is closed";
}

TEST_F(MessageViewTest, AnInboxOwnedByAnotherCopyIsToldOnceAndNoBoxOpens)
{
    const std::unique_ptr<CMailslotInbox> pOwner = OpenTestInbox(); // another copy has the port
    TestView view(nullptr, [this] { return m_now; });
    QSignalSpy told(&view, &CMessageView::InboxUnavailable);
    CWarningCapture warnings("tellwick.mailslot");
    view.Create();
    ASSERT_FALSE(view.m_pInbox->IsValid());

    bool bBoxOpened = false;
    for (int nTick = 0; nTick < 3; ++nTick) {
        QTimer::singleShot(0, [&] {
            if (QWidget* pBox = QApplication::activeModalWidget()) {
                bBoxOpened = true;
                pBox->close();
            }
        });
        view.OnTimer();
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(bBoxOpened);

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

TEST_F(MessageViewTest, TheSenderProgramReachesARunningView)
{
    TestView& view = MakeView();
    m_pWindow->show();
    QProcess send;
    send.start(QStringLiteral(TELLWICK_SEND_PATH), {QStringLiteral("."), QStringLiteral("hello")});
    ASSERT_TRUE(send.waitForFinished(30000));
    ASSERT_EQ(send.exitCode(), 0) << send.readAllStandardError().toStdString();
    view.OnTimer();
    EXPECT_EQ(view.Lines(), QList<QByteArray>{"06/15/01 14:03:59 hello"});
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

QStringList WithoutRepeats(const QStringList& list)
{
    QStringList result;
    for (const QString& item : list) {
        if (result.isEmpty() || result.back() != item)
            result.append(item);
    }
    return result;
}

TEST_F(MessageViewTest, ATickReadsInSlicesWithTheOutcomeOfReadingAllAtOnce)
{
    const QList<QByteArray> texts{"disk 1", "disk 1", "fan 2", "who <PING>", "fan 2", "disk 3",
                                  "cpu 4",  "cpu 4",  "disk 5", "fan 6", "<PING>", "fan 7"};
    struct Outcome
    {
        QList<QByteArray> lines;
        QByteArray log;
        std::vector<QByteArray> runs;
        int nPings = 0;
        QStringList requests;
        int nLinesAfterFirstSlice = 0;
    };
    const auto tick = [&](qint64 nSliceStep) {
        SetUp();
        SetDword(kAddDateTime, 0);
        SetDword(kMakeVisible, 0);
        TestView& view = MakeView();
        view.m_nSliceStep = nSliceStep;
        const auto pRuns = std::make_shared<std::vector<QByteArray>>();
        for (const char* keyword : {"disk", "fan"}) {
            auto pAlert = std::make_shared<CAlert>();
            const CRecordingTask task(pRuns, keyword);
            pAlert->SetTask(&task);
            pAlert->m_keywords = {keyword};
            view.m_alerts.push_back(pAlert);
        }
        m_pWindow->Messages();
        for (const QByteArray& text : texts)
            Receive(text);
        Outcome outcome;
        view.OnTimer();
        outcome.nLinesAfterFirstSlice = int(view.Lines().size());
        view.FinishTick();
        outcome.lines = view.Lines();
        outcome.log = Log();
        outcome.runs = *pRuns;
        outcome.nPings = view.m_nPings;
        // A request repeated in a row asks for nothing more.
        outcome.requests = WithoutRepeats(m_pWindow->Messages());
        return outcome;
    };
    const Outcome atOnce = tick(0);
    ASSERT_EQ(atOnce.lines, (QList<QByteArray>{"disk 1", "fan 2", "disk 3", "cpu 4", "disk 5", "fan 6", "fan 7"}));
    ASSERT_EQ(atOnce.nLinesAfterFirstSlice, 7);
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
    }
}

TEST_F(MessageViewTest, AHandEditOfTheStoreIsSeenByTheNextSliceOfTheSameTick)
{
    SetDword(kAddDateTime, 0);
    TestView& view = MakeView();
    view.m_nSliceStep = kSliceEveryMessage;
    for (const char* text : {"one", "two", "three"})
        Receive(text);
    view.OnTimer();
    ASSERT_EQ(view.Lines(), QList<QByteArray>{"one"});
    // Logging switched off by hand, in a text editor, between two slices.
    const QByteArray text = ReadStoreFile();
    ASSERT_TRUE(text.contains("\"AddDateTime\"=dword:00000000\n"));
    WriteStoreFile(QByteArray(text).replace("\"AddDateTime\"=dword:00000000\n",
                                            "\"AddDateTime\"=dword:00000000\n\"LogToFile\"=dword:00000000\n"));
    view.FinishTick();
    EXPECT_EQ(view.Lines(), (QList<QByteArray>{"one", "two", "three"}));
    EXPECT_EQ(Log(), "one\r\n");
}

// A task may run a loop of its own (a dialog), in which ticks go on and the alert list may be
// replaced, as the Properties sheet does.
TEST_F(MessageViewTest, ATickNestedInATaskReadsEachMessageOnceWhileTheListIsReplaced)
{
    SetDword(kAddDateTime, 0);
    TestView& view = MakeView();
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
        view.m_alerts = {alert("fan only", "fan")};
        view.OnTimer();
    });
    pNesting->SetTask(&nest);
    view.m_alerts = {pNesting, alert("disk too", "disk")};

    for (const char* text : {"cpu 0", "disk 1", "disk 1", "fan 2", "disk 3"})
        Receive(text);
    view.OnTimer();
    view.FinishTick();
    // The repeat read in the nested tick is still a repeat; the replaced list's second alert
    // still runs for the message it was offered, before the task of the message after it.
    EXPECT_EQ(view.Lines(), (QList<QByteArray>{"cpu 0", "fan 2", "disk 3", "disk 1"}));
    EXPECT_EQ(*pRuns, (std::vector<QByteArray>{"nesting", "disk too", "fan only"}));
    EXPECT_EQ(Log(), "cpu 0\r\nfan 2\r\ndisk 3\r\ndisk 1\r\n");
    // A task finds the lines before its message logged.
    EXPECT_EQ(logSeenByTask, "cpu 0\r\n");
}

TEST_F(MessageViewTest, DatagramsTheSystemDroppedAreCountedAndToldWhenTheyBegin)
{
    SetDword(kAddDateTime, 0);
    SetDword(kLogToFile, 0);
    // A queue that is always full and a small system buffer: most of a burst is dropped.
    TestView& view = MakeView(std::make_unique<CMailslotInbox>(1, 4096));
    QSignalSpy told(&view, &CMessageView::DatagramsDropped);
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
        view.OnTimer();
        EXPECT_EQ(dropped() > nBefore, step.bCountGrows) << step.name;
        EXPECT_EQ(warnings.Take().size(), step.bToldAgain ? 1 : 0) << step.name;
    }
    // Every datagram is shown, in order, or counted.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            view.OnTimer();
            return quint64(view.Lines().size()) + dropped() >= quint64(nSent);
        },
        30000));
    const QList<QByteArray> lines = view.Lines();
    EXPECT_EQ(quint64(lines.size()) + dropped(), quint64(nSent));
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(),
                               [](const QByteArray& a, const QByteArray& b) { return a.toInt() < b.toInt(); }));
    EXPECT_TRUE(warnings.Take().isEmpty());
}

} // namespace

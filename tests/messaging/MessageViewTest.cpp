#include "ReceiverFixture.h"

#include "messaging/MessageView.h"

#include "alerts/AlertFile.h"
#include "config/PropertiesSheet.h"
#include "messaging/SendMessageDlg.h"
#include "messaging/StoredFont.h"
#include "platform/desktop/AutostartEntry.h"
#include "platform/mfc/UpDownEdit.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/DlgItem.h"
#include "resources/MenuResource.h"
#include "resources/resource.h"
#include "settings/Profile.h"
#include "support/DialogInput.h"
#include "support/DoubleClick.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Opens the view's insides to the tests.
class TestView : public CMessageView
{
public:
    TestView(QWidget* pParent, std::unique_ptr<TestReceiver> pReceiver)
        : CMessageView(pParent, std::move(pReceiver))
    {
    }

    using CMessageView::m_pFont;
    using CTextView::m_nMaxLines;

    QList<QByteArray> Lines() const { return {m_lines.begin(), m_lines.end()}; }
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

class MessageViewTest : public CReceiverFixture
{
protected:
    void SetUp() override
    {
        m_pWindow.reset();
        CReceiverFixture::SetUp();
    }

    // A view made the way the frame makes it, its receiver's clock at m_now.
    TestView& MakeView()
    {
        m_pWindow = std::make_unique<CRecordingWindow>();
        std::unique_ptr<TestReceiver> pReceiver = NewReceiver();
        m_pViewReceiver = pReceiver.get();
        m_pView = new TestView(m_pWindow.get(), std::move(pReceiver));
        m_pView->Create();
        EXPECT_TRUE(m_pViewReceiver->OpenInbox());
        return *m_pView;
    }

    std::unique_ptr<CRecordingWindow> m_pWindow;
    TestView* m_pView = nullptr;
    TestReceiver* m_pViewReceiver = nullptr;
};

TEST_F(MessageViewTest, AReceivedMessageIsShownBringsBackTheWindowAndAsksItToFlash)
{
    TestView& view = MakeView();
    CRecordingWindow& window = *m_pWindow;
    QSignalSpy flashText(&view, &CMessageView::FlashText);
    Receive("hi");
    view.OnTimer();
    EXPECT_EQ(view.Lines(), QList<QByteArray>{"06/15/01 14:03:59 hi"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Messages(false).count(kFlashStart), 0) << "posted, so handled after the tick";
    EXPECT_EQ(window.Messages().count(kFlashStart), 1);
    ASSERT_EQ(flashText.size(), 1);
    EXPECT_EQ(flashText[0][0].toByteArray(), "hi");

    window.showMinimized();
    emit m_pViewReceiver->BringForward();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized()) << "without a tray, hiding only minimised";

    // A later message of the same slice only brings the text up to date.
    emit m_pViewReceiver->Flash("ho", false);
    EXPECT_EQ(window.Messages().count(kFlashStart), 0);
    ASSERT_EQ(flashText.size(), 2);
    EXPECT_EQ(flashText[1][0].toByteArray(), "ho");
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
                                     // The colour code's digits are kept apart from its \x03.
                                     // NOLINTNEXTLINE(bugprone-suspicious-missing-comma)
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
    EXPECT_TRUE(m_pViewReceiver->GetAddDateTime());
    EXPECT_TRUE(m_pViewReceiver->m_alerts.empty());
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
    ASSERT_EQ(m_pViewReceiver->m_alerts.size(), 1u);
    CAlertList loaded;
    EXPECT_TRUE(LoadAlerts(loaded));
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_EQ(loaded[0]->m_keywords, m_pViewReceiver->m_alerts[0]->m_keywords);
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

TEST_F(MessageViewTest, MakingAppliesTheLineLimitAndTheStoredFont)
{
    SetDword(kMaxLines, 40);
    TestView& first = MakeView();
    EXPECT_EQ(first.m_nMaxLines, 40);
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

TEST_F(MessageViewTest, AFailedPollShowsItsBoxOverTheView)
{
    TestView& view = MakeView();
    m_pViewReceiver->m_pInbox->Close(); // the inbox handle has gone bad
    QStringList boxes;
    QTimer::singleShot(0, [&] {
        auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(pBox, nullptr);
        boxes << pBox->windowTitle() + QLatin1Char('|') + pBox->text();
        EXPECT_EQ(pBox->parentWidget(), &view);
        pBox->accept();
    });
    view.OnTimer();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("Tellwick|Error reading mailslot 6, 0x00000006")});
}

} // namespace

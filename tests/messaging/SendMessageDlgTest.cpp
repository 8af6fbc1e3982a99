#include "messaging/SendMessageDlg.h"

#include "messaging/FindComputerDlg.h"
#include "platform/mailslot/HostResolver.h"
#include "resources/DlgItem.h"
#include "resources/resource.h"
#include "support/Bytes.h"
#include "support/FakeComputerBrowser.h"
#include "support/TestInbox.h"
#include "support/WarningCapture.h"

#include <QApplication>
#include <QHostAddress>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class SendMessageDlgTest : public ::testing::Test
{
public: // the table-driven cases reach the fixture through lambdas
    void SetUp() override
    {
        m_pInbox = OpenTestInbox();
        m_pDlg = std::make_unique<CSendMessageDlg>();
        m_pDlg->SetComputerBrowserFactory([] {
            return std::make_unique<CFakeComputerBrowser>(
                true,
                QStringList{QStringLiteral("desk-7.local"), QStringLiteral("reception.local")});
        });
        m_pDlg->show();
    }

    template <typename T = QWidget> T* Item(int nId) const
    {
        return qobject_cast<T*>(GetDlgItem(m_pDlg.get(), nId));
    }
    QLineEdit* Computer() const { return Item<QLineEdit>(IDC_COMPUTER); }
    QLineEdit* Message() const { return Item<QLineEdit>(IDC_MESSAGE); }

    void Click(int nId) const { QTest::mouseClick(Item(nId), Qt::LeftButton); }

    // Opens the colour menu and picks an item by its mnemonic.
    void ChooseColor(Qt::Key mnemonic) const
    {
        QTimer::singleShot(0, [mnemonic] {
            if (QWidget* pPopup = QApplication::activePopupWidget())
                QTest::keyClick(pPopup, mnemonic);
        });
        Click(IDC_COLOR);
    }

    // Runs the find button's dialog, handing it to act while it is open.
    void FindComputer(const std::function<void(CFindComputerDlg&)>& act) const
    {
        QTimer::singleShot(0, [act] {
            if (auto* pFind = qobject_cast<CFindComputerDlg*>(QApplication::activeModalWidget()))
                act(*pFind);
        });
        Click(IDC_FIND_COMPUTER);
    }

    QList<QByteArray> Received() const { return ReadAll(*m_pInbox); }

    std::unique_ptr<CMailslotInbox> m_pInbox;
    std::unique_ptr<CSendMessageDlg> m_pDlg;
};

TEST_F(SendMessageDlgTest, ColorMenuAppendsEachTagToTheEnd)
{
    QTest::keyClicks(Message(), QStringLiteral("ab"));
    Message()->setCursorPosition(0);
    for (Qt::Key key : {Qt::Key_B, Qt::Key_R, Qt::Key_G, Qt::Key_L, Qt::Key_Y, Qt::Key_O, Qt::Key_P,
                        Qt::Key_N, Qt::Key_W})
        ChooseColor(key);
    EXPECT_EQ(Message()->text(), QStringLiteral("ab<b><r><g><l><y><o><p><n><w>"));
    EXPECT_TRUE(Received().isEmpty());
}

TEST_F(SendMessageDlgTest, OkSendsTheMessageWithItsTagsTranslated)
{
    const struct
    {
        const char* name;
        std::function<void(SendMessageDlgTest&)> compose;
        QByteArray datagram;
    } cases[] = {
        // Each datagram stays one line of bytes.
        // clang-format off
        {"typed, Red, typed",
         [](SendMessageDlgTest& t) {
             QTest::keyClicks(t.Message(), QStringLiteral("Hi"));
             t.ChooseColor(Qt::Key_R);
             QTest::keyClicks(t.Message(), QStringLiteral(" there"));
         },
         Bytes("Hi\x03" "04 there\0")},
        {"Red twice",
         [](SendMessageDlgTest& t) {
             t.ChooseColor(Qt::Key_R);
             t.ChooseColor(Qt::Key_R);
         },
         Bytes("\x03" "04\x03" "04\0")},
        {"typed tags",
         [](SendMessageDlgTest& t) {
             QTest::keyClicks(t.Message(), QStringLiteral("<r>Alarm<w,r> now"));
         },
         Bytes("\x03" "04Alarm\x03" "00,04 now\0")},
        {"both fields empty", [](SendMessageDlgTest&) {}, Bytes("\0")},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.compose(*this);
        Click(IDOK);
        EXPECT_EQ(m_pDlg->result(), QDialog::Accepted);
        const QList<QByteArray> received = Received();
        ASSERT_EQ(received.size(), 1);
        EXPECT_EQ(Hex(received[0]), Hex(c.datagram));
    }
}

TEST_F(SendMessageDlgTest, LocalhostInAnyCaseOrNoComputerIsThisComputer)
{
    for (const char* computer : {"LOCALHOST", "localhost", "LocalHost", ""}) {
        SCOPED_TRACE(computer);
        SetUp();
        QTest::keyClicks(Computer(), QString::fromLatin1(computer));
        QTest::keyClicks(Message(), QStringLiteral("hello"));
        QTest::keyClick(Message(), Qt::Key_Return); // Enter presses the default button
        EXPECT_EQ(m_pDlg->result(), QDialog::Accepted);
        const QList<QByteArray> received = Received();
        ASSERT_EQ(received.size(), 1);
        EXPECT_EQ(Hex(received[0]), Hex(Bytes("hello\0")));
    }
}

// Holds every look-up until the test answers it, as a resolver that takes seconds would.
class CHeldResolver : public CHostResolver
{
public:
    CHeldResolver() { Install(this); }
    ~CHeldResolver() override { Install(nullptr); }

    void Lookup(const QByteArray& computer, Callback done) override
    {
        m_names.append(computer);
        m_answers.push_back(std::move(done));
    }

    QList<QByteArray> m_names;
    std::vector<Callback> m_answers;
};

TEST_F(SendMessageDlgTest, TheDialogClosesWhileTheNameIsLookedUpAndTheMessageFollows)
{
    const struct
    {
        const char* computer;
        std::vector<quint32> answer;
        int nReceived;
        int nWarnings;
    } cases[] = {
        {"desk-7", {QHostAddress(QHostAddress::LocalHost).toIPv4Address()}, 1, 0},
        {"no-such-computer.invalid", {}, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.computer);
        SetUp();
        CHeldResolver resolver;
        CWarningCapture warnings("tellwick.mailslot");
        QTest::keyClicks(Computer(), QString::fromLatin1(c.computer));
        QTest::keyClicks(Message(), QStringLiteral("hello"));
        Click(IDOK);
        // OK came back while the name is still being looked up.
        EXPECT_EQ(m_pDlg->result(), QDialog::Accepted);
        EXPECT_FALSE(m_pDlg->isVisible());
        ASSERT_EQ(resolver.m_names, QList<QByteArray>{c.computer});
        EXPECT_TRUE(Received().isEmpty());

        m_pDlg.reset();
        resolver.m_answers.front()(c.answer, QStringLiteral("Host not found"));
        EXPECT_EQ(Received().size(), c.nReceived);
        const QStringList lines = warnings.Take();
        EXPECT_EQ(lines.size(), c.nWarnings) << lines.join(u'\n').toStdString();
        for (const QString& line : lines)
            EXPECT_TRUE(line.contains(QLatin1String(c.computer)) &&
                        line.contains(u"Host not found"))
                << line.toStdString();
    }
}

TEST_F(SendMessageDlgTest, CancelEscapeAndTheCloseBoxSendNothing)
{
    const struct
    {
        const char* name;
        std::function<void(SendMessageDlgTest&)> leave;
    } ways[] = {
        {"Cancel", [](SendMessageDlgTest& t) { t.Click(IDCANCEL); }},
        {"Escape", [](SendMessageDlgTest& t) { QTest::keyClick(t.Message(), Qt::Key_Escape); }},
        {"close box", [](SendMessageDlgTest& t) { t.m_pDlg->close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        SetUp();
        QTest::keyClicks(Computer(), QStringLiteral("localhost"));
        QTest::keyClicks(Message(), QStringLiteral("never sent"));
        way.leave(*this);
        EXPECT_EQ(m_pDlg->result(), QDialog::Rejected);
        EXPECT_FALSE(m_pDlg->isVisible());
        EXPECT_TRUE(Received().isEmpty());
    }
}

TEST_F(SendMessageDlgTest, PickingAComputerKeepsTheTypedMessage)
{
    QTest::keyClicks(Computer(), QStringLiteral("old"));
    QTest::keyClicks(Message(), QStringLiteral("Hi<r> there"));
    FindComputer([](CFindComputerDlg& find) {
        auto* pList = find.findChild<QListWidget*>();
        pList->setCurrentRow(1);
        find.accept();
    });
    EXPECT_EQ(Computer()->text(), QStringLiteral("reception.local"));
    EXPECT_EQ(Message()->text(), QStringLiteral("Hi<r> there"));

    FindComputer([](CFindComputerDlg& find) {
        find.findChild<QListWidget*>()->setCurrentRow(0);
        find.reject();
    });
    EXPECT_EQ(Computer()->text(), QStringLiteral("reception.local"));
    EXPECT_EQ(Message()->text(), QStringLiteral("Hi<r> there"));
}

TEST_F(SendMessageDlgTest, TabGoesThroughTheControlsInTemplateOrder)
{
    m_pDlg->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_pDlg.get()));
    EXPECT_EQ(QApplication::focusWidget(), Computer());
    const int order[] = {IDC_FIND_COMPUTER, IDC_MESSAGE, IDC_COLOR, IDOK, IDCANCEL, IDC_COMPUTER};
    for (int nId : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(GetDlgCtrlID(QApplication::focusWidget()), nId);
    }
}

} // namespace

#include "app/SystemTray.h"

#include "FakeTrayIcon.h"
#include "platform/mfc/WindowMessage.h"
#include "resources/MenuResource.h"
#include "resources/resource.h"

#include <QCoreApplication>
#include <QPixmap>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using namespace std::chrono_literals;

QIcon SolidIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Keeps every window message that reaches it.
class CRecordingOwner : public QObject
{
public:
    struct Message
    {
        int nMessage;
        qintptr wParam;
        qintptr lParam;
        bool operator==(const Message&) const = default;
    };
    QList<Message> m_messages;

    bool event(QEvent* pEvent) override
    {
        auto* pMessage = dynamic_cast<CWindowMessage*>(pEvent);
        if (!pMessage)
            return QObject::event(pEvent);
        m_messages.append({pMessage->Message(), pMessage->WParam(), pMessage->LParam()});
        return true;
    }
};

class SystemTrayTest : public ::testing::Test
{
protected:
    SystemTrayTest() : m_tray(std::make_unique<CFakeTrayIcon>(m_log))
    {
        m_frames = {{IDI_TRAY_FLASH_1, SolidIcon(Qt::red)}, {IDI_TRAY_FLASH_2, SolidIcon(Qt::yellow)}};
        m_tray.SetIconLoader([this](int nID) {
            const auto it = m_frames.find(nID);
            return it == m_frames.end() ? QIcon() : it->second;
        });
        m_tray.SetClock([this] { return m_now; });
    }

    void CreateWithFrames()
    {
        ASSERT_TRUE(m_tray.Create(&m_owner, WM_TRAY_NOTIFY, QStringLiteral("Tellwick"), m_normal,
                                  ID_TRAY_ICON));
        ASSERT_TRUE(m_tray.SetFlashIcons(IDI_TRAY_FLASH_1, IDI_TRAY_FLASH_2));
    }

    qint64 Key(int nID) { return m_frames[nID].cacheKey(); }
    void ExpectMenuAsOwnerLeftIt(const std::function<void()>& open);
    qint64 Shown() const { return m_log.icons.last(); }

    CFakeTrayIcon::Log m_log;
    CSystemTray m_tray;
    CRecordingOwner m_owner;
    QIcon m_normal = SolidIcon(Qt::blue);
    std::map<int, QIcon> m_frames;
    std::chrono::steady_clock::time_point m_now{100s};
};

TEST_F(SystemTrayTest, FramesCycleFromTheSecondAndStoppingPutsTheNormalIconBack)
{
    CreateWithFrames();
    ASSERT_TRUE(m_tray.StartFlashing(1000, 0));
    EXPECT_TRUE(m_tray.IsFlashing());
    QList<qint64> shown;
    for (int nTick = 0; nTick < 4; ++nTick) {
        m_now += 1s;
        m_tray.OnTimer();
        shown.append(Shown());
    }
    const qint64 first = Key(IDI_TRAY_FLASH_1), second = Key(IDI_TRAY_FLASH_2);
    EXPECT_EQ(shown, (QList<qint64>{second, first, second, first}));
    EXPECT_TRUE(m_tray.StopFlashing());
    EXPECT_FALSE(m_tray.IsFlashing());
    EXPECT_EQ(Shown(), m_normal.cacheKey());
    EXPECT_EQ(m_tray.CurrentIcon().cacheKey(), m_normal.cacheKey());
}

TEST_F(SystemTrayTest, StartingTwiceStillEndsOnTheIconFromBeforeTheFirstStart)
{
    CreateWithFrames();
    m_tray.StartFlashing(1000, 0);
    m_tray.OnTimer();
    ASSERT_EQ(Shown(), Key(IDI_TRAY_FLASH_2));
    // The second start must not take the flash frame on show as the icon to return to.
    m_tray.StartFlashing(1000, 0);
    m_tray.OnTimer();
    EXPECT_TRUE(m_tray.StopFlashing());
    EXPECT_EQ(Shown(), m_normal.cacheKey());
    EXPECT_FALSE(m_tray.StopFlashing());
}

TEST_F(SystemTrayTest, StoppingWhenNothingFlashesChangesNothing)
{
    CreateWithFrames();
    const auto shownBefore = m_log.icons;
    EXPECT_FALSE(m_tray.StopFlashing());
    EXPECT_EQ(m_log.icons, shownBefore);
}

TEST_F(SystemTrayTest, WithoutFramesTicksChangeNothingAndStopStillRestores)
{
    ASSERT_TRUE(m_tray.Create(&m_owner, WM_TRAY_NOTIFY, QStringLiteral("Tellwick"), m_normal,
                              ID_TRAY_ICON));
    EXPECT_TRUE(m_tray.StartFlashing(1000, 0));
    const auto shownBefore = m_log.icons;
    EXPECT_FALSE(m_tray.NextFlashIcon());
    m_tray.OnTimer();
    EXPECT_EQ(m_log.icons, shownBefore);
    EXPECT_TRUE(m_tray.StopFlashing());
    EXPECT_EQ(Shown(), m_normal.cacheKey());
}

TEST_F(SystemTrayTest, FramesInDescendingOrderAreRefusedAndTheOldOnesKept)
{
    CreateWithFrames();
    EXPECT_FALSE(m_tray.SetFlashIcons(IDI_TRAY_FLASH_2, IDI_TRAY_FLASH_1));
    m_tray.StartFlashing(1000, 0);
    m_tray.OnTimer();
    EXPECT_EQ(Shown(), Key(IDI_TRAY_FLASH_2));
}

TEST_F(SystemTrayTest, AFrameThatFailsToLoadKeepsItsPlace)
{
    ASSERT_TRUE(m_tray.Create(&m_owner, WM_TRAY_NOTIFY, QString(), m_normal, ID_TRAY_ICON));
    ASSERT_TRUE(m_tray.SetFlashIcons(IDI_TRAY_FLASH_1, IDI_TRAY_FLASH_2 + 1));
    m_tray.StartFlashing(1000, 0);
    const QList<qint64> expected{Key(IDI_TRAY_FLASH_2), QIcon().cacheKey(), Key(IDI_TRAY_FLASH_1)};
    for (qint64 key : expected) {
        m_tray.OnTimer();
        EXPECT_EQ(Shown(), key);
    }
}

TEST_F(SystemTrayTest, TheLimitCountsWholeSecondsAndStopsOnceExceeded)
{
    CreateWithFrames();
    m_tray.StartFlashing(1000, 3);
    const struct
    {
        std::chrono::milliseconds elapsed;
        bool bFlashing;
    } ticks[] = {{1000ms, true}, {2000ms, true}, {3000ms, true}, {3999ms, true}, {4000ms, false}};
    const auto start = m_now;
    for (const auto& tick : ticks) {
        m_now = start + tick.elapsed;
        m_tray.OnTimer();
        EXPECT_EQ(m_tray.IsFlashing(), tick.bFlashing) << tick.elapsed.count();
    }
    EXPECT_EQ(Shown(), m_normal.cacheKey());
}

TEST_F(SystemTrayTest, ARefusedIconIsNeitherShownNorChanged)
{
    m_log.bAvailable = false;
    EXPECT_FALSE(m_tray.Create(&m_owner, WM_TRAY_NOTIFY, QString(), m_normal, ID_TRAY_ICON));
    EXPECT_FALSE(m_tray.IsEnabled());
    EXPECT_FALSE(m_tray.ChangeIcon(m_normal));
    EXPECT_TRUE(m_tray.CurrentIcon().isNull());
    EXPECT_TRUE(m_log.icons.isEmpty());
}

TEST_F(SystemTrayTest, TheToolTipKeepsSixtyThreeCharacters)
{
    const QString strLong(70, QLatin1Char('x'));
    ASSERT_TRUE(m_tray.Create(&m_owner, WM_TRAY_NOTIFY, strLong, m_normal, ID_TRAY_ICON));
    EXPECT_EQ(m_log.strToolTip, strLong.left(63));
    m_tray.DeleteIcon();
    EXPECT_FALSE(m_log.bShown);
    EXPECT_FALSE(m_tray.IsEnabled());
}

TEST_F(SystemTrayTest, NotificationsAnswerByIconIdAndOnlyTheContextClickOpensTheMenu)
{
    CreateWithFrames();
    const struct
    {
        int nID;
        QSystemTrayIcon::ActivationReason reason;
        int nResult;
        int nMenus;
    } cases[] = {
        {ID_TRAY_ICON + 1, QSystemTrayIcon::Context, 0, 0},
        {ID_TRAY_ICON, QSystemTrayIcon::Trigger, 1, 0},
        {ID_TRAY_ICON, QSystemTrayIcon::MiddleClick, 1, 0},
        {ID_TRAY_ICON, QSystemTrayIcon::DoubleClick, 1, 0},
        {ID_TRAY_ICON, QSystemTrayIcon::Unknown, 1, 0},
        {ID_TRAY_ICON, QSystemTrayIcon::Context, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m_tray.HandleNotification(c.nID, c.reason), c.nResult) << c.reason;
        EXPECT_EQ(m_log.nMenusTracked, c.nMenus) << c.reason;
    }
}

// The same menu whichever opens it: the program on a right-click, or a D-Bus tray by itself from
// what the program exported, never telling of a click; it must have been given before the icon
// was added.
TEST_F(SystemTrayTest, TheMenuHasAboutInBoldAndTellsTheChosenCommandOnceItHasClosed)
{
    CreateWithFrames();
    EXPECT_TRUE(m_log.bMenuWhenAdded);
    ASSERT_NE(m_log.pContextMenu, nullptr);
    const std::pair<const char*, std::function<void()>> openers[] = {
        {"right-click",
         [this] { ASSERT_EQ(m_tray.HandleNotification(ID_TRAY_ICON, QSystemTrayIcon::Context), 1); }},
        {"desktop", [this] { ASSERT_TRUE(CFakeTrayIcon::OpenContextMenu(m_log)); }},
    };
    for (const auto& [opener, open] : openers) {
        SCOPED_TRACE(opener);
        m_log.nMenusTracked = 0;
        for (QAction* pAction : m_log.pContextMenu->actions())
            pAction->setEnabled(true);
        ExpectMenuAsOwnerLeftIt(open);
    }
}

void SystemTrayTest::ExpectMenuAsOwnerLeftIt(const std::function<void()>& open)
{
    // Whoever runs the commands disables "Send Message..." before the menu opens.
    int nOffered = 0;
    const QMetaObject::Connection offeredConnection = QObject::connect(
        &m_tray, &CSystemTray::MenuAboutToOpen, [this, &nOffered](QMenu* pMenu) {
            EXPECT_EQ(m_log.nMenusTracked, nOffered++) << "offered before it opens";
            for (QAction* pAction : pMenu->actions())
                pAction->setEnabled(pAction->data().toInt() != ID_SEND_MESSAGE);
        });
    QList<int> chosen;
    const QMetaObject::Connection chosenConnection = QObject::connect(
        &m_tray, &CSystemTray::CommandChosen, [this, &nOffered, &chosen](int nID) {
            EXPECT_EQ(m_log.nMenusTracked, nOffered) << "told once it has closed";
            chosen.append(nID);
        });
    m_log.nChooseCommand = ID_PROPERTIES;
    open();
    // The resource's menu, its first item the default, Send Message as its owner left it.
    QStringList expected;
    QList<bool> enabled;
    const std::unique_ptr<QMenu> pMenu = LoadPopupMenu(IDR_POPUP_MENU);
    for (const QAction* pAction : pMenu->actions()) {
        expected << (pAction->isSeparator() ? QString() : pAction->text());
        enabled << (pAction->data().toInt() != ID_SEND_MESSAGE);
    }
    EXPECT_EQ(m_log.menuItems, expected);
    EXPECT_EQ(m_log.strDefaultItem, expected.value(0));
    EXPECT_EQ(m_log.itemEnabled, enabled);
    EXPECT_EQ(chosen, QList<int>{ID_PROPERTIES});
    // Nothing is chosen when the menu is dismissed.
    m_log.nChooseCommand = 0;
    open();
    EXPECT_EQ(chosen, QList<int>{ID_PROPERTIES});
    EXPECT_TRUE(m_owner.m_messages.isEmpty());
    QObject::disconnect(offeredConnection);
    QObject::disconnect(chosenConnection);
}

TEST_F(SystemTrayTest, ClicksReachTheOwnerAsTheCallbackMessage)
{
    auto pIcon = std::make_unique<CFakeTrayIcon>(m_log);
    CFakeTrayIcon& icon = *pIcon;
    CSystemTray tray(std::move(pIcon));
    ASSERT_TRUE(tray.Create(&m_owner, WM_TRAY_NOTIFY, QString(), m_normal, ID_TRAY_ICON));
    icon.Click(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(m_owner.m_messages.isEmpty());
    QCoreApplication::sendPostedEvents(&m_owner);
    ASSERT_EQ(m_owner.m_messages.size(), 1);
    EXPECT_EQ(m_owner.m_messages[0],
              (CRecordingOwner::Message{WM_TRAY_NOTIFY, ID_TRAY_ICON, QSystemTrayIcon::DoubleClick}));
}

} // namespace

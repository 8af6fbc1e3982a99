#include "app/CommandAction.h"
#include "app/FrameCommands.h"
#include "app/MainFrame.h"
#include "app/TellwickApp.h"

#include "platform/app/OwnEntry.h"
#include "resources/Accelerators.h"
#include "resources/MenuResource.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"
#include "support/ScopedEnvironment.h"
#include "support/WarningCapture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QMenuBar>
#include <QToolBar>
#include <QTemporaryDir>

#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace {

TEST(TellwickAppTest, TheInstanceNameIsBuiltAsTheFrameClassWasNamed)
{
    const struct
    {
        quintptr hInstance;
        quintptr hCursor;
        bool bLoaded;
        const char* name;
    } cases[] = {
        {kInstanceHandle, 0, true, "Tellwick:400000:8:0:0"},
        {kInstanceHandle, 0, false, "Tellwick:400000:8"},
        {0x10000000, 0x1a2b, true, "Tellwick:10000000:8:1a2b:0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildInstanceName(QStringLiteral("Tellwick"), c.hInstance, c.hCursor, c.bLoaded),
                  QLatin1String(c.name));
}

TEST(TellwickAppTest, ASecondCopyRestoresTheFirstOneAndEndsWithZero)
{
    CTellwickApp first;
    ASSERT_TRUE(first.InitInstance());
    EXPECT_EQ(first.InstanceClassName(), QStringLiteral("Tellwick:400000:8:0:0"));
    QWidget* pFrame = first.GetMainWnd();
    ASSERT_TRUE(pFrame);
    EXPECT_TRUE(pFrame->isVisible());
    const std::pair<const char*, std::function<void()>> states[] = {
        {"hidden", [&] { pFrame->hide(); }},
        {"minimised", [&] { pFrame->showMinimized(); }},
        {"maximised", [&] { pFrame->showMaximized(); }},
    };
    for (const auto& [name, leave] : states) {
        leave();
        CTellwickApp second;
        EXPECT_FALSE(second.InitInstance());
        EXPECT_TRUE(second.FoundOtherInstance());
        EXPECT_EQ(second.ExitCode(), 0);
        EXPECT_FALSE(second.GetMainWnd());
        // Shown as SW_RESTORE shows it: at its normal size.
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return pFrame->isVisible() && !pFrame->isMinimized() && !pFrame->isMaximized();
        })) << name;
    }
}

TEST(TellwickAppTest, WithoutALockFileTheRunningCopyIsStillFoundByItsChannel)
{
    // A link where the lock file goes: both copies take the fallback folder instead.
    const QString strLockPath = QDir(qEnvironmentVariable("XDG_RUNTIME_DIR"))
                                    .filePath(QStringLiteral("Tellwick:400000:8:0:0.lock"));
    QFile::remove(strLockPath);
    ASSERT_TRUE(QFile::link(QStringLiteral("/nonexistent/target"), strLockPath));

    CWarningCapture warnings("tellwick.instance");
    CTellwickApp first;
    ASSERT_TRUE(first.InitInstance());
    CTellwickApp second;
    EXPECT_FALSE(second.InitInstance());
    EXPECT_TRUE(second.FoundOtherInstance());
    EXPECT_EQ(second.ExitCode(), 0);
    QFile::remove(strLockPath);
}

TEST(TellwickAppTest, NoUsableFolderForTheLockNeverKeepsTheProgramFromStarting)
{
    const QString strName = QStringLiteral("Tellwick:400000:8:0:0");
    const struct
    {
        const char* name;
        // Prepares the fallback folder; returns XDG_RUNTIME_DIR, null for unset.
        std::function<QByteArray(const QString& strFallback)> prepare;
        bool bSingle;        // a second copy still finds the first
        const char* warning; // what each start says
    } cases[] = {
        // A folder of this user's own that not even root can write to.
        {"runtime folder nobody can write",
         [](const QString&) { return QByteArray("/proc/self/fd"); }, true,
         "lock file not taken in \"/proc/self/fd\""},
        {"fallback made by someone else, with a listening socket in it",
         [](const QString& strFallback) {
             QDir().mkpath(strFallback);
             QFile::setPermissions(strFallback,
                                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                       QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                       QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
             return QByteArray();
         },
         false, "running without single-instance protection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tmp;
        const QString strFallback =
            tmp.filePath(QStringLiteral("tellwick-%1").arg(CurrentUserId()));
        const CScopedEnvironment tmpdir("TMPDIR", QFile::encodeName(tmp.path()));
        const CScopedEnvironment runtime("XDG_RUNTIME_DIR", c.prepare(strFallback));
        // Someone else's copy, or so it says.
        QLocalServer planted;
        if (QFileInfo(strFallback).isDir()) {
            ASSERT_TRUE(planted.listen(QDir(strFallback).filePath(strName)));
        }
        // The old refusal to start showed a box: close it rather than wait for ever.
        QTimer::singleShot(0, [] {
            if (QWidget* pBox = QApplication::activeModalWidget())
                pBox->close();
        });

        CWarningCapture warnings("tellwick.instance");
        CTellwickApp first;
        EXPECT_TRUE(first.InitInstance());
        EXPECT_FALSE(first.FoundOtherInstance());
        EXPECT_TRUE(first.GetMainWnd());
        CTellwickApp second;
        EXPECT_EQ(second.InitInstance(), !c.bSingle);
        EXPECT_EQ(second.FoundOtherInstance(), c.bSingle);
        QCoreApplication::processEvents();
        EXPECT_FALSE(planted.hasPendingConnections()) << "the planted socket was asked";
        // Each start says once why it is not protected as usual.
        const QStringList lines = warnings.Take();
        ASSERT_EQ(lines.size(), 2) << lines.join(u'\n').toStdString();
        for (const QString& line : lines)
            EXPECT_TRUE(line.contains(QLatin1String(c.warning))) << line.toStdString();
    }
}

// Receives what the desktop would be asked to open.
class CUrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> m_urls;

public slots:
    void Open(const QUrl& url) { m_urls.append(url); }
};

TEST(TellwickAppTest, HelpCommandsOpenTheShippedPage)
{
    CUrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    CTellwickApp app;
    for (int nID : {ID_HELP_TOPICS, ID_HELP_SEARCH, ID_HELP_USING_HELP})
        EXPECT_TRUE(app.OnCmdMsg(nID, CmdMsg::Command, nullptr));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.m_urls.size(), 3);
    for (const QUrl& url : catcher.m_urls)
        EXPECT_TRUE(url.path().endsWith(QStringLiteral("/Tellwick.html"))) << url.toString().toStdString();
    EXPECT_EQ(catcher.m_urls[0], catcher.m_urls[1]);
    EXPECT_EQ(catcher.m_urls[2].fragment(), QStringLiteral("using-help"));
}

// Every command the program offers reaches a handler of the real chain (view, frame,
// application): every menu item, toolbar button and tray menu item. A key may be bound only to
// keep it from reaching anything else; then it is disabled and running it does nothing.
TEST(TellwickAppTest, EveryOfferedCommandReachesAHandlerOrIsDisabled)
{
    CTellwickApp app;
    ASSERT_TRUE(app.InitInstance());
    auto* pFrame = qobject_cast<CMainFrame*>(app.GetMainWnd());
    ASSERT_TRUE(pFrame);
    CFrameCommands& commands = pFrame->GetCommands();
    commands.UpdateMenuBar();
    commands.UpdateToolBar();

    const std::unique_ptr<QMenu> pTrayMenu = LoadMenuResource(IDR_POPUP_MENU);
    const std::unique_ptr<QMenu> pContextMenu = LoadMenuResource(IDR_CONTEXT_MENU);
    ASSERT_TRUE(pTrayMenu && !pTrayMenu->actions().isEmpty());
    ASSERT_TRUE(pContextMenu && !pContextMenu->actions().isEmpty());
    QList<std::pair<const char*, QAction*>> items;
    for (QAction* pDropDown : pFrame->menuBar()->actions() + pTrayMenu->actions() + pContextMenu->actions()) {
        for (QAction* pItem : pDropDown->menu()->actions())
            items.append({"menu item", pItem});
    }
    for (QAction* pButton : commands.GetToolBar()->actions())
        items.append({"button", pButton});
    int nChecked = 0;
    for (const auto& [kind, pItem] : items) {
        if (pItem->isSeparator())
            continue;
        const int nID = CommandId(pItem);
        SCOPED_TRACE(std::string(kind) + " " + std::to_string(nID) + " " + pItem->text().toStdString());
        EXPECT_NE(nID, 0);
        EXPECT_TRUE(pFrame->OnCmdMsg(nID, CmdMsg::Probe, nullptr));
        EXPECT_TRUE(UpdateCommandUI(*pFrame, nID).m_bEnabled);
        ++nChecked;
    }
    // The menu bar's items, the toolbar's buttons, the tray and the context menus' items at least.
    EXPECT_GE(nChecked, 25);

    int nKeys = 0;
    for (QAction* pKey : pFrame->actions()) {
        const int nID = CommandId(pKey);
        if (pKey->shortcut().isEmpty() || nID == 0)
            continue;
        SCOPED_TRACE(pKey->shortcut().toString().toStdString());
        ++nKeys;
        if (pFrame->OnCmdMsg(nID, CmdMsg::Probe, nullptr))
            continue;
        EXPECT_FALSE(UpdateCommandUI(*pFrame, nID).m_bEnabled);
        EXPECT_FALSE(pFrame->RunCommand(nID));
    }
    EXPECT_EQ(nKeys, qsizetype(LoadAcceleratorRes(IDR_MAINFRAME).size()));
}

TEST(TellwickAppTest, ExitClosesTheMainFrameWithEverythingSaved)
{
    CTellwickApp app;
    ASSERT_TRUE(app.InitInstance());
    QPointer<QWidget> pFrame = app.GetMainWnd();
    ASSERT_TRUE(app.OnCmdMsg(ID_APP_EXIT, CmdMsg::Command, nullptr));
    EXPECT_TRUE(QTest::qWaitFor([&] { return pFrame.isNull(); }));
}

TEST(TellwickAppTest, ATerminationSignalExitsFromAnOpenDialogOrMenuWithEverythingSaved)
{
    const std::pair<const char*, std::function<void(CMainFrame&)>> openers[] = {
        {"Send Message", [](CMainFrame& frame) { frame.RunCommand(ID_SEND_MESSAGE); }},
        {"Font", [](CMainFrame& frame) { frame.RunCommand(ID_FONT); }},
        {"context menu", [](CMainFrame& frame) {
             QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
             QCoreApplication::sendEvent(frame.GetView(), &request);
         }},
    };
    for (const auto& [name, open] : openers) {
        QFile::remove(QStringLiteral("alerts.twk"));
        WriteProfileString(kWindowPos.section, kWindowPos.name, "");
        CTellwickApp app;
        ASSERT_TRUE(app.InitInstance());
        QPointer<CMainFrame> pFrame = qobject_cast<CMainFrame*>(app.GetMainWnd());
        ASSERT_TRUE(pFrame);
        // The signal arrives while the dialog's or menu's own loop runs.
        QTimer::singleShot(50, [] { raise(SIGTERM); });
        open(*pFrame);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pFrame.isNull(); })) << name;
        EXPECT_FALSE(GetProfileString(kWindowPos.section, kWindowPos.name).isEmpty()) << name;
        EXPECT_TRUE(QFile::exists(QStringLiteral("alerts.twk"))) << name;
    }
}

} // namespace

#include "TellwickAppTest.moc"

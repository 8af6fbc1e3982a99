#include "platform/app/InstanceLock.h"

#include "platform/app/InstanceChannel.h"
#include "platform/app/OwnEntry.h"
#include "support/ScopedEnvironment.h"
#include "support/WarningCapture.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kName = QStringLiteral("Tellwick:400000:8:0:0");

// Folder permissions by their octal mode.
QFile::Permissions Mode(int nMode)
{
    static constexpr QFile::Permission kBits[] = {
        QFile::ExeOther,  QFile::WriteOther, QFile::ReadOther,  QFile::ExeGroup, QFile::WriteGroup,
        QFile::ReadGroup, QFile::ExeOwner,   QFile::WriteOwner, QFile::ReadOwner};
    QFile::Permissions permissions;
    for (int i = 0; i < 9; ++i) {
        if (nMode & (1 << i))
            permissions |= kBits[i];
    }
    return permissions;
}

QString MakeFolder(const QString& strPath, int nMode)
{
    QDir().mkpath(strPath);
    QFile::setPermissions(strPath, Mode(nMode));
    return strPath;
}

QString RuntimeFolder()
{
    return qEnvironmentVariable("XDG_RUNTIME_DIR");
}

TEST(InstanceLockTest, OnlyOneHolderAtATime)
{
    CInstanceLock first, second;
    ASSERT_EQ(first.Acquire(kName), CInstanceLock::Result::Acquired);
    EXPECT_EQ(second.Acquire(kName), CInstanceLock::Result::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    EXPECT_EQ(second.ChannelPath(), first.ChannelPath());
    // Another instance name is another lock.
    EXPECT_EQ(second.Acquire(QStringLiteral("Tellwick:500000:8:0:0")),
              CInstanceLock::Result::Acquired);
    first.Release();
    EXPECT_EQ(CInstanceLock().Acquire(kName), CInstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, TheLockLivesInAFolderOfTheUsersOwnOrNowhere)
{
    enum Where
    {
        Runtime,
        Fallback,
        Nowhere
    };
    const struct
    {
        const char* name;
        // Prepares the temporary folder; returns XDG_RUNTIME_DIR, null for unset.
        std::function<QByteArray(const QString& strTmp, const QString& strFallback)> prepare;
        Where where;
        const char* warning; // the one warning line holds this
    } cases[] = {
        {"private runtime folder",
         [](const QString& strTmp, const QString&) {
             return QFile::encodeName(MakeFolder(strTmp + QStringLiteral("/run"), 0700));
         },
         Runtime, nullptr},
        {"no runtime folder", [](const QString&, const QString&) { return QByteArray(); }, Fallback,
         nullptr},
        // A folder of this user's own that not even root can write to.
        {"runtime folder nobody can write",
         [](const QString&, const QString&) { return QByteArray("/proc/self/fd"); }, Fallback,
         "lock file not taken in \"/proc/self/fd\": No such file or directory - using"},
        {"runtime folder open to others",
         [](const QString& strTmp, const QString&) {
             return QFile::encodeName(MakeFolder(strTmp + QStringLiteral("/run"), 0755));
         },
         Fallback, "open to others (mode 0755) - using"},
        {"fallback made by someone else, open to all",
         [](const QString&, const QString& strFallback) {
             MakeFolder(strFallback, 0777);
             return QByteArray();
         },
         Nowhere, "open to others (mode 0777) - running without single-instance protection"},
        {"fallback planted as a link",
         [](const QString& strTmp, const QString& strFallback) {
             QFile::link(MakeFolder(strTmp + QStringLiteral("/elsewhere"), 0700), strFallback);
             return QByteArray();
         },
         Nowhere, "not a folder - running without single-instance protection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir tmp;
        const QString strFallback =
            tmp.filePath(QStringLiteral("tellwick-%1").arg(CurrentUserId()));
        const CScopedEnvironment tmpdir("TMPDIR", QFile::encodeName(tmp.path()));
        const CScopedEnvironment runtime("XDG_RUNTIME_DIR", c.prepare(tmp.path(), strFallback));
        const QString strRuntime = RuntimeFolder();

        CWarningCapture warnings("tellwick.instance");
        CInstanceLock lock;
        const CInstanceLock::Result result = lock.Acquire(kName);
        const QStringList lines = warnings.Take();

        switch (c.where) {
        case Runtime:
            EXPECT_EQ(result, CInstanceLock::Result::Acquired);
            EXPECT_EQ(lock.ChannelPath(), QDir(strRuntime).filePath(kName));
            break;
        case Fallback:
            EXPECT_EQ(result, CInstanceLock::Result::Acquired);
            EXPECT_EQ(lock.ChannelPath(), QDir(strFallback).filePath(kName));
            EXPECT_EQ(QFile::permissions(strFallback) & Mode(0777), Mode(0700));
            EXPECT_EQ(CInstanceLock().Acquire(kName), CInstanceLock::Result::HeldElsewhere);
            break;
        case Nowhere:
            EXPECT_EQ(result, CInstanceLock::Result::Failed);
            EXPECT_FALSE(lock.IsHeld());
            EXPECT_TRUE(lock.ChannelPath().isEmpty());
            EXPECT_FALSE(
                QFile::exists(QDir(strFallback).filePath(kName + QStringLiteral(".lock"))));
            break;
        }
        ASSERT_EQ(lines.size(), c.warning ? 1 : 0) << lines.join(u'\n').toStdString();
        if (c.warning) {
            EXPECT_TRUE(lines[0].contains(QLatin1String(c.warning))) << lines[0].toStdString();
        }
    }
}

TEST(InstanceLockTest, APlantedLinkIsNotFollowed)
{
    QTemporaryDir target;
    const QString strName = QStringLiteral("planted");
    const QString strLink = QDir(RuntimeFolder()).filePath(strName + QStringLiteral(".lock"));
    ASSERT_TRUE(QFile::link(target.filePath(QStringLiteral("victim")), strLink));
    CWarningCapture warnings("tellwick.instance");
    CInstanceLock lock;
    EXPECT_EQ(lock.Acquire(strName), CInstanceLock::Result::Acquired);
    EXPECT_FALSE(lock.ChannelPath().startsWith(RuntimeFolder())) << "taken in the fallback folder";
    EXPECT_FALSE(QFile::exists(target.filePath(QStringLiteral("victim"))));
    EXPECT_EQ(warnings.Take().size(), 1);
    QFile::remove(strLink);
}

TEST(InstanceLockTest, OnlyTheUsersOwnFoldersAndSocketsAreTrusted)
{
    QTemporaryDir tmp;
    const QString strPrivate = MakeFolder(tmp.filePath(QStringLiteral("private")), 0700);
    const QString strOpen = MakeFolder(tmp.filePath(QStringLiteral("open")), 0750);
    const QString strLink = tmp.filePath(QStringLiteral("link"));
    QFile::link(strPrivate, strLink);
    const QString strFile = tmp.filePath(QStringLiteral("file"));
    QFile(strFile).open(QIODevice::WriteOnly);
    QLocalServer server;
    server.setSocketOptions(QLocalServer::UserAccessOption);
    const QString strSocket = tmp.filePath(QStringLiteral("socket"));
    ASSERT_TRUE(server.listen(strSocket));

    const quint32 nMe = CurrentUserId();
    const quint32 nOther = nMe + 1;
    const struct
    {
        const QString& path;
        OwnEntryKind kind;
        quint32 nUid;
        const char* fault; // null when trusted
    } cases[] = {
        {strPrivate, OwnEntryKind::PrivateFolder, nMe, nullptr},
        {strPrivate, OwnEntryKind::PrivateFolder, nOther, "owned by user"},
        {strOpen, OwnEntryKind::PrivateFolder, nMe, "open to others (mode 0750)"},
        {strLink, OwnEntryKind::PrivateFolder, nMe, "not a folder"},
        {strFile, OwnEntryKind::PrivateFolder, nMe, "not a folder"},
        {strSocket, OwnEntryKind::Socket, nMe, nullptr},
        {strSocket, OwnEntryKind::Socket, nOther, "owned by user"},
        {strPrivate, OwnEntryKind::Socket, nMe, "not a socket"},
        {tmp.filePath(QStringLiteral("missing")), OwnEntryKind::Socket, nMe,
         "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " as user " + std::to_string(c.nUid));
        QString strFault;
        EXPECT_EQ(IsOwnEntry(c.path, c.kind, c.nUid, &strFault), c.fault == nullptr);
        EXPECT_TRUE(c.fault ? strFault.startsWith(QLatin1String(c.fault)) : strFault.isEmpty())
            << strFault.toStdString();
    }
}

TEST(InstanceChannelTest, ASecondCopyAsksTheFirstToShowItself)
{
    const QString strPath = QDir(RuntimeFolder()).filePath(kName);
    // A crashed copy's socket file must not keep the next one from listening.
    {
        QFile stale(strPath);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    {
        CWarningCapture warnings("tellwick.instance");
        EXPECT_FALSE(CInstanceChannel::AskToShow(strPath, 1000)) << "a file is no channel";
        EXPECT_EQ(warnings.Take().size(), 1);
    }
    CInstanceChannel channel;
    ASSERT_TRUE(channel.Listen(strPath));
    QSignalSpy spy(&channel, &CInstanceChannel::ShowRequested);
    EXPECT_TRUE(CInstanceChannel::AskToShow(strPath, 1000));
    EXPECT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.count(), 1);
}

TEST(InstanceChannelTest, TheSecondCopysActivationTokenTravelsWithTheRequest)
{
    const QString strPath = QDir(RuntimeFolder()).filePath(kName);
    CInstanceChannel channel;
    ASSERT_TRUE(channel.Listen(strPath));
    const struct
    {
        QByteArray sent;
        QByteArray received;
    } kCases[] = {
        {QByteArray(), QByteArray()},
        {"gnome-shell/Tellwick/1234-5-host_TIME42", "gnome-shell/Tellwick/1234-5-host_TIME42"},
        {QByteArray(256, 'k'), QByteArray(256, 'k')},
        // Only a plain word is a token: what is longer or holds blanks or controls is dropped.
        {QByteArray(257, 'k'), QByteArray()},
        {QByteArray(100000, 'k'), QByteArray()},
        {"two words", QByteArray()},
        {"token\nline", QByteArray()},
        {"token\x7f", QByteArray()},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.sent.left(40).toStdString());
        const CScopedEnvironment token("XDG_ACTIVATION_TOKEN", c.sent);
        QSignalSpy spy(&channel, &CInstanceChannel::ShowRequested);
        EXPECT_TRUE(CInstanceChannel::AskToShow(strPath, 1000));
        ASSERT_TRUE(spy.wait(5000));
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(0).toByteArray(), c.received);
    }
}

TEST(InstanceChannelTest, NobodyListeningIsNoAnswer)
{
    EXPECT_FALSE(CInstanceChannel::AskToShow(
        QDir(RuntimeFolder()).filePath(QStringLiteral("nobody")), 1000));
}

} // namespace

#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

const QString kName = QStringLiteral("Tellwick:400000:8:0:0");

TEST(InstanceLockTest, OnlyOneHolderAtATime)
{
    CInstanceLock first, second;
    ASSERT_EQ(first.Acquire(kName), CInstanceLock::Result::Acquired);
    EXPECT_EQ(second.Acquire(kName), CInstanceLock::Result::HeldElsewhere);
    EXPECT_FALSE(second.IsHeld());
    // Another instance name is another lock.
    EXPECT_EQ(second.Acquire(QStringLiteral("Tellwick:500000:8:0:0")),
              CInstanceLock::Result::Acquired);
    first.Release();
    EXPECT_EQ(CInstanceLock().Acquire(kName), CInstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, LivesInTheRuntimeFolderOrPerUserInTmp)
{
    const QString strRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstancePath(kName), QDir(strRuntime).filePath(kName));
    qunsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(InstancePath(kName), QStringLiteral("/tmp/%1-%2").arg(kName).arg(getuid()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(strRuntime));
}

TEST(InstanceLockTest, APlantedLinkIsNotFollowed)
{
    QTemporaryDir target;
    const QString strName = QStringLiteral("planted");
    ASSERT_TRUE(QFile::link(target.filePath(QStringLiteral("victim")),
                            InstancePath(strName) + QStringLiteral(".lock")));
    CInstanceLock lock;
    EXPECT_EQ(lock.Acquire(strName), CInstanceLock::Result::Failed);
    EXPECT_FALSE(QFile::exists(target.filePath(QStringLiteral("victim"))));
}

TEST(InstanceChannelTest, ASecondCopyAsksTheFirstToShowItself)
{
    const QString strPath = InstancePath(kName);
    // A crashed copy's socket file must not keep the next one from listening.
    {
        QFile stale(strPath);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    CInstanceChannel channel;
    ASSERT_TRUE(channel.Listen(strPath));
    QSignalSpy spy(&channel, &CInstanceChannel::ShowRequested);
    EXPECT_TRUE(CInstanceChannel::AskToShow(strPath, 1000));
    EXPECT_TRUE(spy.wait(5000));
    EXPECT_EQ(spy.count(), 1);
}

TEST(InstanceChannelTest, NobodyListeningIsNoAnswer)
{
    EXPECT_FALSE(CInstanceChannel::AskToShow(InstancePath(QStringLiteral("nobody")), 1000));
}

} // namespace

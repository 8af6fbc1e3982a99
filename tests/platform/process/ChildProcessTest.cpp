#include "platform/process/ChildProcess.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/file.h>
#include <sys/wait.h>

namespace {

// True when the process has ended and its end was collected: it is no zombie.
bool Collected(qint64 pid)
{
    siginfo_t info{};
    return waitid(P_PID, id_t(pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 && errno == ECHILD;
}

TEST(ChildProcessTest, AProgramIsWatchedUntilItEndsAndNeverLeftAZombie)
{
    const auto openDescriptors = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    const uint nDescriptors = openDescriptors();
    // `flock gate true` runs until the test lets go of the gate.
    QFile gate(QStringLiteral("gate"));
    ASSERT_TRUE(gate.open(QIODevice::WriteOnly));
    ASSERT_EQ(flock(gate.handle(), LOCK_EX), 0);
    std::unique_ptr<CChildProcess> pKept = CChildProcess::Start("flock", {"gate", "true"});
    std::unique_ptr<CChildProcess> pDropped = CChildProcess::Start("flock", {"gate", "true"});
    ASSERT_TRUE(pKept && pDropped);
    const qint64 nKept = pKept->ProcessId();
    const qint64 nDropped = pDropped->ProcessId();
    EXPECT_TRUE(pKept->IsRunning());
    EXPECT_TRUE(pDropped->IsRunning());
    // The handle may go while the program runs; the program goes on.
    pDropped.reset();
    EXPECT_FALSE(Collected(nDropped));

    gate.close();
    // Ends are collected as they come, whether anyone asks or not.
    EXPECT_TRUE(QTest::qWaitFor([&] { return Collected(nKept) && Collected(nDropped); }, 10000));
    EXPECT_FALSE(pKept->IsRunning());
    // A handle kept after its program ended holds no descriptor.
    EXPECT_EQ(openDescriptors(), nDescriptors);
    QFile::remove(QStringLiteral("gate"));
}

} // namespace

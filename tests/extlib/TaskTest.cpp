#include "extlib/orvosched/Task.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

CTask Task(const QByteArray& strProgram, const QByteArray& strArguments = QByteArray())
{
    CTask task;
    task.SetProgram(strProgram);
    task.SetArguments(strArguments);
    return task;
}

TEST(TaskTest, DescriptionNamesTheProgram)
{
    EXPECT_EQ(Task("/usr/bin/notify-send").GetDescription(), "notify-send");
    EXPECT_EQ(Task("xmessage").GetDescription(), "xmessage");
    EXPECT_EQ(Task("").GetDescription(), "");
}

TEST(TaskTest, RunStartsTheProgramWithItsArgumentsAndNoShell)
{
    const QString strTouch = QStandardPaths::findExecutable(QStringLiteral("touch"));
    ASSERT_FALSE(strTouch.isEmpty());
    // A shell would expand the variable and split at the semicolon; the task must not.
    CTask task = Task(QFile::encodeName(strTouch), "\"two words\" $HOME one;two");
    EXPECT_TRUE(task.Run());
    for (const char* name : {"two words", "$HOME", "one;two"})
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QString::fromLatin1(name)), 10000);
    EXPECT_FALSE(QFile::exists(QStringLiteral("one")));
    for (const char* name : {"two words", "$HOME", "one;two"})
        QFile::remove(QString::fromLatin1(name));
}

TEST(TaskTest, RunWithoutAProgramStartsNothing)
{
    EXPECT_FALSE(Task("").Run());
    EXPECT_FALSE(Task("/nonexistent/program").Run());
}

} // namespace

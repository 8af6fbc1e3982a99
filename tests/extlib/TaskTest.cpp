#include "extlib/orvosched/Task.h"

#include "platform/Archive.h"

#include <QBuffer>
#include <QDir>
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

TEST(TaskTest, RoundTripsThroughAnArchive)
{
    const CTask task = Task("/usr/bin/notify-send", "-u critical \"disk full\"");
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        CArchive ar(buffer, CArchive::store);
        ar << &task << static_cast<const CObject*>(nullptr);
        ar.Close();
    }
    buffer.close();
    buffer.open(QIODevice::ReadOnly);
    CArchive ar(buffer, CArchive::load);
    std::unique_ptr<CTask> pLoaded;
    std::unique_ptr<CTask> pNone = std::make_unique<CTask>();
    ar >> pLoaded >> pNone;
    ASSERT_NE(pLoaded, nullptr);
    EXPECT_EQ(pLoaded->GetProgram(), task.GetProgram());
    EXPECT_EQ(pLoaded->GetArguments(), task.GetArguments());
    EXPECT_EQ(pNone, nullptr);
}

TEST(TaskTest, CloneIsIndependent)
{
    CTask task = Task("/bin/a", "x");
    task.m_bAlertTask = true;
    const std::unique_ptr<CTask> pClone = task.Clone();
    task.SetProgram("/bin/b");
    EXPECT_EQ(pClone->GetProgram(), "/bin/a");
    EXPECT_EQ(pClone->GetArguments(), "x");
    EXPECT_TRUE(pClone->m_bAlertTask);
}

TEST(TaskTest, DescriptionNamesTheProgram)
{
    EXPECT_EQ(Task("/usr/bin/notify-send").GetDescription(), "notify-send");
    EXPECT_EQ(Task("xmessage").GetDescription(), "xmessage");
    EXPECT_EQ(Task("").GetDescription(), "");
}

TEST(TaskTest, PropertiesGoesThroughTheInstalledDialog)
{
    CTask task;
    CTask::SetPropertiesDialog(nullptr);
    EXPECT_NE(task.Properties(), 1);
    CTask::SetPropertiesDialog([](CTask& edited) {
        edited.SetProgram("/bin/chosen");
        return 1;
    });
    EXPECT_EQ(task.Properties(), 1);
    EXPECT_EQ(task.GetProgram(), "/bin/chosen");
    CTask::SetPropertiesDialog(nullptr);
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

TEST(TaskTest, RunWithoutProgramStartsNothing)
{
    CTask task;
    EXPECT_FALSE(task.Run());
    CTask missing = Task("/nonexistent/program");
    EXPECT_FALSE(missing.Run());
}

} // namespace

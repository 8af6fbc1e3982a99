#include "messaging/MessageLog.h"

#include "support/Bytes.h"
#include "support/FileSizeLimit.h"
#include "support/TestStore.h"
#include "support/WarningCapture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class MessageLogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QDir().mkpath(QStringLiteral("logs"));
        QFile::remove(QStringLiteral("logs/Tellwick.log"));
        QFile::remove(QStringLiteral("Tellwick.log"));
    }

    static QByteArray Contents(const char* path)
    {
        QFile file{QLatin1String(path)};
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

TEST_F(MessageLogTest, RecordsAreAppendedWithTheirBytesAsTheyAre)
{
    // A relative name lies in the current folder; the first record creates the file.
    EXPECT_TRUE(AppendLog("Tellwick.log", "06/15/01 14:03:59 hi"));
    EXPECT_TRUE(AppendLog("Tellwick.log", "\x03" "4,1Alarm\x03" " \xe9t\xe9"));
    EXPECT_TRUE(AppendLog("Tellwick.log", ""));
    // Lines are written whole, however long.
    const QByteArray longLine(2017, 'x');
    EXPECT_TRUE(AppendLog("Tellwick.log", longLine));
    QByteArray expected = "06/15/01 14:03:59 hi\r\n\x03" "4,1Alarm\x03" " \xe9t\xe9\r\n\r\n";
    expected.append(longLine).append("\r\n");
    EXPECT_EQ(Hex(Contents("Tellwick.log")), Hex(expected));
}

TEST_F(MessageLogTest, AMessageStaysOneRecordWhateverControlBytesItCarries)
{
    const struct
    {
        QByteArray line;
        QByteArray record;
    } cases[] = {
        // A line break in a message must not start a record of its own.
        {"hi\r\n12/09/26 09:00:00 FORGED", "hi\\r\\n12/09/26 09:00:00 FORGED"},
        {"\x1b[2J\x07\x7f\x01\x1f\ttab", "\\x1b[2J\\x07\\x7f\\x01\\x1f\\ttab"},
        {Bytes("a\0b"), "a\\x00b"},
        // A backslash is doubled, so that an escape can be told from the text itself.
        {"C:\\temp\\x41 \\n", "C:\\\\temp\\\\x41 \\\\n"},
        // The colour code and bytes from 0x80 on are text.
        {"\x03" "4,1Alarm\x03 \xe9t\xe9 \x80\x9b", "\x03" "4,1Alarm\x03 \xe9t\xe9 \x80\x9b"},
    };
    QByteArray records;
    QByteArray expected;
    for (const auto& c : cases) {
        AppendLogRecord(records, c.line);
        expected.append(c.record).append("\r\n");
    }
    // One record at a time and a batch of them end the same.
    for (const auto& c : cases)
        EXPECT_TRUE(AppendLog("Tellwick.log", c.line));
    EXPECT_TRUE(AppendLogRecords("logs/Tellwick.log", records));
    EXPECT_EQ(Hex(Contents("Tellwick.log")), Hex(expected));
    EXPECT_EQ(Hex(Contents("logs/Tellwick.log")), Hex(expected));
}

TEST_F(MessageLogTest, AnExistingLogGrowsAfterItsLastByte)
{
    QFile file(QStringLiteral("logs/Tellwick.log"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old record\r\nno line end");
    file.close();
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "new"));
    EXPECT_EQ(Contents("logs/Tellwick.log"), "old record\r\nno line endnew\r\n");
}

TEST_F(MessageLogTest, TheLogCanBeMovedOrDeletedBetweenRecords)
{
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "one"));
    ASSERT_TRUE(QFile::rename(QStringLiteral("logs/Tellwick.log"), QStringLiteral("logs/old.log")));
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "two"));
    ASSERT_TRUE(QFile::remove(QStringLiteral("logs/Tellwick.log")));
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "three"));
    EXPECT_EQ(Contents("logs/old.log"), "one\r\n");
    EXPECT_EQ(Contents("logs/Tellwick.log"), "three\r\n");
    QFile::remove(QStringLiteral("logs/old.log"));
}

TEST_F(MessageLogTest, ARecordThatCannotBeWrittenIsLostQuietly)
{
    QFile file(QStringLiteral("logs/Tellwick.log"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("kept\r\n");
    file.close();
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner));
    {
        const CObeyFilePermissions obey;
        EXPECT_FALSE(AppendLog("logs/Tellwick.log", "lost"));
    }
    EXPECT_EQ(Contents("logs/Tellwick.log"), "kept\r\n");
    ASSERT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));

    const QByteArray names[] = {"no/such/folder/Tellwick.log", "logs", "", Bytes("a\0b")};
    for (const QByteArray& name : names)
        EXPECT_FALSE(AppendLog(name, "lost")) << Hex(name);
    EXPECT_FALSE(QFile::exists(QStringLiteral("a")));
}

TEST_F(MessageLogTest, AnotherWriterKeepsTheRecordOutOnlyWhileItHoldsTheFile)
{
    ASSERT_TRUE(AppendLog("logs/Tellwick.log", "first"));
    // Readers are not kept out while a record is written.
    QFile reader(QStringLiteral("logs/Tellwick.log"));
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    QFile writer(QStringLiteral("logs/Tellwick.log"));
    ASSERT_TRUE(writer.open(QIODevice::Append));
    ASSERT_EQ(flock(writer.handle(), LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(AppendLog("logs/Tellwick.log", "lost"));
    writer.close();
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "second"));
    EXPECT_EQ(reader.readAll(), "first\r\nsecond\r\n");
}

TEST_F(MessageLogTest, ARecordIsWrittenWholeOrNotAtAll)
{
    // The disk fills up at every point of a record: before it, in its text, before and
    // between CR and LF. The record cut there is taken back, so the next one starts clean.
    const QByteArray line = "06/15/01 14:03:59 disk full";
    for (const qsizetype nRoom : {qsizetype(0), qsizetype(1), line.size() - 1, line.size(), line.size() + 1}) {
        SetUp();
        ASSERT_TRUE(AppendLog("logs/Tellwick.log", "first"));
        {
            const CFileSizeLimit limit(rlim_t(7 + nRoom));
            EXPECT_FALSE(AppendLog("logs/Tellwick.log", line)) << nRoom;
        }
        EXPECT_TRUE(AppendLog("logs/Tellwick.log", "next"));
        EXPECT_EQ(Contents("logs/Tellwick.log"), "first\r\nnext\r\n") << nRoom;
    }
}

TEST_F(MessageLogTest, OnlyARegularFileIsWrittenAndAFailureIsToldOnce)
{
    ASSERT_EQ(mkfifo("logs/fifo.log", 0600), 0);
    CWarningCapture warnings("tellwick.log");
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "works"));
    // A FIFO without a reader would hold the window at its first message; with one, the reader
    // would get the records. Neither is written, and the failure is told once, not per record.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(AppendLog("logs/fifo.log", "lost"));
    const int reader = open("logs/fifo.log", O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_FALSE(AppendLog("logs/fifo.log", "lost"));
    char byte = 0;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_EQ(warnings.Take(), QStringList{QStringLiteral("tellwick.log: cannot write the log \"logs/fifo.log\": not a regular file")});

    // Told again once a record got through in between.
    EXPECT_TRUE(AppendLog("logs/Tellwick.log", "works"));
    EXPECT_FALSE(AppendLog("logs", "lost"));
    EXPECT_FALSE(AppendLog("logs", "lost"));
    EXPECT_EQ(warnings.Take(), QStringList{QStringLiteral("tellwick.log: cannot write the log \"logs\": not a regular file")});
    QFile::remove(QStringLiteral("logs/fifo.log"));
}

} // namespace

#include "alerts/AlertFile.h"

#include "alerts/AlertTestSupport.h"
#include "support/Bytes.h"
#include "support/FileSizeLimit.h"
#include "support/WarningCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// The file of the two alerts below, written out by hand from the archive rules: classes and
// objects are counted from 1 in one sequence (CAlert 1, Disk 2, CTask 3, its task 4, Quiet 5).
const QByteArray kGoldenFile = Bytes(
    "\x02\x00\x00\x00"                          // two alerts
    "\xFF\xFF" "\x01\x00" "\x06\x00" "CAlert"   // new class, schema 1, name
    "\x04" "Disk"                               // description
    "\xFF\xFF" "\x01\x00" "\x05\x00" "CTask"    // the task: new class, schema 1, name
    "\x14" "/usr/bin/notify-send"               // its program
    "\x0B" "-u critical"                        // its arguments
    "\x01\x00\x00\x00"                          // active
    "\x02\x00\x00\x00"                          // two keywords
    "\x04" "full"
    "\x06" " error"
    "\x01\x80"                                  // class 1 again: CAlert
    "\x05" "Quiet"
    "\x00\x00"                                  // no task
    "\x00\x00\x00\x00"                          // inactive
    "\x00\x00\x00\x00");                        // no keywords

// Where the second alert starts.
const qsizetype kSecondAlert = kGoldenFile.indexOf(Bytes("\x01\x80"));

CAlertList GoldenAlerts()
{
    auto pDisk = std::make_shared<CAlert>();
    pDisk->m_strDescription = "Disk";
    pDisk->m_keywords = {"full", " error"};
    CTask task;
    task.SetProgram("/usr/bin/notify-send");
    task.SetArguments("-u critical");
    pDisk->SetTask(&task);
    auto pQuiet = std::make_shared<CAlert>();
    pQuiet->m_strDescription = "Quiet";
    pQuiet->m_bActive = false;
    return {pDisk, pQuiet};
}

std::string AlertFilePath()
{
    return QDir::current().absoluteFilePath(QString::fromLatin1(kAlertFileName)).toStdString();
}

QByteArray ReadAlertFile()
{
    QFile file(QString::fromLatin1(kAlertFileName));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAlertFile(const QByteArray& bytes)
{
    QFile file(QString::fromLatin1(kAlertFileName));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

class AlertFileTest : public ::testing::Test
{
protected:
    void SetUp() override { QFile::remove(QString::fromLatin1(kAlertFileName)); }
    void TearDown() override { QFile::remove(QString::fromLatin1(kAlertFileName)); }
};

TEST_F(AlertFileTest, SavesAndLoadsTheGoldenFile)
{
    ASSERT_TRUE(SaveAlerts(GoldenAlerts()));
    EXPECT_EQ(Hex(ReadAlertFile()), Hex(kGoldenFile));
    CAlertList alerts;
    EXPECT_TRUE(LoadAlerts(alerts));
    EXPECT_EQ(Describe(alerts), Describe(GoldenAlerts()));
}

TEST_F(AlertFileTest, NoFileLoadsNothingAndSavesAnEmptyList)
{
    CAlertList alerts;
    EXPECT_FALSE(LoadAlerts(alerts));
    EXPECT_TRUE(alerts.empty());
    ASSERT_TRUE(SaveAlerts(alerts));
    EXPECT_EQ(Hex(ReadAlertFile()), Hex(Bytes("\x00\x00\x00\x00")));
    EXPECT_TRUE(LoadAlerts(alerts));
    EXPECT_TRUE(alerts.empty());
}

TEST_F(AlertFileTest, LongDescriptionTakesTheWordLength)
{
    auto pAlert = std::make_shared<CAlert>();
    pAlert->m_strDescription = QByteArray(300, 'd');
    pAlert->m_keywords = {QByteArray(255, 'k')};
    const CAlertList saved = {pAlert};
    ASSERT_TRUE(SaveAlerts(saved));
    const QByteArray bytes = ReadAlertFile();
    // After the count and the class record (4 + 2 + 2 + 2 + 6 bytes): 0xFF and the word 300.
    EXPECT_EQ(Hex(bytes.mid(16, 3)), Hex(Bytes("\xFF\x2C\x01")));
    CAlertList loaded;
    EXPECT_TRUE(LoadAlerts(loaded));
    EXPECT_EQ(Describe(loaded), Describe(saved));
}

TEST_F(AlertFileTest, EveryCutOfTheFileKeepsTheAlertsBeforeTheCut)
{
    for (qsizetype nSize = 0; nSize < kGoldenFile.size(); ++nSize) {
        WriteAlertFile(kGoldenFile.left(nSize));
        CAlertList alerts;
        EXPECT_FALSE(LoadAlerts(alerts)) << nSize;
        EXPECT_EQ(alerts.size(), nSize < kSecondAlert ? 0u : 1u) << nSize;
    }
}

struct DamageCase
{
    const char* name;
    QByteArray bytes;
    std::vector<const char*> descriptions; // of the alerts that load
    bool bWhole;                           // whether the load reports the file as read whole
};

void PrintTo(const DamageCase& c, std::ostream* os)
{
    *os << c.name;
}

class AlertFileDamageTest : public AlertFileTest, public ::testing::WithParamInterface<DamageCase>
{
};

TEST_P(AlertFileDamageTest, LoadsWhatComesBeforeTheDamage)
{
    const DamageCase& c = GetParam();
    WriteAlertFile(c.bytes);
    CAlertList alerts;
    EXPECT_EQ(LoadAlerts(alerts), c.bWhole);
    std::vector<std::string> descriptions;
    for (const std::shared_ptr<CAlert>& pAlert : alerts) {
        ASSERT_NE(pAlert, nullptr);
        descriptions.push_back(pAlert->GetDescription().toStdString());
    }
    EXPECT_EQ(descriptions, std::vector<std::string>(c.descriptions.begin(), c.descriptions.end()));
}

// The golden file with one run of bytes (found once in it) replaced.
QByteArray Replaced(const QByteArray& before, const QByteArray& after)
{
    return QByteArray(kGoldenFile).replace(before, after);
}

INSTANTIATE_TEST_SUITE_P(
    Damage, AlertFileDamageTest,
    ::testing::Values(
        DamageCase{"AlertClassOfAnotherSchema", Replaced(Bytes("\x01\x00\x06\x00"), Bytes("\x02\x00\x06\x00")), {"Disk", "Quiet"}, true},
        DamageCase{"CountLargerThanTheFile", Replaced(Bytes("\x02\x00\x00\x00\xFF"), Bytes("\xFF\xFF\xFF\x7F\xFF")), {"Disk", "Quiet"}, false},
        // Nothing to read, but the bytes after the count would be lost by the next save.
        DamageCase{"NegativeCount", Replaced(Bytes("\x02\x00\x00\x00\xFF"), Bytes("\xFF\xFF\xFF\xFF\xFF")), {}, false},
        DamageCase{"BytesAfterTheLastAlert", kGoldenFile + "more", {"Disk", "Quiet"}, false},
        DamageCase{"ForeignAlertClass", Replaced("CAlert", "CAlerx"), {}, false},
        DamageCase{"ForeignTaskClass", Replaced("CTask", "CTasx"), {}, false},
        DamageCase{"TaskOfAnotherSchema", Replaced(Bytes("\x01\x00\x05\x00"), Bytes("\x02\x00\x05\x00")), {}, false},
        DamageCase{"AlertWhereTheTaskBelongs", Replaced(Bytes("\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00"), Bytes("\x01\x80")), {"Disk"}, false},
        DamageCase{"NullWhereAnAlertBelongs", Bytes("\x03\x00\x00\x00" "\x00\x00") + kGoldenFile.mid(4), {"Disk", "Quiet"}, true},
        DamageCase{"SecondAlertIsTheFirstAgain", kGoldenFile.left(kSecondAlert) + Bytes("\x02\x00"), {"Disk"}, false},
        DamageCase{"HugeKeywordCount", Replaced(Bytes("\x02\x00\x00\x00\x04"), Bytes("\xFF\xFF\xFF\x7F\x04")), {}, false}));

TEST_F(AlertFileTest, FailedSaveKeepsThePreviousFile)
{
    ASSERT_TRUE(SaveAlerts(GoldenAlerts()));
    CAlertList many;
    for (int i = 0; i < 100; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_strDescription = QByteArray(1000, 'x');
        many.push_back(pAlert);
    }
    CWarningCapture warnings("tellwick.alerts");
    {
        const CFileSizeLimit limit(16 * 1024);
        EXPECT_FALSE(SaveAlerts(many));
    }
    EXPECT_EQ(Hex(ReadAlertFile()), Hex(kGoldenFile));
    EXPECT_EQ(QDir::current().entryList(QDir::Files | QDir::Hidden),
              QStringList{QString::fromLatin1(kAlertFileName)});
    EXPECT_EQ(warnings.Take(), QStringList{QString::fromStdString("tellwick.alerts: alert file not saved: " +
                                                                  AlertFilePath() + ": File too large")});
}

TEST_F(AlertFileTest, OnlyARegularFileIsReadOrReplaced)
{
    // A FIFO without a writer would hold the start for ever; one is never replaced either.
    ASSERT_EQ(mkfifo(kAlertFileName, 0600), 0);
    const std::string strPath = AlertFilePath();
    CWarningCapture warnings("tellwick.alerts");
    CAlertList alerts;
    EXPECT_FALSE(LoadAlerts(alerts));
    EXPECT_FALSE(SaveAlerts(GoldenAlerts()));
    EXPECT_FALSE(SaveAlerts(GoldenAlerts(), true));
    EXPECT_FALSE(QFileInfo(QString::fromLatin1(kAlertFileName)).isFile());
    EXPECT_FALSE(QFile::exists(QString::fromLatin1(kDamagedAlertFileName)));
    const QString strNotRegular = QString::fromStdString(strPath + ": not a regular file");
    EXPECT_EQ(warnings.Take(), (QStringList{QStringLiteral("tellwick.alerts: alert file not loaded: ") + strNotRegular,
                                            QStringLiteral("tellwick.alerts: alert file not saved: ") + strNotRegular,
                                            QStringLiteral("tellwick.alerts: alert file not saved: ") + strNotRegular}));
}

TEST_F(AlertFileTest, TheKeptDamagedFileIsNoMoreReadableThanTheFile)
{
    const mode_t oldMask = umask(022);
    for (const mode_t mode : {mode_t(0600), mode_t(0640)}) {
        // An older copy, readable by all, is replaced.
        QFile older(QString::fromLatin1(kDamagedAlertFileName));
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.close();
        WriteAlertFile(kGoldenFile + "more");
        ASSERT_EQ(chmod(kAlertFileName, mode), 0);
        CWarningCapture warnings("tellwick.alerts");
        ASSERT_TRUE(SaveAlerts(GoldenAlerts(), true));
        struct stat kept{};
        ASSERT_EQ(stat(kDamagedAlertFileName, &kept), 0);
        EXPECT_EQ(kept.st_mode & 07777, mode);
        QFile keptFile(QString::fromLatin1(kDamagedAlertFileName));
        ASSERT_TRUE(keptFile.open(QIODevice::ReadOnly));
        EXPECT_EQ(Hex(keptFile.readAll()), Hex(kGoldenFile + "more"));
    }
    umask(oldMask);
    QFile::remove(QString::fromLatin1(kDamagedAlertFileName));
}

TEST_F(AlertFileTest, AFolderDeletedUnderTheProgramIsStillNamed)
{
    const QString strStart = QDir::currentPath();
    const QString strGone = strStart + QStringLiteral("/gone");
    ASSERT_TRUE(QDir().mkpath(strGone));
    ASSERT_TRUE(QDir::setCurrent(strGone));
    CAlertList alerts;
    EXPECT_FALSE(LoadAlerts(alerts));
    ASSERT_TRUE(QDir(strGone).removeRecursively());
    CWarningCapture warnings("tellwick.alerts");
    EXPECT_FALSE(SaveAlerts(GoldenAlerts()));
    ASSERT_TRUE(QDir::setCurrent(strStart));
    EXPECT_EQ(warnings.Take(), QStringList{QStringLiteral("tellwick.alerts: alert file not saved: ") + strGone +
                                           QStringLiteral("/alerts.twk: No such file or directory")});
}

} // namespace

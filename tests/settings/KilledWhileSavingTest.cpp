#include "alerts/AlertFile.h"
#include "alerts/AlertTestSupport.h"
#include "platform/mfc/Archive.h"
#include "platform/mfc/ArchiveException.h"
#include "platform/registry/RegistryText.h"

#include "settings/SaveLoopContent.h"
#include "support/TestStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <random>
#include <thread>

namespace {

// Which of the two contents a left file holds: 0 or 1, or -1 for neither.
int StoreVersion(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const RegistryParseResult store = ParseRegistryText(file.readAll());
    for (int nVersion : {0, 1}) {
        if (store.nSkippedLines == 0 && store.data == ParseRegistryText(StoreTextOf(nVersion)).data)
            return nVersion;
    }
    return -1;
}

int AlertFileVersion(const QString& strPath)
{
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    CAlertList alerts;
    try {
        CArchive ar(file, CArchive::load);
        if (!ReadAlerts(ar, alerts))
            return -1;
    } catch (const CArchiveException&) {
        return -1;
    }
    for (int nVersion : {0, 1}) {
        if (Describe(alerts) == Describe(AlertsOf(nVersion)))
            return nVersion;
    }
    return -1;
}

// Killed at random moments while it saves the store and the alert file, the program leaves
// every file there with either the content it had or the content being saved.
TEST(KilledWhileSavingTest, EveryFileLeftHoldsTheOldOrTheNewContent)
{
    WriteStoreFile(StoreTextOf(0));
    ASSERT_TRUE(SaveAlerts(AlertsOf(0)));
    const QDir storeFolder = QFileInfo(QFile::decodeName(StoreFilePath())).dir();
    const QDir workFolder = QDir::current();

    std::mt19937 random(15);
    qint64 nRoundUs = 0;
    std::map<QByteArray, int> killedIn; // what the saver had begun last
    for (int nKill = 0; nKill < TELLWICK_KILLS; ++nKill) {
        QProcess saver;
        saver.start(QStringLiteral(SAVE_LOOP_PATH), {});
        ASSERT_TRUE(saver.waitForStarted());
        // How long a round of both saves takes is learnt once; each kill comes within two.
        QByteArray output;
        QElapsedTimer round;
        const int nRounds = nRoundUs == 0 ? 3 : 1;
        // A fast build may print several rounds in one read, so the timing counts what it saw.
        qsizetype nSavedAtStart = 0;
        while (output.count("saved") < nRounds && saver.waitForReadyRead(30000)) {
            output += saver.readAllStandardOutput();
            if (!round.isValid() && output.count("saved") >= 1) {
                round.start();
                nSavedAtStart = output.count("saved");
            }
        }
        ASSERT_GE(output.count("saved"), nRounds) << nKill << ": " << saver.readAllStandardError().toStdString();
        if (nRoundUs == 0) {
            const qsizetype nTimed = std::max<qsizetype>(1, output.count("saved") - nSavedAtStart);
            nRoundUs = std::max<qint64>(1, round.nsecsElapsed() / 1000 / nTimed);
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<qint64>(0, 2 * nRoundUs)(random)));
        saver.kill();
        ASSERT_TRUE(saver.waitForFinished(30000));
        ASSERT_EQ(saver.exitStatus(), QProcess::CrashExit) << nKill << ": it stopped before it was killed";
        output += saver.readAllStandardOutput();
        ++killedIn[output.trimmed().split('\n').back()];

        for (const QDir& folder : {storeFolder, workFolder}) {
            for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
                const QString strPath = folder.filePath(name);
                if (name == QLatin1String("Tellwick.reg.lock"))
                    continue;
                const int nVersion = name.startsWith(QLatin1String("Tellwick.reg"))  ? StoreVersion(strPath)
                                     : name.startsWith(QLatin1String(kAlertFileName)) ? AlertFileVersion(strPath)
                                                                                      : -1;
                EXPECT_NE(nVersion, -1) << "kill " << nKill << ", " << name.toStdString() << " after '"
                                        << output.trimmed().split('\n').back().toStdString() << "'";
            }
        }
        if (HasFailure())
            return;
    }
    // Where the kills landed: "store" and "alerts" while those were saved.
    for (const auto& [what, nCount] : killedIn)
        RecordProperty("killed_in_" + what.toStdString(), nCount);
    std::printf("%d kills: %d while saving the store, %d while saving the alerts\n", TELLWICK_KILLS,
                killedIn["store"], killedIn["alerts"]);
}

} // namespace

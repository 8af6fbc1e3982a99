// A settings load on an unchanged store against a plain stat() of the store file, a log record
// against a raw open-append-close of the same bytes, and a save of the options with one of
// them changed against one atomic replacement of the store by its own bytes.
#include "BenchMain.h"

#include "messaging/MessageLog.h"
#include "platform/registry/RegistryFile.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray kLine = "06/15/01 14:03:59 \x03" "04Alarm\x03" "00,04 disk full on desk-7";

void BM_StatStoreFile(benchmark::State& state)
{
    const QByteArray path = CRegistryFile::User().FilePath();
    struct stat status;
    for (auto _ : state)
        benchmark::DoNotOptimize(stat(path.constData(), &status));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StatStoreFile);

void BM_LoadSettings(benchmark::State& state)
{
    for (auto _ : state) {
        const CSettings settings;
        benchmark::DoNotOptimize(settings.GetMaxLines());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LoadSettings);

// What the receive pipeline reads for every message: two records and two direct values.
void BM_SettingsOfOneMessage(benchmark::State& state)
{
    for (auto _ : state) {
        const CSettings first;
        const CSettings second;
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        quint32 dwDuplicate = kDupMsgSeconds.dwDefault;
        quint32 dwAlerts = kCheckAlerts.dwDefault;
        if (key.Open(HKEY_CURRENT_USER, kProgramKey)) {
            key.ReadDword(kDupMsgSeconds.name, dwDuplicate);
            key.ReadDword(kCheckAlerts.name, dwAlerts);
        }
        benchmark::DoNotOptimize(first.GetMaxLines() + second.GetMaxLines() + dwDuplicate + dwAlerts);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SettingsOfOneMessage);

void BM_RawAppend(benchmark::State& state)
{
    unlink("raw.log");
    QByteArray record = kLine;
    record.append("\r\n");
    for (auto _ : state) {
        const int fd = open("raw.log", O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        benchmark::DoNotOptimize(write(fd, record.constData(), size_t(record.size())));
        close(fd);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RawAppend);

void BM_AppendLog(benchmark::State& state)
{
    unlink("Tellwick.log");
    for (auto _ : state)
        benchmark::DoNotOptimize(AppendLog("Tellwick.log", kLine));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AppendLog);

// The least a save must do: write the file beside, sync it and rename it over the store.
void BM_RawReplaceStore(benchmark::State& state)
{
    const QByteArray path = CRegistryFile::User().FilePath();
    QFile store(QFile::decodeName(path));
    store.open(QIODevice::ReadOnly);
    const QByteArray bytes = store.readAll();
    store.close();
    const QByteArray temp = path + ".bench";
    for (auto _ : state) {
        const int fd = open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        benchmark::DoNotOptimize(write(fd, bytes.constData(), size_t(bytes.size())));
        fsync(fd);
        close(fd);
        rename(temp.constData(), path.constData());
    }
    state.SetItemsProcessed(state.iterations());
}
// Both wait for the disk more than they compute: they are timed by the clock on the wall.
BENCHMARK(BM_RawReplaceStore)->UseRealTime();

// The General page's OK: all eight options written, one of them changed.
void BM_SaveSettings(benchmark::State& state)
{
    CSettings settings;
    int nSaves = 0;
    for (auto _ : state) {
        settings.SetMaxLines(200 + nSaves++ % 100);
        settings.Save();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SaveSettings)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QDir::setCurrent(home.path());

    // A store as a user of some weeks has it: every option and the window's state.
    CSettings settings;
    settings.SetMaxLines(500);
    settings.Save();
    WriteProfileInt(kHideCaption.section, kHideCaption.name, 0);
    WriteProfileString(kViewFont.section, kViewFont.name, kViewFont.defaultText);
    WriteProfileString(kWindowPos.section, kWindowPos.name, "0,1,-1,-1,-1,-1,10,10,810,610");
    WriteProfileBinary(kBarState.section, kBarState.name, QByteArray(300, '\x11'));
    // A store changed a moment ago is read afresh until the change lies safely in the past.
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));

    return RunBenchmarksWithRatios(argc, argv,
                                   {{"BM_LoadSettings", "BM_StatStoreFile"},
                                    {"BM_SettingsOfOneMessage", "BM_StatStoreFile"},
                                    {"BM_AppendLog", "BM_RawAppend"},
                                    {"BM_SaveSettings/real_time", "BM_RawReplaceStore/real_time"}});
}

// A settings load on an unchanged store against a plain stat() of the store file, and a log
// record against a raw open-append-close of the same bytes.
#include "BenchMain.h"

#include "messaging/MessageLog.h"
#include "platform/RegistryFile.h"
#include "settings/Catalogue.h"
#include "settings/Profile.h"
#include "settings/RegistryKey.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDir>
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
                                    {"BM_AppendLog", "BM_RawAppend"}});
}

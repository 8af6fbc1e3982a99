// Saves the store and the alert file over and over, switching each between its two contents,
// until it is killed; says on a line of its own what it starts ("store", "alerts") and when both
// are "saved". The kill test runs it.
#include "alerts/AlertFile.h"
#include "settings/RegistryKey.h"

#include "settings/SaveLoopContent.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void Say(const char* what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const CAlertList versions[] = {AlertsOf(0), AlertsOf(1)};
    for (int nRound = 0;; ++nRound) {
        const int nVersion = (nRound + 1) % 2;
        Say("store");
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        if (!key.Open(HKEY_CURRENT_USER, kProgramKey) || !key.WriteString(kFastMark.name, FastMarkOf(nVersion)))
            return 1;
        Say("alerts");
        if (!SaveAlerts(versions[nVersion]))
            return 1;
        Say("saved");
    }
}

#include "platform/files/ConfigHome.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

QByteArray UserConfigHome()
{
    QByteArray configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome.startsWith('/'))
        return configHome;
    QByteArray home = std::getenv("HOME");
    if (home.isEmpty()) {
        if (const passwd* pUser = getpwuid(getuid()))
            home = pUser->pw_dir;
    }
    return home.append("/.config");
}

#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

bool PrepareTestEnvironment(const QTemporaryDir& home)
{
    if (!home.isValid())
        return false;
    for (const char* sub : {"config", "runtime", "work", "tmp"})
        QDir(home.path()).mkdir(QLatin1String(sub));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    QDir::setCurrent(home.filePath(QStringLiteral("work")));
    // Fallback folders in the temporary folder stay private to the test program too.
    qputenv("TMPDIR", QFile::encodeName(home.filePath(QStringLiteral("tmp"))));
    return true;
}

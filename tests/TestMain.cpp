#include "support/TestInbox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs with its own configuration, runtime, temporary and working folders,
// so that no test reads or writes the real user's files, and with its own inbox port, so that
// no window it makes meets a running copy or another test program.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!home.isValid())
        return EXIT_FAILURE;
    for (const char* sub : {"config", "runtime", "work", "tmp"})
        QDir(home.path()).mkdir(QLatin1String(sub));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    const QString runtime = home.filePath(QStringLiteral("runtime"));
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    QDir::setCurrent(home.filePath(QStringLiteral("work")));
    // Fallback folders in the temporary folder stay private to the test program too.
    qputenv("TMPDIR", QFile::encodeName(home.filePath(QStringLiteral("tmp"))));

    QApplication app(argc, argv);
    UseFreeMailslotPort();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

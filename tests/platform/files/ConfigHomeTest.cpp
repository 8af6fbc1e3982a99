#include "platform/desktop/AutostartEntry.h"
#include "platform/registry/RegistryFile.h"

#include "support/ScopedEnvironment.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The store and the start-up entry follow the same configuration folder: XDG_CONFIG_HOME when
// it is an absolute path, ~/.config otherwise (unset, empty or relative, which is ignored).
TEST(ConfigHomeTest, TheStoreAndTheStartupEntryShareTheConfigurationFolder)
{
    const QTemporaryDir root;
    const QByteArray home = QFile::encodeName(root.filePath(QStringLiteral("home")));
    const QByteArray absolute = QFile::encodeName(root.filePath(QStringLiteral("xdg")));
    const struct
    {
        const char* name;
        QByteArray value; // null: unset
        QByteArray folder;
    } cases[] = {
        {"unset", QByteArray(), home + "/.config"},
        {"empty", QByteArray(""), home + "/.config"},
        {"relative", QByteArray("config"), home + "/.config"},
        {"relative with a tilde", QByteArray("~/config"), home + "/.config"},
        {"absolute", absolute, absolute},
    };
    const CScopedEnvironment homeVariable("HOME", home);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CScopedEnvironment config("XDG_CONFIG_HOME", c.value);
        EXPECT_EQ(CRegistryFile::User().FilePath().toStdString(),
                  QByteArray(c.folder + "/Orvosoft/Tellwick.reg").toStdString());
        EXPECT_EQ(CAutostartEntry(QStringLiteral("Tellwick")).FilePath().toStdString(),
                  QByteArray(c.folder + "/autostart/Tellwick.desktop").toStdString());
    }
}

} // namespace

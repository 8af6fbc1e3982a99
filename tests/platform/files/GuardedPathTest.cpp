#include "platform/files/linux/GuardedPath.h"

#include "platform/files/FileAppend.h"
#include "platform/files/RegularFile.h"
#include "platform/files/ReplacementFile.h"
#include "platform/registry/Registry.h"

#include "support/Bytes.h"
#include "support/ScopedEnvironment.h"
#include "support/WarningCapture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Users that own nothing on this machine, for the folder's owner and a stranger.
constexpr uid_t kFolderOwner = 64201;
constexpr uid_t kStranger = 64202;

const QByteArray kVictimText = "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\"V\"=dword:00000001\n";

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A folder of the test's own: <root>/Orvosoft (the store's folder of XDG_CONFIG_HOME=<root>),
// holding the link Tellwick.reg to a file in a private folder beside it.
struct LinkSetup
{
    QString root, folder, link, target;
};

LinkSetup PlantLink(int nCase, uid_t folderOwner, mode_t folderMode, uid_t linkOwner)
{
    LinkSetup s;
    s.root = QDir::current().absoluteFilePath(QStringLiteral("guarded%1").arg(nCase));
    QDir(s.root).removeRecursively();
    s.folder = s.root + QStringLiteral("/Orvosoft");
    s.link = s.folder + QStringLiteral("/Tellwick.reg");
    s.target = s.root + QStringLiteral("/victim/notes.txt");
    QDir().mkpath(s.folder);
    QDir().mkpath(QFileInfo(s.target).path());
    QFile target(s.target);
    EXPECT_TRUE(target.open(QIODevice::WriteOnly));
    target.write(kVictimText);
    target.close();
    const QByteArray link = QFile::encodeName(s.link);
    EXPECT_EQ(symlink("../victim/notes.txt", link.constData()), 0);
    EXPECT_EQ(lchown(link.constData(), linkOwner, gid_t(-1)), 0);
    EXPECT_EQ(chown(QFile::encodeName(s.folder).constData(), folderOwner, gid_t(-1)), 0);
    EXPECT_EQ(chmod(QFile::encodeName(s.folder).constData(), folderMode), 0);
    return s;
}

// The link's users, each done through the link: true when it went through to the target, false
// when it was refused and the target is untouched.
struct Use
{
    const char* what;
    std::function<bool(const LinkSetup&)> act;
};

const Use kUses[] = {
    {"log append",
     [](const LinkSetup& s) {
         const int nError = AppendToFile(QFile::encodeName(s.link), {"logged\r\n"});
         if (nError == 0)
             return Contents(s.target) == kVictimText + "logged\r\n";
         EXPECT_EQ(nError, kForeignLink);
         return false;
     }},
    // The walk starts in the working folder itself, not in a descriptor of it.
    {"log append by a name in the working folder",
     [](const LinkSetup& s) {
         const QString strBefore = QDir::currentPath();
         QDir::setCurrent(s.folder);
         const int nError = AppendToFile("Tellwick.reg", {"logged\r\n"});
         QDir::setCurrent(strBefore);
         if (nError == 0)
             return Contents(s.target) == kVictimText + "logged\r\n";
         EXPECT_EQ(nError, kForeignLink);
         return false;
     }},
    {"read",
     [](const LinkSetup& s) {
         QFile file;
         const int nError = OpenRegularFileForReading(QFile::encodeName(s.link), file);
         if (nError == 0)
             return file.readAll() == kVictimText;
         EXPECT_EQ(nError, kForeignLink);
         return false;
     }},
    {"replace",
     [](const LinkSetup& s) {
         CReplacementFile file;
         const int nError = file.Open(QFile::encodeName(s.link));
         if (nError == 0) {
             file.File().write("replaced");
             return file.Commit() == 0 && Contents(s.target) == "replaced";
         }
         EXPECT_EQ(nError, kForeignLink);
         return false;
     }},
    {"store",
     [](const LinkSetup& s) {
         const CScopedEnvironment config("XDG_CONFIG_HOME", QFile::encodeName(s.root));
         CWarningCapture warnings("tellwick.settings");
         const qint32 nRead = RegistryQueryValue(HKEY_CURRENT_USER, "V", nullptr, nullptr, nullptr);
         RegistryKeyHandle hRoot = HKEY_CURRENT_USER;
         const qint32 nWrite = RegistrySetValue(hRoot, "V", REG_DWORD, Bytes("\2\0\0\0"));
         if (nRead == ERROR_SUCCESS && nWrite == ERROR_SUCCESS)
             return Contents(s.target).contains("\"V\"=dword:00000002\n");
         EXPECT_EQ(nRead, ERROR_FILE_NOT_FOUND);
         EXPECT_EQ(nWrite, ERROR_ACCESS_DENIED);
         const QStringList told = warnings.Take();
         EXPECT_EQ(told.size(), 1) << told.join(u'\n').toStdString();
         EXPECT_TRUE(!told.isEmpty() && told[0].contains(FileErrorText(kForeignLink)));
         return false;
     }},
};

TEST(GuardedPathTest, AnotherUsersLinkInASharedFolderIsNeverFollowed)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    const uid_t me = geteuid();
    const struct
    {
        const char* what;
        uid_t folderOwner;
        mode_t folderMode;
        uid_t linkOwner;
        bool bFollowed;
    } cases[] = {
        {"my link in my folder", me, 0777, me, true},
        {"a stranger's link in my shared folder", me, 0777, kStranger, false},
        {"a stranger's link in my group's folder", me, 02775, kStranger, false},
        {"my link in another's shared folder", kFolderOwner, 0777, me, true},
        {"the owner's link in their shared folder", kFolderOwner, 0777, kFolderOwner, true},
        {"a stranger's link in another's shared folder", kFolderOwner, 0777, kStranger, false},
        // Only the folder's owner could have put it there.
        {"a stranger's link in my private folder", me, 0755, kStranger, true},
    };
    int nCase = 0;
    for (const auto& c : cases) {
        for (const Use& use : kUses) {
            const LinkSetup s = PlantLink(++nCase, c.folderOwner, c.folderMode, c.linkOwner);
            EXPECT_EQ(use.act(s), c.bFollowed) << c.what << ", " << use.what;
            if (!c.bFollowed) {
                EXPECT_EQ(Contents(s.target).toStdString(), kVictimText.toStdString()) << c.what << ", " << use.what;
            }
            // The link stays the link; nothing is left beside it but the store's lock.
            EXPECT_TRUE(QFileInfo(s.link).isSymLink()) << c.what << ", " << use.what;
            QStringList left = QDir(s.folder).entryList(QDir::Files | QDir::System);
            left.removeAll(QStringLiteral("Tellwick.reg.lock"));
            EXPECT_EQ(left, QStringList{QStringLiteral("Tellwick.reg")}) << c.what << ", " << use.what;
            QDir(s.root).removeRecursively();
        }
    }
}

TEST(GuardedPathTest, EveryLinkOnTheWayIsHeldToTheRule)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a link to another user needs root";
    // shared/ holds a stranger's link to a private folder, and my own link that goes through it.
    const QString root = QDir::current().absoluteFilePath(QStringLiteral("walk"));
    QDir(root).removeRecursively();
    QDir().mkpath(root + QStringLiteral("/shared"));
    QDir().mkpath(root + QStringLiteral("/private"));
    const QByteArray shared = QFile::encodeName(root + QStringLiteral("/shared"));
    const QByteArray planted = shared + "/planted";
    const QByteArray mine = shared + "/mine";
    ASSERT_EQ(chmod(shared.constData(), 0777), 0);
    ASSERT_EQ(symlink("../private", planted.constData()), 0);
    ASSERT_EQ(lchown(planted.constData(), kStranger, gid_t(-1)), 0);
    ASSERT_EQ(symlink("planted/notes.txt", mine.constData()), 0);
    const QString victim = root + QStringLiteral("/private/notes.txt");
    for (const QByteArray& path : {QByteArray(planted + "/notes.txt"), mine}) {
        EXPECT_EQ(AppendToFile(path, {"logged"}), kForeignLink) << path.constData();
        EXPECT_FALSE(QFile::exists(victim)) << path.constData();
    }
    // Once the folder's links are mine, the same paths reach the file, and its name is told.
    ASSERT_EQ(lchown(planted.constData(), geteuid(), gid_t(-1)), 0);
    CGuardedPath guarded(mine);
    const int fd = guarded.Open(O_WRONLY | O_CREAT | O_APPEND, 0600);
    EXPECT_GE(fd, 0);
    close(fd);
    EXPECT_EQ(guarded.Path(), shared + "/../private/notes.txt");
    EXPECT_TRUE(QFile::exists(victim));
    QDir(root).removeRecursively();
}

} // namespace

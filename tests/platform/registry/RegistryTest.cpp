#include "platform/registry/Registry.h"

#include "platform/registry/RegistryText.h"

#include "support/Bytes.h"
#include "support/WarningCapture.h"
#include "support/TestStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr char kKey[] = "Software\\Orvosoft\\Tellwick";

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override { RemoveStoreFile(); }

    static QByteArray Query(const RegistryKeyHandle& hKey, const char* name, qint32 nExpected = 0)
    {
        char buffer[64];
        quint32 dwType = 0;
        quint32 dwSize = sizeof buffer;
        EXPECT_EQ(RegistryQueryValue(hKey, name, &dwType, buffer, &dwSize), nExpected) << name;
        return nExpected == ERROR_SUCCESS ? QByteArray(buffer, dwSize) : QByteArray();
    }
};

TEST_F(RegistryTest, OpeningAndReadingNeverCreateAnything)
{
    RegistryKeyHandle hKey;
    EXPECT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(hKey.IsValid());
    Query(HKEY_CURRENT_USER, "MaxLines", ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(QFileInfo::exists(QFile::decodeName(StoreFilePath())));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(QFile::decodeName(StoreFilePath())).path()));
}

TEST_F(RegistryTest, CreateMakesEveryKeyOnTheWayAndKeepsExistingOnes)
{
    RegistryKeyHandle hKey;
    ASSERT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_SUCCESS);
    ASSERT_EQ(RegistrySetValue(hKey, "A", REG_SZ, Bytes("x\0")), ERROR_SUCCESS);
    RegistryKeyHandle hParent;
    EXPECT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, "software\\orvosoft", hParent), ERROR_SUCCESS);
    EXPECT_EQ(hParent.path, "Software\\Orvosoft");
    RegistryKeyHandle hAgain;
    ASSERT_EQ(RegistryCreateKey(hParent, "TELLWICK", hAgain), ERROR_SUCCESS);
    EXPECT_EQ(hAgain.path, kKey);
    EXPECT_EQ(Query(hAgain, "a"), Bytes("x\0"));
    RegistryKeyHandle hSub;
    EXPECT_EQ(RegistryOpenKey(hAgain, "Settings", hSub), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, QueryReportsTypeAndSizeAndRefusesSmallBuffers)
{
    RegistryKeyHandle hKey;
    ASSERT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_SUCCESS);
    ASSERT_EQ(RegistrySetValue(hKey, "Eight", REG_BINARY, "12345678"), ERROR_SUCCESS);
    char buffer[4] = {'-', '-', '-', '-'};
    quint32 dwType = 0;
    quint32 dwSize = sizeof buffer;
    EXPECT_EQ(RegistryQueryValue(hKey, "Eight", &dwType, buffer, &dwSize), ERROR_MORE_DATA);
    EXPECT_EQ(dwType, REG_BINARY);
    EXPECT_EQ(dwSize, 8u);
    EXPECT_EQ(QByteArray(buffer, 4), "----");
    dwType = 0;
    dwSize = 0;
    EXPECT_EQ(RegistryQueryValue(hKey, "Eight", &dwType, nullptr, &dwSize), ERROR_SUCCESS);
    EXPECT_EQ(dwType, REG_BINARY);
    EXPECT_EQ(dwSize, 8u);
    EXPECT_EQ(RegistryQueryValue(hKey, "Eight", nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegistryQueryValue(hKey, "Nine", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, StatusOfBadCalls)
{
    RegistryKeyHandle hKey;
    RegistryKeyHandle hNone;
    ASSERT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_SUCCESS);
    const struct
    {
        const char* what;
        qint32 nResult;
        qint32 nExpected;
    } cases[] = {
        {"create below the machine", RegistryCreateKey(HKEY_LOCAL_MACHINE, "X", hNone),
         ERROR_ACCESS_DENIED},
        {"open below the machine", RegistryOpenKey(HKEY_LOCAL_MACHINE, "X", hNone),
         ERROR_FILE_NOT_FOUND},
        {"read the machine", RegistryQueryValue(HKEY_LOCAL_MACHINE, "X", nullptr, nullptr, nullptr),
         ERROR_FILE_NOT_FOUND},
        {"empty name inside", RegistryCreateKey(HKEY_CURRENT_USER, "A\\\\B", hNone),
         ERROR_BAD_PATHNAME},
        {"line break in a key", RegistryCreateKey(HKEY_CURRENT_USER, "A\nB", hNone),
         ERROR_BAD_PATHNAME},
        {"path too long", RegistryCreateKey(HKEY_CURRENT_USER, QByteArray(256, 'a'), hNone),
         ERROR_BAD_PATHNAME},
        {"path too long below a key",
         RegistryCreateKey(hKey, QByteArray(256 - sizeof kKey, 'a'), hNone), ERROR_BAD_PATHNAME},
        {"line break in a name", RegistrySetValue(hKey, "a\nb", REG_SZ, ""),
         ERROR_INVALID_PARAMETER},
        {"read with no handle", RegistryQueryValue(hNone, "X", nullptr, nullptr, nullptr),
         ERROR_INVALID_HANDLE},
        {"delete a missing value", RegistryDeleteValue(hKey, "Missing"), ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nResult, c.nExpected) << c.what;
    // None of them wrote anything beyond the key.
    EXPECT_TRUE(hKey.pValues->empty());
    EXPECT_EQ(ParseRegistryText(ReadStoreFile()).data.GetKeys().size(), 4u);
}

TEST_F(RegistryTest, AHandleReadsOneVersionAndTheNextOpenSeesEveryChange)
{
    RegistryKeyHandle hWriter;
    ASSERT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hWriter), ERROR_SUCCESS);
    ASSERT_EQ(RegistrySetValue(hWriter, "V", REG_DWORD, Bytes("\1\0\0\0")), ERROR_SUCCESS);
    RegistryKeyHandle hOld;
    ASSERT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hOld), ERROR_SUCCESS);
    ASSERT_EQ(RegistrySetValue(hWriter, "V", REG_DWORD, Bytes("\2\0\0\0")), ERROR_SUCCESS);
    EXPECT_EQ(Query(hOld, "V"), Bytes("\1\0\0\0"));
    EXPECT_EQ(Query(hWriter, "V"), Bytes("\2\0\0\0"));

    // Another program replaces the file, then changes it in place keeping its size.
    QByteArray text = ReadStoreFile();
    text.replace("dword:00000002", "dword:00000003");
    WriteStoreFile(text);
    RegistryKeyHandle hNew;
    ASSERT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hNew), ERROR_SUCCESS);
    EXPECT_EQ(Query(hNew, "V"), Bytes("\3\0\0\0"));
    text.replace("dword:00000003", "dword:00000004");
    QFile inPlace(QFile::decodeName(StoreFilePath()));
    ASSERT_TRUE(inPlace.open(QIODevice::ReadWrite));
    inPlace.write(text);
    inPlace.close();
    ASSERT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hNew), ERROR_SUCCESS);
    EXPECT_EQ(Query(hNew, "V"), Bytes("\4\0\0\0"));

    // The key removed by hand: writing through an old handle fails and creates nothing.
    WriteStoreFile("REGEDIT4\n");
    EXPECT_EQ(RegistrySetValue(hWriter, "V", REG_DWORD, Bytes("\5\0\0\0")), ERROR_KEY_DELETED);
    EXPECT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hNew), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, WritesKeepWhatTheyDoNotTouch)
{
    // Lines that do not parse and comments stay where they are; only the new value is added.
    const QByteArray text = "REGEDIT4\n\n"
                            "[HKEY_CURRENT_USER\\Other]\n"
                            "\"Kept\"=hex(7):61,00,00\n"
                            "garbage\n"
                            "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick] ; by hand\n"
                            "\"MaxLines\"=dword:20\n"
                            "\"Cut\"=dword:";
    WriteStoreFile(text);
    RegistryKeyHandle hKey;
    ASSERT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_SUCCESS);
    ASSERT_EQ(RegistrySetValue(hKey, "FastMark", REG_SZ, Bytes("---\0")), ERROR_SUCCESS);
    QByteArray expected = text;
    expected.replace("by hand\n", "by hand\n\"FastMark\"=\"---\"\n");
    EXPECT_EQ(ReadStoreFile().toStdString(), expected.toStdString());
    EXPECT_EQ(Query(hKey, "MaxLines"), Bytes("\x20\0\0\0"));
}

TEST_F(RegistryTest, AStoreThatCannotBeReadIsNeverOverwritten)
{
    WriteStoreFile("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"
                   "\"MaxLines\"=dword:00000020\n");
    const QByteArray before = ReadStoreFile();
    const QString path = QFile::decodeName(StoreFilePath());
    ASSERT_TRUE(QFile::setPermissions(path, QFile::WriteOwner));
    {
        const CObeyFilePermissions obey;
        RegistryKeyHandle hKey;
        EXPECT_EQ(RegistryOpenKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_ACCESS_DENIED);
    }
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_EQ(ReadStoreFile(), before);
}

TEST_F(RegistryTest, AFolderThatCannotBeWrittenFailsTheWrite)
{
    RegistryKeyHandle hKey;
    ASSERT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_SUCCESS);
    const QString folder = QFileInfo(QFile::decodeName(StoreFilePath())).path();
    QFile::remove(folder + QStringLiteral("/Tellwick.reg.lock"));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    {
        const CObeyFilePermissions obey;
        EXPECT_EQ(RegistrySetValue(hKey, "A", REG_SZ, Bytes("x\0")), ERROR_ACCESS_DENIED);
    }
    ASSERT_TRUE(
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(Query(hKey, "A", ERROR_FILE_NOT_FOUND), "");
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).contains(QStringLiteral("Tellwick.reg")));
}

} // namespace

namespace {

// Gives the test a store of its own, in a folder of its own: what is told once is told again.
class CFreshStoreFolder
{
public:
    CFreshStoreFolder() : m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_folder.path()));
        QDir().mkpath(QFileInfo(QFile::decodeName(StoreFilePath())).path());
    }
    ~CFreshStoreFolder() { qputenv("XDG_CONFIG_HOME", m_old); }
    CFreshStoreFolder(const CFreshStoreFolder&) = delete;
    CFreshStoreFolder& operator=(const CFreshStoreFolder&) = delete;

    QString Path() const { return m_folder.path(); }

private:
    QTemporaryDir m_folder;
    QByteArray m_old;
};

} // namespace

TEST_F(RegistryTest, AStoreItMayNotTouchIsLeftAloneAndToldOnce)
{
    const QByteArray text = "REGEDIT4\n\n[HKEY_CURRENT_USER]\n\"V\"=dword:00000001\n";
    // Each sets the store up and returns what sets free a call stuck on it.
    using Setup = std::function<std::function<void()>(const QByteArray& path)>;
    const auto withMode = [&](QFile::Permissions permissions) {
        return [=](const QByteArray&) {
            WriteStoreFile(text);
            QFile::setPermissions(QFile::decodeName(StoreFilePath()), permissions);
            return [] {};
        };
    };
    const struct
    {
        const char* what;
        Setup setup;
        qint32 nRead, nWrite;
        const char* warning;
    } cases[] = {
        {"a FIFO",
         [](const QByteArray& path) {
             mkfifo(path.constData(), 0600);
             // A writer wakes a reader stuck in open(); a file then takes the FIFO's place.
             return [path] {
                 close(open(path.constData(), O_WRONLY | O_NONBLOCK));
                 unlink(path.constData());
                 WriteStoreFile("");
             };
         },
         ERROR_FILE_NOT_FOUND, ERROR_CANTREAD, "store unreadable: %1: not a regular file"},
        {"a folder",
         [](const QByteArray& path) {
             mkdir(path.constData(), 0700);
             return [] {};
         },
         ERROR_FILE_NOT_FOUND, ERROR_CANTREAD, "store unreadable: %1: not a regular file"},
        {"no read permission", withMode(QFile::WriteOwner), ERROR_FILE_NOT_FOUND,
         ERROR_ACCESS_DENIED, "store unreadable: %1: Permission denied"},
        {"read-only", withMode(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther),
         ERROR_SUCCESS, ERROR_ACCESS_DENIED, "read-only store left alone: %1: Permission denied"},
        {"lock held by another process",
         [&](const QByteArray& path) {
             WriteStoreFile(text);
             const int fd =
                 open(QByteArray(path).append(".lock").constData(), O_RDWR | O_CREAT, 0600);
             flock(fd, LOCK_EX);
             return [fd] { close(fd); };
         },
         ERROR_SUCCESS, ERROR_LOCK_VIOLATION,
         "lock not taken: %1.lock: Resource temporarily unavailable"},
    };
    CRegistryFile::User().SetLockWait(std::chrono::milliseconds(0));
    for (const auto& c : cases) {
        const CFreshStoreFolder folder;
        const QByteArray path = StoreFilePath();
        const std::function<void()> setFree = c.setup(path);
        struct stat before;
        ASSERT_EQ(lstat(path.constData(), &before), 0) << c.what;
        CWarningCapture warnings("tellwick.settings");
        std::vector<qint32> results;
        // In a thread of its own, so that a call that blocks fails the test instead of hanging it.
        auto calls = std::async(std::launch::async, [&] {
            const CObeyFilePermissions obey;
            for (int i = 0; i < 2; ++i) {
                results.push_back(
                    RegistryQueryValue(HKEY_CURRENT_USER, "V", nullptr, nullptr, nullptr));
                RegistryKeyHandle hRoot = HKEY_CURRENT_USER;
                results.push_back(RegistrySetValue(hRoot, "V", REG_DWORD, Bytes("\2\0\0\0")));
            }
        });
        const bool bReturned =
            calls.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
        struct stat after;
        const int nStat = lstat(path.constData(), &after);
        setFree();
        calls.get();
        EXPECT_TRUE(bReturned) << c.what << " blocked";
        EXPECT_EQ(results, (std::vector{c.nRead, c.nWrite, c.nRead, c.nWrite})) << c.what;
        const QByteArray line =
            QByteArray("tellwick.settings: ").append(QByteArray(c.warning).replace("%1", path));
        const QStringList told = warnings.Take();
        EXPECT_EQ(told.size(), 1) << c.what;
        EXPECT_TRUE(!told.isEmpty() && told[0].toUtf8().startsWith(line)) << told.join(u'\n').toStdString();
        ASSERT_EQ(nStat, 0) << c.what;
        EXPECT_EQ(after.st_ino, before.st_ino) << c.what;
        EXPECT_EQ(after.st_mode, before.st_mode) << c.what;
        QFile::setPermissions(QFile::decodeName(path), QFile::ReadOwner | QFile::WriteOwner);
    }
    CRegistryFile::User().SetLockWait(std::chrono::seconds(1));
}

TEST_F(RegistryTest, AStoreThatIsALinkIsWrittenThroughToItsTarget)
{
    const QByteArray text = "REGEDIT4\n; kept in my dotfiles\n[HKEY_CURRENT_USER]\n";
    const struct
    {
        const char* what;
        const char* target; // from the store's folder
        bool bExists;
    } cases[] = {
        {"relative link", "../dotfiles/Tellwick.reg", true},
        {"absolute link", "", true},
        {"link to a file still to come", "../dotfiles/Tellwick.reg", false},
    };
    for (const auto& c : cases) {
        const CFreshStoreFolder folder;
        const QString dotfiles = folder.Path() + QStringLiteral("/dotfiles");
        QDir().mkpath(dotfiles);
        const QString targetPath = dotfiles + QStringLiteral("/Tellwick.reg");
        QFile target(targetPath);
        if (c.bExists) {
            ASSERT_TRUE(target.open(QIODevice::WriteOnly));
            target.write(text);
            target.close();
        }
        const QByteArray link = *c.target ? QByteArray(c.target) : QFile::encodeName(targetPath);
        ASSERT_EQ(symlink(link.constData(), StoreFilePath().constData()), 0) << c.what;

        RegistryKeyHandle hRoot = HKEY_CURRENT_USER;
        ASSERT_EQ(RegistrySetValue(hRoot, "V", REG_DWORD, Bytes("\2\0\0\0")), ERROR_SUCCESS)
            << c.what;
        EXPECT_EQ(QFile::symLinkTarget(QFile::decodeName(StoreFilePath())), targetPath) << c.what;
        ASSERT_TRUE(target.open(QIODevice::ReadOnly)) << c.what;
        const QByteArray written = target.readAll();
        target.close();
        EXPECT_EQ(written.startsWith(text), c.bExists) << written.constData();
        EXPECT_TRUE(written.contains("\"V\"=dword:00000002\n")) << written.constData();
        const QStringList left = QDir(dotfiles).entryList(QDir::Files) +
                                 QDir(QFileInfo(QFile::decodeName(StoreFilePath())).path())
                                     .entryList(QDir::Files | QDir::System);
        EXPECT_EQ(left.join(u' '), QStringLiteral("Tellwick.reg Tellwick.reg Tellwick.reg.lock"))
            << c.what;
    }
}

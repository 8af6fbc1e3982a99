#include "platform/Registry.h"
#include "platform/RegistryText.h"

#include "support/Bytes.h"
#include "support/TestStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

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
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    EXPECT_EQ(Query(hKey, "A", ERROR_FILE_NOT_FOUND), "");
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).contains(QStringLiteral("Tellwick.reg")));
}

} // namespace

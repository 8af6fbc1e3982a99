#include "settings/RegistryKey.h"

#include "support/Bytes.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr char kKey[] = "Software\\Orvosoft\\Tellwick";

struct Status
{
    qint32 nResult;
    quint32 dwType;
    quint32 dwSize;

    friend bool operator==(const Status&, const Status&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Status& s)
    {
        return out << s.nResult << "/" << s.dwType << "/" << s.dwSize;
    }
};

Status StatusOf(const CRegistryKey& key)
{
    return {key.GetLastResult(), key.GetLastType(), key.GetLastSize()};
}

class RegistryKeyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RemoveStoreFile();
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kKey));
        const struct
        {
            const char* name;
            quint32 dwType;
            QByteArray data;
        } values[] = {
            {"Dword", REG_DWORD, Bytes("\x2a\0\0\0")},
            {"Two", REG_BINARY, Bytes("\x01\x02")},
            {"Eight", REG_BINARY, Bytes("\1\0\0\0\0\0\0\0")},
            {"Text", REG_SZ, Bytes("hello\0")},
            {"Empty", REG_SZ, Bytes("\0")},
            {"Inner", REG_SZ, Bytes("ab\0cd\0")},
            {"Bare", REG_SZ, "no terminator"},
            {"Chars199", REG_SZ, QByteArray(199, 'x').append('\0')},
            {"Chars200", REG_SZ, QByteArray(200, 'x').append('\0')},
        };
        for (const auto& v : values)
            ASSERT_TRUE(key.WriteValue(v.name, v.dwType, v.data)) << v.name;
    }
};

TEST_F(RegistryKeyTest, FixedSizeReadsTakeAnyTypeThatFits)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kKey));
    const struct
    {
        const char* name;
        bool bRead;
        quint32 dwValue; // what out holds afterwards; it starts at 77
        Status status;
    } dwords[] = {
        {"Dword", true, 42, {0, REG_DWORD, 4}},
        {"Two", true, 0x0201, {0, REG_BINARY, 2}},
        {"Empty", true, 0, {0, REG_SZ, 1}},
        {"Eight", false, 77, {ERROR_MORE_DATA, REG_BINARY, 8}},
        {"Text", false, 77, {ERROR_MORE_DATA, REG_SZ, 6}},
        {"Missing", false, 77, {ERROR_FILE_NOT_FOUND, 0, 0}},
    };
    for (const auto& c : dwords) {
        quint32 dwValue = 77;
        EXPECT_EQ(key.ReadDword(c.name, dwValue), c.bRead) << c.name;
        EXPECT_EQ(dwValue, c.dwValue) << c.name;
        EXPECT_EQ(StatusOf(key), c.status) << c.name;
    }
    const struct
    {
        const char* name;
        bool bRead;
        QByteArray text; // it starts as "old"
        Status status;
    } strings[] = {
        {"Text", true, "hello", {0, REG_SZ, 6}},
        {"Empty", true, "", {0, REG_SZ, 1}},
        {"Inner", true, "ab", {0, REG_SZ, 6}},
        {"Bare", true, "no terminator", {0, REG_SZ, 13}},
        {"Dword", true, "*", {0, REG_DWORD, 4}},
        {"Chars199", true, QByteArray(199, 'x'), {0, REG_SZ, 200}},
        {"Chars200", false, "old", {ERROR_MORE_DATA, REG_SZ, 201}},
        {"Missing", false, "old", {ERROR_FILE_NOT_FOUND, 0, 0}},
    };
    for (const auto& c : strings) {
        QByteArray text = "old";
        EXPECT_EQ(key.ReadString(c.name, text), c.bRead) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(StatusOf(key), c.status) << c.name;
    }
}

TEST_F(RegistryKeyTest, EveryOperationRecordsItsStatus)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(StatusOf(key), (Status{0, 0, 0}));
    EXPECT_TRUE(key.GetKeyPath().isEmpty());

    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software\\Missing"));
    EXPECT_EQ(StatusOf(key), (Status{ERROR_FILE_NOT_FOUND, 0, 0}));
    EXPECT_EQ(key.GetKeyPath(), "Software\\Missing");

    // A successful TryOpen leaves the last status alone and does not remember its path.
    EXPECT_TRUE(key.TryOpen(HKEY_CURRENT_USER, kKey));
    EXPECT_EQ(StatusOf(key), (Status{ERROR_FILE_NOT_FOUND, 0, 0}));
    EXPECT_EQ(key.GetKeyPath(), "Software\\Missing");
    quint32 dwValue = 0;
    EXPECT_TRUE(key.ReadDword("Dword", dwValue));
    EXPECT_FALSE(key.TryOpen(HKEY_CURRENT_USER, "Software\\Missing\\Too"));
    EXPECT_EQ(StatusOf(key), (Status{ERROR_FILE_NOT_FOUND, 0, 0}));

    const struct
    {
        const char* what;
        std::function<bool()> run;
        Status status;
    } steps[] = {
        {"create", [&] { return key.Create(HKEY_CURRENT_USER, "Software\\New"); }, {0, 0, 0}},
        {"write dword", [&] { return key.WriteDword("D", 0xdeadbeef); }, {0, REG_DWORD, 4}},
        {"write string", [&] { return key.WriteString("S", "abc"); }, {0, REG_SZ, 4}},
        {"write empty", [&] { return key.WriteString("E", ""); }, {0, REG_SZ, 1}},
        {"exists", [&] { return key.ValueExists("S"); }, {0, 0, 0}},
        {"missing", [&] { return !key.ValueExists("Nope"); }, {ERROR_FILE_NOT_FOUND, 0, 0}},
        {"delete", [&] { return key.DeleteValue("S"); }, {0, 0, 0}},
        {"gone", [&] { return !key.ValueExists("S"); }, {ERROR_FILE_NOT_FOUND, 0, 0}},
        {"delete again", [&] { return !key.DeleteValue("S"); }, {ERROR_FILE_NOT_FOUND, 0, 0}},
        {"read back", [&] { return key.ReadDword("D", dwValue) && dwValue == 0xdeadbeef; },
         {0, REG_DWORD, 4}},
        {"read empty", [&] { return key.ReadDword("E", dwValue) && dwValue == 0; },
         {0, REG_SZ, 1}},
    };
    for (const auto& s : steps) {
        EXPECT_TRUE(s.run()) << s.what;
        EXPECT_EQ(StatusOf(key), s.status) << s.what;
    }
    EXPECT_EQ(key.GetKeyPath(), "Software\\Missing");

    key.Close();
    EXPECT_FALSE(key.WriteDword("D", 1));
    EXPECT_EQ(StatusOf(key), (Status{ERROR_INVALID_HANDLE, REG_DWORD, 4}));
    EXPECT_FALSE(key.ReadDword("D", dwValue));
    EXPECT_EQ(StatusOf(key), (Status{ERROR_INVALID_HANDLE, 0, 0}));
}

} // namespace

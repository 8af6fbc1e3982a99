#include "settings/Settings.h"

#include "platform/registry/RegistryText.h"
#include "settings/Catalogue.h"
#include "settings/ProgramValue.h"
#include "settings/RegistryKey.h"

#include "support/Bytes.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const QByteArray kEquals(29, '=');

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { RemoveStoreFile(); }

    // Stores one value in the program's key, of any type and size.
    static void Store(QByteArrayView name, quint32 dwType, const QByteArray& data)
    {
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
        ASSERT_TRUE(key.WriteValue(name, dwType, data));
    }
    static void StoreDword(QByteArrayView name, qint32 nValue)
    {
        CRegistryKey key(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
        ASSERT_TRUE(key.WriteDword(name, quint32(nValue)));
    }

    static void ExpectDefaults(const CSettings& settings)
    {
        EXPECT_EQ(settings.GetMaxLines(), 150);
        EXPECT_TRUE(settings.GetAddDateTime());
        EXPECT_EQ(settings.GetFastMark(), kEquals);
        EXPECT_TRUE(settings.GetLogToFile());
        EXPECT_EQ(settings.GetLogFileName(), "Tellwick.log");
        EXPECT_TRUE(settings.GetMakeVisible());
        EXPECT_TRUE(settings.GetFlashTrayIcon());
    }
};

TEST_F(SettingsTest, AUserWithoutTheKeyGetsTheDefaultsAndNoKey)
{
    ExpectDefaults(CSettings());
    EXPECT_TRUE(ReadStoreFile().isEmpty());
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, "Software"));
}

TEST_F(SettingsTest, DamagedOrMissingStoresGiveTheDefaults)
{
    const QByteArray damaged[] = {
        "",
        "garbage\n\x01\x02\x03",
        Bytes("REGEDIT4\n\0\0\0[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"),
        // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one store of damaged values.
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"
        "\"MaxLines\"=dword:000000\n\"AddDateTime\"=hex:00,00,00,00,00\n"
        "\"LogFileName\"=\"unterminated\n\"FastMark\"=dword:0000000g\n\"MakeVisible\"=dword:",
        QByteArray(100000, '\n'),
    };
    for (const QByteArray& text : damaged) {
        WriteStoreFile(text);
        ExpectDefaults(CSettings());
    }
}

TEST_F(SettingsTest, TheLineLimitLoadsOnlyInsideItsRange)
{
    const struct
    {
        qint32 nStored;
        int nLoaded;
    } cases[] = {{10, 150}, {11, 11}, {300, 300}, {99998, 99998}, {99999, 150},
                 {-1, 150}, {-50, 150}, {0, 150}, {INT32_MIN, 150}, {INT32_MAX, 150}};
    for (const auto& c : cases) {
        StoreDword(kMaxLines.name, c.nStored);
        EXPECT_EQ(CSettings().GetMaxLines(), c.nLoaded) << c.nStored;
    }

    CSettings settings;
    settings.SetMaxLines(300);
    for (int n : {5, 10, 99999, -1, INT_MIN, INT_MAX}) {
        settings.SetMaxLines(n);
        EXPECT_EQ(settings.GetMaxLines(), 300) << n;
    }
    settings.SetMaxLines(11);
    EXPECT_EQ(settings.GetMaxLines(), 11);
}

TEST_F(SettingsTest, ValuesOfOtherTypesAndSizes)
{
    // Up to four bytes of any type are taken as they are; more leave the default.
    Store(kAddDateTime.name, REG_BINARY, Bytes("\0\0"));
    EXPECT_FALSE(CSettings().GetAddDateTime());
    Store(kAddDateTime.name, REG_BINARY, Bytes("\0\0\0\0\0\0\0\0"));
    EXPECT_TRUE(CSettings().GetAddDateTime());
    Store(kMaxLines.name, REG_BINARY, Bytes("\x2c\x01"));
    EXPECT_EQ(CSettings().GetMaxLines(), 300);

    // Texts of up to 199 characters load; longer ones leave the default.
    Store(kLogFileName.name, REG_SZ, QByteArray(199, 'a').append('\0'));
    EXPECT_EQ(CSettings().GetLogFileName(), QByteArray(199, 'a'));
    Store(kLogFileName.name, REG_SZ, QByteArray(200, 'a').append('\0'));
    EXPECT_EQ(CSettings().GetLogFileName(), "Tellwick.log");

    // Stored empty texts load as empty.
    Store(kLogFileName.name, REG_SZ, Bytes("\0"));
    Store(kFastMark.name, REG_SZ, Bytes("\0"));
    const CSettings settings;
    EXPECT_EQ(settings.GetLogFileName(), "");
    EXPECT_EQ(settings.GetFastMark(), "");

    // Any non-zero switch is on, and a save keeps the stored number.
    StoreDword(kLogToFile.name, 2);
    CSettings again;
    EXPECT_TRUE(again.GetLogToFile());
    again.Save();
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kProgramKey));
    quint32 dwValue = 0;
    ASSERT_TRUE(key.ReadDword(kLogToFile.name, dwValue));
    EXPECT_EQ(dwValue, 2u);
}

TEST_F(SettingsTest, SaveCreatesTheKeyAndWritesAllEight)
{
    CSettings settings;
    settings.SetMaxLines(500);
    settings.SetAddDateTime(false);
    settings.SetFastMark("--- mark ---");
    settings.SetLogToFile(false);
    settings.SetLogFileName("/var/log/x y.log");
    settings.SetFlashTrayIcon(false);
    settings.SetMakeVisible(false);
    settings.Save();

    const QByteArray text = ReadStoreFile();
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"
                              "\"AddDateTime\"=dword:00000000\n"
                              "\"CheckAlerts\"=dword:00000001\n"
                              "\"FastMark\"=\"--- mark ---\"\n"
                              "\"FlashTrayIcon\"=dword:00000000\n"
                              "\"LogFileName\"=\"/var/log/x y.log\"\n"
                              "\"LogToFile\"=dword:00000000\n"
                              "\"MakeVisible\"=dword:00000000\n"
                              "\"MaxLines\"=dword:000001f4\n"))
        << text.constData();
    EXPECT_EQ(ParseRegistryText(text).nSkippedLines, 0);

    const CSettings loaded;
    EXPECT_EQ(loaded.GetMaxLines(), 500);
    EXPECT_FALSE(loaded.GetAddDateTime());
    EXPECT_EQ(loaded.GetFastMark(), "--- mark ---");
    EXPECT_FALSE(loaded.GetLogToFile());
    EXPECT_EQ(loaded.GetLogFileName(), "/var/log/x y.log");
    EXPECT_FALSE(loaded.GetFlashTrayIcon());
    EXPECT_FALSE(loaded.GetMakeVisible());
}

TEST_F(SettingsTest, SaveKeepsTheAlertsSwitchAsLoaded)
{
    StoreDword(kCheckAlerts.name, 0);
    CSettings settings;
    // Written directly in the meantime, as the Properties command does; the record wins.
    StoreDword(kCheckAlerts.name, 1);
    settings.Save();
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kProgramKey));
    quint32 dwValue = 7;
    ASSERT_TRUE(key.ReadDword(kCheckAlerts.name, dwValue));
    EXPECT_EQ(dwValue, 0u);
}

TEST_F(SettingsTest, RecordsBeforeAndAfterASave)
{
    const CSettings before;
    CSettings editor;
    editor.SetMaxLines(42);
    editor.SetLogFileName("other.log");
    editor.Save();
    const CSettings after;
    EXPECT_EQ(before.GetMaxLines(), 150);
    EXPECT_EQ(before.GetLogFileName(), "Tellwick.log");
    EXPECT_EQ(after.GetMaxLines(), 42);
    EXPECT_EQ(after.GetLogFileName(), "other.log");
}

TEST_F(SettingsTest, ATextOptionStoredAsAnotherTypeKeepsItsDefault)
{
    // A number or bytes under a text option's name is no text: read as one, dword:00000001
    // made a log file named "\001".
    const struct
    {
        quint32 dwType;
        QByteArray data;
    } stored[] = {{REG_DWORD, Bytes("\1\0\0\0")}, {REG_BINARY, Bytes("x\0")}, {REG_NONE, Bytes("y\0")}};
    for (const auto& c : stored) {
        for (const StringValue& value : {kLogFileName, kFastMark, kTransport}) {
            RemoveStoreFile();
            Store(value.name, c.dwType, c.data);
            const CSettings settings;
            EXPECT_EQ(settings.GetLogFileName(), "Tellwick.log") << c.dwType;
            EXPECT_EQ(settings.GetFastMark(), kEquals) << c.dwType;
            EXPECT_EQ(ReadProgramString(kTransport), "udp") << c.dwType;
        }
    }
}

} // namespace

#include "settings/Profile.h"

#include "settings/Catalogue.h"
#include "settings/RegistryKey.h"

#include "support/Bytes.h"
#include "support/TestStore.h"

#include <gtest/gtest.h>

namespace {

class ProfileTest : public ::testing::Test
{
protected:
    void SetUp() override { RemoveStoreFile(); }
};

TEST_F(ProfileTest, SectionsAreSubKeysOfTheProgramsKey)
{
    // Reads give the default and create nothing.
    EXPECT_EQ(GetProfileInt(kHideCaption.section, kHideCaption.name, 5), 5);
    EXPECT_EQ(GetProfileString(kWindowPos.section, kWindowPos.name, "none"), "none");
    QByteArray read = "untouched";
    EXPECT_FALSE(GetProfileBinary(kBarState.section, kBarState.name, read));
    EXPECT_EQ(read, "untouched");
    EXPECT_TRUE(ReadStoreFile().isEmpty());

    ASSERT_TRUE(WriteProfileInt(kHideCaption.section, kHideCaption.name, 1));
    ASSERT_TRUE(WriteProfileInt("Numbers", "Negative", -7));
    ASSERT_TRUE(WriteProfileString(kWindowPos.section, kWindowPos.name, "0,1,-4,-4,800,600,1,2,3,4"));
    ASSERT_TRUE(WriteProfileString("Texts", "Empty", ""));
    const QByteArray state = Bytes("\0\xff state \0");
    ASSERT_TRUE(WriteProfileBinary(kBarState.section, kBarState.name, state));

    EXPECT_EQ(GetProfileInt(kHideCaption.section, kHideCaption.name, 0), 1);
    EXPECT_EQ(GetProfileInt("Numbers", "Negative", 0), -7);
    EXPECT_EQ(GetProfileString(kWindowPos.section, kWindowPos.name), "0,1,-4,-4,800,600,1,2,3,4");
    EXPECT_EQ(GetProfileString("Texts", "Empty", "default"), "");
    EXPECT_TRUE(GetProfileBinary(kBarState.section, kBarState.name, read));
    EXPECT_EQ(read, state);

    const QByteArray text = ReadStoreFile();
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\System]\n"
                              "\"HideCaption\"=dword:00000001\n"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\Settings]\n"
                              "\"WindowPos\"=\"0,1,-4,-4,800,600,1,2,3,4\"\n"));
    EXPECT_TRUE(text.contains("[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\General]\n"
                              "\"State\"=hex:00,ff,20,73,74,61,74,65,20,00\n"));
}

TEST_F(ProfileTest, AValueOfAnotherTypeGivesTheDefault)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    QByteArray section = kProgramKey.toByteArray();
    section.append("\\Odd");
    ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, section));
    ASSERT_TRUE(key.WriteValue("ShortInt", REG_DWORD, Bytes("\1\0")));
    ASSERT_TRUE(key.WriteValue("BinaryInt", REG_BINARY, Bytes("\1\0\0\0")));
    ASSERT_TRUE(key.WriteDword("DwordText", 1));
    ASSERT_TRUE(key.WriteValue("LongText", REG_SZ, QByteArray(5000, 'x').append('\0')));
    EXPECT_EQ(GetProfileInt("Odd", "ShortInt", 9), 9);
    EXPECT_EQ(GetProfileInt("Odd", "BinaryInt", 9), 9);
    EXPECT_EQ(GetProfileString("Odd", "DwordText", "default"), "default");
    QByteArray data;
    EXPECT_FALSE(GetProfileBinary("Odd", "DwordText", data));
    // Profile strings have no length limit.
    EXPECT_EQ(GetProfileString("Odd", "LongText"), QByteArray(5000, 'x'));
}

} // namespace

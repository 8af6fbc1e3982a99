#include "platform/RegistryText.h"

#include "support/Bytes.h"

#include <QList>

#include <gtest/gtest.h>

namespace {

constexpr char kKey[] = "Software\\Orvosoft\\Tellwick";

CRegistryData WithValue(const QByteArray& name, const RegistryValue& value)
{
    CRegistryData data;
    data.CreateKey(kKey).second.insert_or_assign(name, value);
    return data;
}

// The value lines of the program's key in a formatted file.
QByteArray ValueLines(const QByteArray& text)
{
    const QByteArray header = "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n";
    const qsizetype at = text.indexOf(header);
    return at < 0 ? QByteArray() : text.sliced(at + header.size()).chopped(2);
}

TEST(RegistryTextTest, EveryTypeRoundTripsWithItsExactBytes)
{
    const struct
    {
        QByteArray name;
        quint32 dwType;
        QByteArray data;
        const char* line;
    } cases[] = {
        {"MaxLines", REG_DWORD, Bytes("\x96\0\0\0"), "\"MaxLines\"=dword:00000096"},
        {"Big", REG_DWORD, Bytes("\xff\xff\xff\xff"), "\"Big\"=dword:ffffffff"},
        {"LogFileName", REG_SZ, Bytes("Tellwick.log\0"), "\"LogFileName\"=\"Tellwick.log\""},
        {"Empty", REG_SZ, Bytes("\0"), "\"Empty\"=\"\""},
        {"Quoted", REG_SZ, Bytes("a\"b\\c\0"), "\"Quoted\"=\"a\\\"b\\\\c\""},
        {"Ansi", REG_SZ, Bytes("\xe9t\xe9 \x03" "4x\0"), "\"Ansi\"=\"\xe9t\xe9 \x03" "4x\""},
        // Texts that would not read back as the same bytes are written as hex.
        {"NoEnd", REG_SZ, "abc", "\"NoEnd\"=hex(1):61,62,63"},
        {"Inner", REG_SZ, Bytes("a\0b\0"), "\"Inner\"=hex(1):61,00,62,00"},
        {"Break", REG_SZ, Bytes("a\r\nb\0"), "\"Break\"=hex(1):61,0d,0a,62,00"},
        {"Nothing", REG_SZ, "", "\"Nothing\"=hex(1):"},
        {"Short", REG_DWORD, Bytes("\x01\x02"), "\"Short\"=hex(4):01,02"},
        {"Long", REG_DWORD, Bytes("\1\0\0\0\0\0\0\0"), "\"Long\"=hex(4):01,00,00,00,00,00,00,00"},
        {"Odd", REG_BINARY, Bytes("\x01\x00"), "\"Odd\"=hex:01,00"},
        {"None", REG_BINARY, "", "\"None\"=hex:"},
        {"Multi", 7, Bytes("a\0b\0\0"), "\"Multi\"=hex(7):61,00,62,00,00"},
        {"Zero", REG_NONE, "", "\"Zero\"=hex(0):"},
        {"Large", 0x12345678, "\xAB", "\"Large\"=hex(12345678):ab"},
        {"Na\"me\\", REG_DWORD, Bytes("\0\0\0\0"), "\"Na\\\"me\\\\\"=dword:00000000"},
        {"", REG_SZ, Bytes("default\0"), "@=\"default\""},
    };
    for (const auto& c : cases) {
        const CRegistryData data = WithValue(c.name, {c.dwType, c.data});
        const QByteArray text = FormatRegistryText(data);
        EXPECT_EQ(ValueLines(text), c.line) << c.line;
        const RegistryParseResult parsed = ParseRegistryText(text);
        EXPECT_EQ(parsed.nSkippedLines, 0) << c.line;
        EXPECT_TRUE(parsed.data == data) << c.line;
    }
}

TEST(RegistryTextTest, ReadsLikeARegistryExport)
{
    CRegistryData data;
    auto& values = data.CreateKey("Software\\Orvosoft\\Tellwick").second;
    values.insert_or_assign("MaxLines", RegistryValue{REG_DWORD, Bytes("\x96\0\0\0")});
    values.insert_or_assign("LogFileName", RegistryValue{REG_SZ, Bytes("Tellwick.log\0")});
    data.CreateKey("Software\\Orvosoft\\Tellwick\\Settings")
        .second.insert_or_assign("ViewFont", RegistryValue{REG_SZ, Bytes("-11,0,MS Sans Serif\0")});
    EXPECT_EQ(FormatRegistryText(data), "REGEDIT4\n"
                                        "\n"
                                        "[HKEY_CURRENT_USER\\Software]\n"
                                        "\n"
                                        "[HKEY_CURRENT_USER\\Software\\Orvosoft]\n"
                                        "\n"
                                        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"
                                        "\"LogFileName\"=\"Tellwick.log\"\n"
                                        "\"MaxLines\"=dword:00000096\n"
                                        "\n"
                                        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\Settings]\n"
                                        "\"ViewFont\"=\"-11,0,MS Sans Serif\"\n"
                                        "\n");
}

TEST(RegistryTextTest, LongHexDataIsWrappedAndReadBack)
{
    QByteArray bytes;
    for (int i = 0; i < 300; ++i)
        bytes.append(char(i));
    const CRegistryData data = WithValue("State", {REG_BINARY, bytes});
    const QByteArray text = FormatRegistryText(data);
    const QList<QByteArray> lines = ValueLines(text).split('\n');
    ASSERT_GT(lines.size(), 10);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 80) << lines[i].constData();
        EXPECT_EQ(lines[i].endsWith(",\\"), i + 1 < lines.size()) << lines[i].constData();
        if (i > 0) {
            EXPECT_TRUE(lines[i].startsWith("  ")) << lines[i].constData();
        }
    }
    EXPECT_TRUE(ParseRegistryText(text).data == data);
}

TEST(RegistryTextTest, DamagedLinesAreSkippedAndCostNothingElse)
{
    const QByteArray head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\T]\n\"Good\"=dword:00000007\n";
    const struct
    {
        const char* what;
        QByteArray tail;
        int nSkipped;
    } cases[] = {
        {"garbage", "this is not a line\n\x01\x02\xff\n\"Also\"=\"kept\"\n", 2},
        {"cut-off dword", "\"Also\"=\"kept\"\n\"Cut\"=dword:0000", 1},
        {"cut-off text", "\"Also\"=\"kept\"\n\"Cut\"=\"half a te", 1},
        {"cut-off hex byte", "\"Also\"=\"kept\"\n\"Cut\"=hex:01,0", 1},
        {"cut-off after comma", "\"Also\"=\"kept\"\n\"Cut\"=hex:01,02,", 1},
        {"cut-off continuation", "\"Cut\"=hex:01,02,\\\n\"Also\"=\"kept\"\n", 1},
        {"cut-off name", "\"Also\"=\"kept\"\n\"Cu", 1},
        {"unknown escape", "\"Cut\"=\"a\\nb\"\n\"Also\"=\"kept\"\n", 1},
        {"text after the quotes", "\"Cut\"=\"a\" b\n\"Also\"=\"kept\"\n", 1},
        {"bad type number", "\"Cut\"=hex(zz):01\n\"Also\"=\"kept\"\n", 1},
        {"unknown kind", "\"Cut\"=qword:01\n\"Also\"=\"kept\"\n", 1},
        {"deletion", "\"Cut\"=-\n\"Also\"=\"kept\"\n", 1},
        // Values under a key that cannot be read are dropped; the next good key is read.
        {"other root", "[HKEY_LOCAL_MACHINE\\X]\n\"Lost\"=dword:00000001\n[HKEY_CURRENT_USER\\T]\n"
                       "\"Also\"=\"kept\"\n",
         2},
        {"empty key name", "[HKEY_CURRENT_USER\\A\\\\B]\n\"Lost\"=\"x\"\n[HKEY_CURRENT_USER\\T]\n"
                           "\"Also\"=\"kept\"\n",
         2},
        {"unclosed key", "[HKEY_CURRENT_USER\\T\n\"Lost\"=\"x\"\n[HKEY_CURRENT_USER\\t]\n"
                         "\"Also\"=\"kept\"\n",
         2},
    };
    for (const auto& c : cases) {
        QByteArray text = head;
        text.append(c.tail);
        const RegistryParseResult parsed = ParseRegistryText(text);
        EXPECT_EQ(parsed.nSkippedLines, c.nSkipped) << c.what;
        const auto* pKey = parsed.data.FindKey("T");
        ASSERT_TRUE(pKey) << c.what;
        const CRegistryData::Values expected{
            {"Good", {REG_DWORD, Bytes("\x07\0\0\0")}},
            {"Also", {REG_SZ, Bytes("kept\0")}},
        };
        EXPECT_TRUE(pKey->second == expected) << c.what;
        EXPECT_EQ(parsed.data.GetKeys().size(), 2u) << c.what; // the root and T
    }
}

TEST(RegistryTextTest, ToleratesWhatEditorsAndPeopleLeave)
{
    const QByteArray text = "\xEF\xBB\xBFREGEDIT4\r\n"
                            "; a note\r\n"
                            "\r\n"
                            "  [hkey_current_user\\Software\\T]  \r\n"
                            "\"A\"=dword:0000000A\r\n"
                            "\"B\"=HEX:01, 02 ,03,\\\r\n"
                            "  04,05\r\n"
                            "\"A\"=dword:0000000b\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\t]\r\n"
                            "\"a\"=\"last\"\r\n"
                            "\"C\"=\"no line end\"";
    const RegistryParseResult parsed = ParseRegistryText(text);
    EXPECT_EQ(parsed.nSkippedLines, 0);
    // Names compare without letter case and keep their first spelling.
    ASSERT_EQ(parsed.data.GetKeys().size(), 3u);
    const auto* pKey = parsed.data.FindKey("software\\t");
    ASSERT_TRUE(pKey);
    EXPECT_EQ(pKey->first, "Software\\T");
    const CRegistryData::Values expected{
        {"A", {REG_SZ, Bytes("last\0")}},
        {"B", {REG_BINARY, Bytes("\x01\x02\x03\x04\x05")}},
        {"C", {REG_SZ, Bytes("no line end\0")}},
    };
    EXPECT_TRUE(pKey->second == expected);
    EXPECT_EQ(pKey->second.begin()->first, "A");
}

} // namespace

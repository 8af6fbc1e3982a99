#include "platform/registry/RegistryText.h"

#include "support/Bytes.h"

#include <QList>

#include <gtest/gtest.h>

#include <functional>

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

TEST(RegistryTextTest, DamagedLinesCostNothingElseAndAreKept)
{
    const QByteArray head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\T]\n\"Good\"=dword:00000007\n";
    const struct
    {
        const char* what;
        QByteArray tail;
        int nSkipped;
    } cases[] = {
        {"garbage", "this is not a line\n\x01\x02\xff\n\"Also\"=\"kept\"\n", 2},
        {"cut-off dword", "\"Also\"=\"kept\"\n\"Cut\"=dword:", 1},
        {"dword of nine digits", "\"Cut\"=dword:000000001\n\"Also\"=\"kept\"\n", 1},
        {"cut-off text", "\"Also\"=\"kept\"\n\"Cut\"=\"half a te", 1},
        {"byte too large", "\"Also\"=\"kept\"\n\"Cut\"=hex:01,100", 1},
        {"missing comma", "\"Also\"=\"kept\"\n\"Cut\"=hex:01 02", 1},
        {"empty byte", "\"Also\"=\"kept\"\n\"Cut\"=hex:01,,02", 1},
        {"cut-off continuation", "\"Cut\"=hex:01,02,\\\n\"Also\"=\"kept\"\n", 1},
        {"cut-off name", "\"Also\"=\"kept\"\n\"Cu", 1},
        {"zero escape", "\"Cut\"=\"a\\0b\"\n\"Also\"=\"kept\"\n", 1},
        {"text after the quotes", "\"Cut\"=\"a\" b\n\"Also\"=\"kept\"\n", 1},
        {"bad type number", "\"Cut\"=hex(zz):01\n\"Also\"=\"kept\"\n", 1},
        {"unknown kind", "\"Cut\"=qword:01\n\"Also\"=\"kept\"\n", 1},
        {"damaged removal", "\"Cut\"=-x\n\"Also\"=\"kept\"\n", 1},
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

        // Written back with a change, every damaged line is still there.
        CRegistryData changed = parsed.data;
        changed.FindKey("T")->second.insert_or_assign("A", RegistryValue{REG_SZ, Bytes("new\0")});
        const RegistryParseResult written = ParseRegistryText(UpdateRegistryText(parsed, changed));
        EXPECT_TRUE(written.data == changed) << c.what;
        EXPECT_EQ(written.nSkippedLines, c.nSkipped) << c.what;
        for (const QByteArray& line : c.tail.split('\n'))
            EXPECT_TRUE(written.text.contains(line)) << c.what << ": " << line.constData();
    }
}

TEST(RegistryTextTest, WritingBackChangesOnlyTheLinesOfWhatChanged)
{
    const QByteArray original =
        "REGEDIT4\n"
        "\n"
        "; set by hand\n"
        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick] ; poll less often\n"
        "\"TimerMailWait\"=dword:1f4\n"
        "\"LogFileName\"=\"C:\\temp\\x.log\"\n"
        "not a value\n"
        "\"MaxLines\"=dword:00000020 ; a short window\n"
        "\"State\"=hex:01,02,\\\n"
        "  ; between\n"
        "  3\n"
        "\n"
        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\Settings]\n"
        "\"ViewFont\"=\"-11,0,MS Sans Serif\"\n";
    const QByteArray key = "Software\\Orvosoft\\Tellwick";
    const auto set = [](const char* path, const char* name, const RegistryValue& value) {
        return
            [=](CRegistryData& data) { data.CreateKey(path).second.insert_or_assign(name, value); };
    };
    const auto remove = [](const char* path, const char* name) {
        return [=](CRegistryData& data) { data.FindKey(path)->second.erase(name); };
    };
    const RegistryValue dword40{REG_DWORD, Bytes("\x40\0\0\0")};
    const RegistryValue mark{REG_SZ, Bytes("--\0")};
    const struct
    {
        const char* what;
        QByteArray text;
        std::function<void(CRegistryData&)> change;
        QByteArray before, after; // the part of the text that changes
    } cases[] = {
        {"changed value, its comment kept", original, set(key, "MaxLines", dword40),
         "\"MaxLines\"=dword:00000020 ; a short window",
         "\"MaxLines\"=dword:00000040 ; a short window"},
        {"changed value over lines, comments among them kept", original,
         set(key, "State", RegistryValue{REG_BINARY, "\x05"}),
         "\"State\"=hex:01,02,\\\n  ; between\n  3\n", "\"State\"=hex:05\n  ; between\n"},
        {"removed value", original, remove(key, "TimerMailWait"), "\"TimerMailWait\"=dword:1f4\n",
         ""},
        {"added value at its place by name", original,
         set("Software\\Orvosoft\\Tellwick\\Settings", "Size", mark), "\"ViewFont\"",
         "\"Size\"=\"--\"\n\"ViewFont\""},
        {"added value sorting after all", original, set(key, "Zoom", mark), "  3\n",
         "  3\n\"Zoom\"=\"--\"\n"},
        {"added key among the keys", original,
         set("Software\\Orvosoft\\Tellwick\\Alerts", "", mark), "  3\n\n",
         "  3\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\Alerts]\n@=\"--\"\n\n"},
        {"added key at the end", original, set("Zz", "A", mark), "Serif\"\n",
         "Serif\"\n\n[HKEY_CURRENT_USER\\Zz]\n\"A\"=\"--\"\n"},
        {"value set again after a removal", "[HKEY_CURRENT_USER\\T]\n\"Z\"=\"z\"\n\"B\"=-\n",
         set("T", "B", mark), "\"B\"=-\n", "\"B\"=-\n\"B\"=\"--\"\n"},
        {"duplicates removed together", "[HKEY_CURRENT_USER\\T]\n\"B\"=\"1\"\n\"b\"=\"2\"\n",
         remove("T", "B"), "\"B\"=\"1\"\n\"b\"=\"2\"\n", ""},
        {"the holder of duplicates changed", "[HKEY_CURRENT_USER\\T]\n\"B\"=\"1\"\n\"b\"=\"2\"\n",
         set("T", "B", mark), "\"b\"=\"2\"", "\"B\"=\"--\""},
        {"removed value that cut short a damaged one",
         "[HKEY_CURRENT_USER\\T]\n\"Bad\"=hex:01,\\\n\"B\"=\"1\"\n  02\n", remove("T", "B"),
         "\"B\"=\"1\"", "\"B\"=-"},
        {"data running to the end, then a value after it",
         "[HKEY_CURRENT_USER\\T]\n\"A\"=hex:01,\\\n", set("T", "B", mark), "\"A\"=hex:01,\\\n",
         "\"A\"=hex:01\n\"B\"=\"--\"\n"},
        {"CR LF lines and no last line end", "REGEDIT4\r\n[HKEY_CURRENT_USER\\T]\r\n\"A\"=\"a\"",
         set("T", "B", mark), "\"A\"=\"a\"", "\"A\"=\"a\"\r\n\"B\"=\"--\"\r\n"},
    };
    for (const auto& c : cases) {
        const RegistryParseResult parsed = ParseRegistryText(c.text);
        CRegistryData changed = parsed.data;
        c.change(changed);
        ASSERT_EQ(c.text.count(c.before), 1) << c.what;
        QByteArray expected = c.text;
        expected.replace(c.before, c.after);
        const QByteArray written = UpdateRegistryText(parsed, changed);
        EXPECT_EQ(written.toStdString(), expected.toStdString()) << c.what;
        EXPECT_TRUE(ParseRegistryText(written).data == changed) << c.what;
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

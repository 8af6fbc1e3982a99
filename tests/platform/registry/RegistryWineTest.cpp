// Wine's registry editor is a reader of the store's format that owes nothing to Tellwick's: each
// snippet below, as a person edits the store by hand, is imported by it and read by Tellwick,
// and both must see the same keys and values; so must they after Tellwick has written to it.
// It needs wine and takes a while (one prefix for all), so it runs as a test of its own.
#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFile.h"

#include "support/Bytes.h"
#include "support/TestStore.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr char kKey[] = "Software\\Orvosoft\\Tellwick";

// Key (in lower case) -> value name -> "TYPE DATA", in the words of `reg query`.
using Listing = std::map<QString, std::map<QString, QString>>;

class CWine
{
public:
    CWine()
    {
        m_environment.insert(QStringLiteral("WINEPREFIX"), m_prefix.path());
        m_environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
        // The new prefix is set up in full before anything is imported (the set-up writes the
        // registry too), then one server serves the whole table: starting one takes seconds.
        Run(QStringLiteral("wine"), {QStringLiteral("wineboot"), QStringLiteral("-i")});
        Run(QStringLiteral("wineserver"), {QStringLiteral("-w")});
        Run(QStringLiteral("wineserver"), {QStringLiteral("-p")});
    }
    ~CWine() { Run(QStringLiteral("wineserver"), {QStringLiteral("-k")}); }
    CWine(const CWine&) = delete;
    CWine& operator=(const CWine&) = delete;

    // What the registry editor makes of the text, the program's key removed before.
    Listing Import(const QByteArray& text)
    {
        QByteArray file = "REGEDIT4\r\n\r\n[-HKEY_CURRENT_USER\\Software\\Orvosoft]\r\n";
        file.append(text.sliced(text.indexOf('\n') + 1));
        const QString path = m_prefix.filePath(QStringLiteral("import.reg"));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(file);
        out.close();
        Run(QStringLiteral("wine"), {QStringLiteral("regedit"), QStringLiteral("/S"), path});
        return Parse(
            Run(QStringLiteral("wine"),
                {QStringLiteral("reg"), QStringLiteral("query"),
                 QStringLiteral("HKCU\\Software\\Orvosoft\\Tellwick"), QStringLiteral("/s")}));
    }

private:
    QString Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    static Listing Parse(const QString& output)
    {
        Listing listing;
        QString key;
        for (QString line : output.split(u'\n')) {
            if (line.endsWith(u'\r'))
                line.chop(1);
            if (line.startsWith(QLatin1String("HKEY_"))) {
                key = line.toLower();
                listing[key];
            } else if (line.startsWith(QLatin1String("    ")) && !key.isEmpty()) {
                const QStringList parts = line.mid(4).split(QLatin1String("    "));
                if (parts.size() >= 2)
                    listing[key][parts[0]] =
                        parts[1] + u' ' + parts.mid(2).join(QLatin1String("    "));
            }
        }
        return listing;
    }

    QTemporaryDir m_prefix;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

QString Shown(const RegistryValue& value)
{
    const QByteArray& data = value.data;
    switch (value.dwType) {
    case REG_SZ:
        return QStringLiteral("REG_SZ ") +
               QString::fromLatin1(data.first(qMax(data.indexOf('\0'), 0)));
    case REG_EXPAND_SZ:
        return QStringLiteral("REG_EXPAND_SZ ") +
               QString::fromLatin1(data.first(qMax(data.indexOf('\0'), 0)));
    case REG_DWORD:
        return QStringLiteral("REG_DWORD 0x") +
               QString::number(qFromLittleEndian<quint32>(data.constData()), 16);
    case REG_BINARY:
        return QStringLiteral("REG_BINARY ") + QString::fromLatin1(data.toHex().toUpper());
    default:
        return QStringLiteral("REG_NONE ") + QString::fromLatin1(data.toHex().toUpper());
    }
}

// What Tellwick reads from the store now, in the same words.
Listing ReadByTellwick()
{
    Listing listing;
    const QString top = QStringLiteral("hkey_current_user\\") + QString::fromLatin1(kKey).toLower();
    for (const auto& [path, values] : CRegistryFile::User().Load()->GetKeys()) {
        const QString key =
            QStringLiteral("hkey_current_user\\") + QString::fromLatin1(path).toLower();
        if (key != top && !key.startsWith(top + u'\\'))
            continue;
        auto& shown = listing[key];
        for (const auto& [name, value] : values)
            shown[name.isEmpty() ? QStringLiteral("(Default)") : QString::fromLatin1(name)] =
                Shown(value);
    }
    return listing;
}

std::string Text(const Listing& listing)
{
    QString text;
    for (const auto& [key, values] : listing) {
        text += key + u'\n';
        for (const auto& [name, value] : values)
            text += QStringLiteral("    ") + name + QStringLiteral(" = ") + value + u'\n';
    }
    return text.toStdString();
}

TEST(RegistryWineTest, ReadsAsTheRegistryEditorImports)
{
    if (QStandardPaths::findExecutable(QStringLiteral("wine")).isEmpty()) {
        if (qgetenv("CI") == "true")
            FAIL() << "wine is missing (scripts/install-deps.sh --test installs it)";
        GTEST_SKIP() << "no wine here";
    }
    const QByteArray head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n";
    const struct
    {
        const char* what;
        QByteArray text;
    } cases[] = {
        {"a key with a comment, short digits, a Windows path",
         "REGEDIT4\n\n"
         "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick] ; set by hand\n"
         "\"TimerMailWait\"=dword:1f4\n"
         "\"LogFileName\"=\"C:\\temp\\x.log\"\n"},
        {"numbers", head + "\"MaxLines\"=dword:000003E8\n"
                           "\"DupMsgSeconds\"=dword: 5 ; seconds\n"
                           "\"AddDateTime\"=dword:0;off\n"
                           "\"Big\"=dword:ffffffff\n"
                           "\"NineDigits\"=dword:000000001\n"
                           "\"Empty\"=dword:\n"
                           "\"NotHex\"=dword:12g\n"},
        {"texts", head + "\"FastMark\"=\"== \\\"mark\\\" ==\"\n"
                         "\"Path\"=\"C:\\\\Program Files\\\\x\"\n"
                         "\"Unknown\"=\"\\q\\t\\x\"\n"
                         "\"Empty\"=\"\"\n"
                         "\"Semicolon\"=\"a;b\" ; comment\n"
                         "\"After\"=\"a\" b\n"
                         "\"Open\"=\"abc\n"
                         "@=\"unnamed\"\n"},
        {"hex data", head + "\"Bin\"=hex:01,ab,FF\n"
                            "\"Short\"=hex:1,2,003\n"
                            "\"Trailing\"=hex:01,02,\n"
                            "\"Wrapped\"=hex:01,02,\\\n"
                            "  03,04,\\\n"
                            "; a comment among the lines\n"
                            "\n"
                            "  05\n"
                            "\"Typed\"=hex(2):41,42,00\n"
                            "\"None\"=hex(0):01\n"
                            "\"TooLarge\"=hex:01,100\n"
                            "\"Gap\"=hex:01,,02\n"
                            "\"AtTheEnd\"=hex:0a,\\\n"},
        {"blanks and comments", "REGEDIT4\n"
                                "; a comment\n"
                                "# a hash line\n"
                                "\t[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick]\n"
                                "  \"A\" = dword:1\n"
                                "\t\"B\"\t=\t\"b\"\n"
                                "\"C\"=hex:01 ; one byte\n"
                                "; \"D\"=dword:1\n"},
        {"keys", head + "\"A\"=dword:1\n"
                        "[hkey_current_user\\software\\orvosoft\\tellwick\\Settings]junk\n"
                        "\"B\"=dword:2\n"
                        "[HKEY_LOCAL_MACHINE\\Software\\Orvosoft\\Tellwick]\n"
                        "\"Lost\"=dword:3\n"
                        "[HKCU\\Software\\Orvosoft\\Tellwick]\n"
                        "\"AlsoLost\"=dword:4\n"
                        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\Unclosed\n"
                        "\"Unclosed\"=dword:5\n"
                        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\TELLWICK]\n"
                        "\"a\"=dword:6\n"
                        "[HKEY_CURRENT_USER\\Software\\Orvosoft\\Tellwick\\Empty]\n"},
        {"removals", head + "\"A\"=dword:1\n"
                            "\"B\"=dword:2\n"
                            "\"C\"=dword:3\n"
                            "\"A\"=-\n"
                            "\"B\"=- ; gone\n"
                            "\"C\"=-x\n"
                            "@=\"d\"\n"
                            "@=-\n"},
        {"lines that are no values", head + "this line is not a value\n"
                                            "\"Good\"=dword:1\n"
                                            "\"Unterminated=dword:2\n"
                                            "x\"Prefixed\"=dword:3\n"
                                            "\"Kind\"=qword:1\n"
                                            "\"Good2\"=\"kept\"\n"},
    };
    CWine wine;
    for (const auto& c : cases) {
        WriteStoreFile(c.text);
        EXPECT_EQ(Text(ReadByTellwick()), Text(wine.Import(c.text))) << c.what;

        // Tellwick writes into the text; the editor still reads what Tellwick reads.
        RegistryKeyHandle hKey;
        ASSERT_EQ(RegistryCreateKey(HKEY_CURRENT_USER, kKey, hKey), ERROR_SUCCESS) << c.what;
        ASSERT_EQ(RegistrySetValue(hKey, "Added", REG_DWORD, Bytes("\7\0\0\0")), ERROR_SUCCESS);
        ASSERT_EQ(RegistrySetValue(hKey, "LogFileName", REG_SZ, Bytes("Tellwick.log\0")),
                  ERROR_SUCCESS);
        EXPECT_EQ(Text(ReadByTellwick()), Text(wine.Import(ReadStoreFile()))) << c.what;
    }
}

} // namespace

// Samba's packet code and Wireshark's dissector owe nothing to Tellwick's: what one writes, the
// others must read as the same mailslot write or name packet, field for field.
#include "platform/netbios/MailslotDatagram.h"
#include "platform/netbios/NetbiosNamePacket.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A tool the check needs: missing, it fails the test under CI and skips it elsewhere.
#define REQUIRE_TOOL(present, what)                                                           \
    do {                                                                                      \
        if (!(present)) {                                                                     \
            if (qgetenv("CI") == "true")                                                      \
                FAIL() << (what) << " is missing (scripts/install-deps.sh --test installs it)";      \
            GTEST_SKIP() << (what) << " is missing";                                          \
        }                                                                                     \
    } while (false)

QString RunTool(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Debian's own interpreter: python3-samba is installed for it, not for one on the PATH.
const QString kPython = QStringLiteral("/usr/bin/python3");

bool HasSamba()
{
    return QProcess::execute(kPython, {QStringLiteral("-c"), QStringLiteral("import samba.dcerpc.nbt")}) == 0;
}

QString Peer(const QString& mode, const QByteArray& input = {})
{
    return RunTool(kPython, {QStringLiteral(TELLWICK_NETBIOS_PEER), mode}, input);
}

MailslotDatagram Write(NetbiosDatagramType type, NetbiosName destination, QByteArray data)
{
    MailslotDatagram datagram;
    datagram.type = type;
    datagram.id = 7;
    datagram.sourceAddress = 0x0A000001;
    datagram.source = {"DESK-7", 0x00, {}};
    datagram.destination = std::move(destination);
    datagram.mailslot = "\\MAILSLOT\\ORVONET";
    datagram.data = std::move(data);
    return datagram;
}

} // namespace

TEST(NetbiosPeersTest, SambaReadsWhatTellwickWritesAndPacksItByteForByte)
{
    REQUIRE_TOOL(HasSamba(), "python3-samba");
    const MailslotDatagram writes[] = {
        Write(NetbiosDatagramType::DirectUnique, {"WIN-DESK", 0x00, {}}, QByteArray("\x03" "04hi\0", 6)),
        Write(NetbiosDatagramType::DirectGroup, {"WORKGROUP", 0x00, {}}, QByteArray(kMaxGroupMailslotData, 'x')),
        Write(NetbiosDatagramType::DirectUnique, {"WIN-DESK", 0x20, "corp.example"}, QByteArray(1, '\0')),
    };
    const char* const expected[] = {
        "same 10 DESK-7<00> WIN-DESK<00> \\MAILSLOT\\ORVONET 03303468690",
        "same 11 DESK-7<00> WORKGROUP<00> \\MAILSLOT\\ORVONET 787878",
        "same 10 DESK-7<00> WIN-DESK<20>.corp.example \\MAILSLOT\\ORVONET 00",
    };
    QByteArray input;
    for (const MailslotDatagram& write : writes)
        input += EncodeMailslotDatagram(write).value_or(QByteArray()).toHex() + '\n';
    const QStringList lines = Peer(QStringLiteral("repack"), input).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), std::size(expected));
    for (qsizetype i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(QLatin1String(expected[i]))) << lines[i].toStdString();
}

TEST(NetbiosPeersTest, TellwickReadsWhatWindowsWrites)
{
    REQUIRE_TOOL(HasSamba(), "python3-samba");
    const QStringList lines = Peer(QStringLiteral("windows")).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const std::optional<MailslotDatagram> unique = DecodeMailslotDatagram(QByteArray::fromHex(lines[0].toLatin1()));
    const std::optional<MailslotDatagram> group = DecodeMailslotDatagram(QByteArray::fromHex(lines[1].toLatin1()));
    ASSERT_TRUE(unique && group);
    EXPECT_EQ(unique->type, NetbiosDatagramType::DirectUnique);
    EXPECT_EQ(unique->source, (NetbiosName{"WIN-DESK", 0x00, {}}));
    EXPECT_EQ(unique->destination, (NetbiosName{"DESK-7", 0x00, {}}));
    EXPECT_EQ(unique->sourceAddress, 0xC0A80009u);
    EXPECT_EQ(unique->data, QByteArray("\x03" "04hello from Windows\0", 22));
    EXPECT_EQ(group->type, NetbiosDatagramType::DirectGroup);
    EXPECT_EQ(group->destination.name, "WORKGROUP");
    EXPECT_EQ(group->mailslot, "\\MAILSLOT\\ORVONET");
    EXPECT_EQ(group->data, QByteArray("<PING>\0", 7));
}

TEST(NetbiosPeersTest, WiresharkDissectsAMailslotWrite)
{
    const QString text2pcap = QStandardPaths::findExecutable(QStringLiteral("text2pcap"));
    const QString tshark = QStandardPaths::findExecutable(QStringLiteral("tshark"));
    REQUIRE_TOOL(!text2pcap.isEmpty() && !tshark.isEmpty(), "tshark");
    const QByteArray bytes = EncodeMailslotDatagram(
        Write(NetbiosDatagramType::DirectUnique, {"WIN-DESK", 0x00, {}}, QByteArray("hello\0", 6))).value();

    QTemporaryDir folder;
    QFile dump(folder.filePath(QStringLiteral("datagram.txt")));
    ASSERT_TRUE(dump.open(QIODevice::WriteOnly));
    dump.write("000000 " + bytes.toHex(' ') + '\n');
    dump.close();
    const QString capture = folder.filePath(QStringLiteral("datagram.pcap"));
    RunTool(text2pcap, {QStringLiteral("-q"), QStringLiteral("-u"), QStringLiteral("138,138"), dump.fileName(), capture});
    const QString fields = RunTool(tshark, {QStringLiteral("-r"), capture, QStringLiteral("-T"), QStringLiteral("fields"),
                                        QStringLiteral("-e"), QStringLiteral("nbdgm.source_name"),
                                        QStringLiteral("-e"), QStringLiteral("nbdgm.destination_name"),
                                        QStringLiteral("-e"), QStringLiteral("mailslot.name"),
                                        QStringLiteral("-e"), QStringLiteral("data.data"),
                                        QStringLiteral("-e"), QStringLiteral("_ws.expert.message")});
    EXPECT_EQ(fields.trimmed().toStdString(), "DESK-7<00>\tWIN-DESK<00>\t\\MAILSLOT\\ORVONET\t68656c6c6f00");
}

TEST(NetbiosPeersTest, NameQueriesAndAnswersReadAlikeBothWays)
{
    REQUIRE_TOOL(HasSamba(), "python3-samba");
    const QByteArray ours = EncodeNameQuery({0x1234, {"WIN-DESK", 0x00, {}}, true}).value().toHex() + '\n'
                            + EncodeNameAnswer({0x1234, {"DESK-7", 0x00, {}}, {0x0A000001, 0x0A000002}, 300000})
                                  .value()
                                  .toHex()
                            + '\n';
    EXPECT_EQ(Peer(QStringLiteral("names"), ours).toStdString(),
              "same 0110 WIN-DESK<00>\nsame 8500 DESK-7<00> 10.0.0.1 10.0.0.2\n");

    const QStringList windows = Peer(QStringLiteral("windows-names")).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(DecodeNameQuery(QByteArray::fromHex(windows[0].toLatin1())),
              (NetbiosNameQuery{0x81C2, {"DESK-7", 0x00, {}}, true}));
    EXPECT_EQ(DecodeNameAnswer(QByteArray::fromHex(windows[1].toLatin1())),
              (NetbiosNameAnswer{0x81C2, {"WIN-DESK", 0x00, {}}, {0xC0A80009}, 300000}));
}

#include "platform/netbios/NetbiosMailslot.h"

#include "platform/mailslot/ComputerName.h"
#include "platform/mailslot/MailslotTransport.h"
#include "platform/netbios/MailslotDatagram.h"

#include <QHostAddress>

#include <atomic>

namespace {

constexpr quint8 kWorkstationType = 0x00;
constexpr quint8 kServerType = 0x20;

// Datagram ids only tell one sender's datagrams apart; any start will do.
std::atomic<quint16> g_nextId{1};

QByteArray NameOf(QByteArrayView computer)
{
    QByteArray name = computer.toByteArray();
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    name.truncate(kMaxNetbiosName);
    return name.toUpper();
}

} // namespace

NetbiosTarget NetbiosTargetFor(QByteArrayView computer)
{
    if (computer == "*")
        return {{NetbiosWorkgroup(), kWorkstationType, {}}, true};
    if (computer == ".")
        return {{NameOf(GetComputerName()), kWorkstationType, {}}, false};
    if (QHostAddress(QString::fromLatin1(computer)).protocol() == QAbstractSocket::IPv4Protocol)
        return {{"*SMBSERVER", kServerType, {}}, false};
    return {{NameOf(computer), kWorkstationType, {}}, false};
}

std::optional<QByteArray> WrapNetbiosWrite(const NetbiosTarget& target, quint32 sourceAddress,
                                           QByteArrayView data, QString& strError)
{
    if (target.bGroup && data.size() > kMaxGroupMailslotData) {
        strError = QStringLiteral("a message to every computer holds at most %1 bytes over NetBIOS")
                       .arg(kMaxGroupMailslotData);
        return std::nullopt;
    }
    MailslotDatagram datagram;
    datagram.type = target.bGroup ? NetbiosDatagramType::DirectGroup : NetbiosDatagramType::DirectUnique;
    datagram.id = g_nextId.fetch_add(1, std::memory_order_relaxed);
    datagram.sourceAddress = sourceAddress;
    datagram.source = {NameOf(GetComputerName()), kWorkstationType, {}};
    datagram.destination = target.name;
    datagram.mailslot = kNetbiosMailslotName;
    datagram.data = data.toByteArray();
    std::optional<QByteArray> packet = EncodeMailslotDatagram(datagram);
    if (!packet)
        strError = QStringLiteral("the message does not fit into one NetBIOS datagram");
    return packet;
}

std::optional<QByteArray> UnwrapNetbiosWrite(QByteArrayView packet)
{
    std::optional<MailslotDatagram> datagram = DecodeMailslotDatagram(packet);
    // Windows compares mailslot names without regard to letter case.
    if (!datagram || datagram->mailslot.compare(kNetbiosMailslotName, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return std::move(datagram->data);
}

#include "platform/mailslot/UdpTransport.h"

#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/MailslotInbox.h"

quint16 CUdpTransport::DefaultPort() const
{
    return kDefaultMailslotPort;
}

int CUdpTransport::ReadSize() const
{
    // A longer datagram's own length tells the inbox that it was cut.
    return CMailslotInbox::kReadSize;
}

std::optional<QByteArray> CUdpTransport::Wrap(QByteArrayView, quint32, const QByteArray& data,
                                              QString&) const
{
    return data;
}

std::optional<QByteArray> CUdpTransport::Unwrap(QByteArrayView datagram) const
{
    return datagram.toByteArray();
}

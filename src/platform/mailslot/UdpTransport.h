#pragma once

#include "platform/mailslot/MailslotTransport.h"

// Plain UDP datagrams on the mailslot port, each one a message as it was written; names are
// the system resolver's alone.
class CUdpTransport final : public CMailslotTransport
{
public:
    quint16 DefaultPort() const override;
    int ReadSize() const override;
    std::optional<QByteArray> Wrap(QByteArrayView computer, quint32 target, const QByteArray& data,
                                   QString& strError) const override;
    std::optional<QByteArray> Unwrap(QByteArrayView datagram) const override;
};

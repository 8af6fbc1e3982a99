#pragma once

#include "platform/mailslot/MailslotTransport.h"

// Mailslot writes as Windows sends them between computers: NetBIOS datagrams on port 138, names
// asked on the subnet first, this computer's name answered while the inbox is open, and where
// Samba's nmbd holds the port, what it passes on.
class CNetbiosTransport final : public CMailslotTransport
{
public:
    quint16 DefaultPort() const override;
    int ReadSize() const override;
    std::optional<QByteArray> Wrap(QByteArrayView computer, quint32 target, const QByteArray& data,
                                   QString& strError) const override;
    std::optional<QByteArray> Unwrap(QByteArrayView datagram) const override;
    std::vector<quint32> LookupName(const QByteArray& computer) const override;
    std::vector<quint16> ServicePorts() const override;
    std::shared_ptr<void> ServeBesideInbox() const override;
    int ReceiveThroughHolder(std::shared_ptr<void>& pKept) const override;
    QString TakenPortRemedy() const override;
    bool IsSystemPort() const override;
};

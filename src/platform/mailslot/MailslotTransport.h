#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// How datagrams between copies travel: plain UDP on the mailslot port, or as Windows writes
// remote mailslots, NetBIOS datagrams on port 138 that Windows copies read too. One is chosen at
// start; every inbox, write and look-up of the process then goes through it.
class CMailslotTransport
{
public:
    virtual ~CMailslotTransport() = default;

    // The port inboxes listen on unless TELLWICK_MAILSLOT_PORT names another.
    virtual quint16 DefaultPort() const = 0;
    // The most bytes the inbox reads of one datagram, before the message in it is unwrapped.
    virtual int ReadSize() const = 0;
    // The datagram that writes data to the mailslot of computer (a path's computer part) at the
    // address target; nothing, with the reason, when it cannot be sent.
    virtual std::optional<QByteArray> Wrap(QByteArrayView computer, quint32 target,
                                           const QByteArray& data, QString& strError) const = 0;
    // The bytes written that a received datagram carries; nothing when it is no write to our
    // mailslot.
    virtual std::optional<QByteArray> Unwrap(QByteArrayView datagram) const = 0;

    // The rest are services of the transport's own; by default it has none.

    // A computer name's addresses as the transport's name service finds them, asked before the
    // system's resolver; none when nobody answers.
    virtual std::vector<quint32> LookupName(const QByteArray&) const { return {}; }
    // The ports an inbox serves beside its own (NetBIOS's name port), bound at start by a
    // program given the right to.
    virtual std::vector<quint16> ServicePorts() const { return {}; }
    // What runs beside an inbox that holds its port, kept for as long as it is open.
    virtual std::shared_ptr<void> ServeBesideInbox() const { return nullptr; }
    // Where another program holds the port and passes our datagrams on: the socket to read them
    // from (the caller's to close), with what keeps it so in pKept; -1 otherwise.
    virtual int ReceiveThroughHolder(std::shared_ptr<void>& /*pKept*/) const { return -1; }
    // What would let an inbox receive while another program holds the port.
    virtual QString TakenPortRemedy() const { return {}; }
    // Whether the port is a service of the system that its own programs may hold (NetBIOS's): a
    // failure to have it is told with its remedy, never taken for another copy of this program.
    virtual bool IsSystemPort() const { return false; }
};

// Chooses this process's transport, once at start: TELLWICK_TRANSPORT when it names one ("udp"
// or "netbios" in any letter case), else the stored choice; one that names none is told and
// gives UDP. The workgroup is the group name that a write to every computer goes to over
// NetBIOS.
void SelectMailslotTransport(QByteArrayView storedTransport, QByteArrayView workgroup);
// The transport chosen; UDP until one is.
const CMailslotTransport& MailslotTransport();
QByteArray NetbiosWorkgroup();

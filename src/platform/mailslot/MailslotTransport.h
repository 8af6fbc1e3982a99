#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// How datagrams between copies travel: plain UDP on the mailslot port, or as Windows writes
// remote mailslots, NetBIOS datagrams on port 138 that Windows copies read too.
enum class MailslotTransport
{
    Udp,
    Netbios,
};

// "udp" or "netbios" in any letter case; nothing for anything else.
std::optional<MailslotTransport> ParseMailslotTransport(QByteArrayView text);

// Chooses this process's transport, once at start: TELLWICK_TRANSPORT when it names one, else
// the stored choice; one that names none is told and gives UDP. The workgroup is the group
// name that a write to every computer goes to over NetBIOS.
void SelectMailslotTransport(QByteArrayView storedTransport, QByteArrayView workgroup);
MailslotTransport CurrentMailslotTransport();
QByteArray NetbiosWorkgroup();

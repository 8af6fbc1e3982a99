#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class MailslotWriteResult
{
    Written,
    UnknownComputer, // the path is malformed or its computer cannot be found
    NotOneComputer,  // a computer's name gives a broadcast, multicast or network address
    WriteFailed,
};

// Delivers one datagram to the inbox that a path "\\computer\mailslot\orvonet" names: "." is
// this computer, "*" every computer on the local networks (broadcast), any other computer part
// is looked up by name; a computer part may carry the inbox's port ("desk-7.local:20345").
// Only "*" reaches more than one computer: a name or address that would is refused, and
// pstrWhy (when given) then says what it resolves to. Nothing tells whether anyone received it.
MailslotWriteResult WriteMailslotDatagram(QByteArrayView path, const QByteArray& datagram,
                                          QString* pstrWhy = nullptr);

// The same without waiting for a name to be looked up: the datagram goes out when the answer
// comes back through the event loop. A computer that cannot be found, or is not one computer,
// is told as one warning.
void PostMailslotDatagram(QByteArrayView path, const QByteArray& datagram);

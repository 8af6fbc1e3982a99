#pragma once

#include <QByteArrayView>

enum class MailslotWriteResult
{
    Written,
    UnknownComputer, // the path is malformed or its computer cannot be found
    WriteFailed,
};

// Delivers one datagram to the inbox that a path "\\computer\mailslot\orvonet" names: "." is
// this computer, "*" every computer on the local networks (broadcast), any other computer part
// is looked up by name. Nothing tells whether anyone received it.
MailslotWriteResult WriteMailslotDatagram(QByteArrayView path, QByteArrayView datagram);

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The UDP port every copy's inbox listens on unless TELLWICK_MAILSLOT_PORT names another.
inline constexpr quint16 kDefaultMailslotPort = 10138;

// The port of the inbox, read afresh so that tests and special set-ups can move it.
quint16 MailslotPort();

// The computer part of a path "\\computer\mailslot\orvonet" (the mailslot name in any letter
// case, as the platform compares it), or nothing when the path names no such mailslot.
std::optional<QByteArray> MailslotComputer(QByteArrayView path);

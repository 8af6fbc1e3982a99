#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include "platform/mailslot/MailslotWriter.h"

// The own inbox, opened when the message window is created.
inline constexpr char kOwnMailslotPath[] = "\\\\.\\mailslot\\orvonet";
// Where a ping is answered: every computer of the network.
inline constexpr char kBroadcastMailslotPath[] = "\\\\*\\mailslot\\orvonet";
// A received text holding this anywhere (exact case) asks for our computer name.
inline constexpr char kPingText[] = "<PING>";

// The path of a computer's inbox, the computer part inserted as given.
QByteArray MailslotPath(QByteArrayView computer);

// The computer part for a name the user typed: "localhost" in any letter case, or nothing,
// means this computer.
QByteArray ComputerPart(QByteArrayView typedName);

// Writes the text and its terminating zero byte as one datagram to the path.
bool WriteMailslot(QByteArrayView path, QByteArrayView text);

// Sends a message as the user typed it: colour tags translated, to the computer as typed,
// without waiting for the computer's name to be looked up (see PostMailslotDatagram).
void PostTypedMessage(QByteArrayView typedComputer, QByteArrayView typedMessage);

// The text of a received datagram: its bytes up to the first zero byte, or all of them.
QByteArray DatagramText(QByteArrayView datagram);

bool IsPing(QByteArrayView text);

// Answers a ping by telling every computer this computer's name.
void AnswerPing();

#pragma once

#include "platform/mailslot/MailslotInbox.h"

#include <QByteArray>
#include <QList>

#include <memory>

// Moves every inbox and writer of this test program to a free UDP port, so tests never meet a
// running copy or each other's test programs.
quint16 UseFreeMailslotPort();

// Creates the inbox; a test program may have taken the free port in the meantime, so it tries a
// few other ones. Whether it opened.
bool CreateOnFreePort(CMailslotInbox& inbox);

// Opens the own inbox on the test port, failing the test when it cannot.
std::unique_ptr<CMailslotInbox> OpenTestInbox();

// Every datagram waiting in the inbox, oldest first.
QList<QByteArray> ReadAll(CMailslotInbox& inbox);

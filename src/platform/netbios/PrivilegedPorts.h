#pragma once

#include <QString>
#include <QtGlobal>

// A program given the right to bind ports below 1024 (NetBIOS's 137 and 138) uses it once, at
// start, before any plugin can be loaded, and then gives up every capability: the inbox and the
// name responder take the sockets bound here instead of binding their own.
class CPrivilegedPorts
{
public:
    // Whether this process holds any capability at all (given to the file, or as root).
    static bool CapabilitiesHeld();
    // Binds the inbox's port, and over NetBIOS the name port, as the current transport has them;
    // a bind that fails is kept as its error, for the one who takes the port.
    static void BindInboxPorts();
    // Gives up every capability, also for the programs this one starts; false, with the reason,
    // when the system refused.
    static bool DropCapabilities(QString& strError);
    // The socket bound at start for UDP port nPort, handed over once; -1 when there is none, with
    // nError the bind's error when it failed there, or 0 when that port was not bound at start.
    static int Take(quint16 nPort, int& nError);
    // Closes what nobody took (the name port of an inbox that receives through another name
    // service), so that the port is free for whoever needs it.
    static void CloseUntaken();
};

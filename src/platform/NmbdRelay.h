#pragma once

#include <QString>

#include <memory>

// Where Samba's nmbd holds the NetBIOS datagram port, it hands the datagrams for mailslots it
// does not serve itself to the clients of its "unexpected packet" socket. The relay asks it
// for our mailslot's datagrams and writes each into a socket pair, whole and once, so that the
// inbox reads them as it reads its own port.
class CNmbdRelay
{
public:
    CNmbdRelay();
    ~CNmbdRelay();
    CNmbdRelay(const CNmbdRelay&) = delete;
    CNmbdRelay& operator=(const CNmbdRelay&) = delete;

    // nmbd's socket: TELLWICK_NMBD_SOCKET, else where Debian's Samba puts it.
    static QString SocketPath();
    // Whether an nmbd socket is there to be asked.
    static bool IsAvailable();

    // Connects to nmbd and starts relaying: the datagram socket to read (the caller's to close),
    // or -1 with the reason.
    int Start(QString& strError);
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> m_p;
};

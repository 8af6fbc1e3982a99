#pragma once

#include <QString>

#include <chrono>
#include <memory>

// Where Samba's nmbd holds the NetBIOS datagram port, it hands the datagrams for mailslots it
// does not serve itself to the clients of its "unexpected packet" socket. The relay asks it
// for our mailslot's datagrams and writes each into a socket pair, whole and once, so that the
// inbox reads them as it reads its own port. Nothing here waits on the caller's thread: nmbd's
// answer is awaited on the relay's own, and Stop wakes whatever it waits for.
class CNmbdRelay
{
public:
    // How long nmbd has to take the question, and how long after a failure it is asked again.
    struct Times
    {
        std::chrono::milliseconds answer;
        std::chrono::milliseconds retry;
    };
    static constexpr Times kDefaultTimes{std::chrono::seconds(5), std::chrono::seconds(2)};

    explicit CNmbdRelay(Times times = kDefaultTimes);
    ~CNmbdRelay();
    CNmbdRelay(const CNmbdRelay&) = delete;
    CNmbdRelay& operator=(const CNmbdRelay&) = delete;

    // nmbd's socket: TELLWICK_NMBD_SOCKET, else where Debian's Samba puts it.
    static QString SocketPath();
    // Whether an nmbd socket is there to be asked.
    static bool IsAvailable();

    // Connects to nmbd, asks it and starts relaying: the datagram socket to read (the caller's
    // to close), or -1 with the reason. A failure after the question is told on standard error,
    // once, and nmbd asked again until it answers.
    int Start(QString& strError);
    void Stop();

private:
    struct Impl;
    std::unique_ptr<Impl> m_p;
};

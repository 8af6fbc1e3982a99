#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// This computer's own inbox: a UDP socket that only one process can bind, standing in for a
// mailslot handle. A thread of its own sleeps in a blocking receive and takes every datagram
// into a queue as soon as it arrives, so a busy window never lets the system's buffer overflow;
// while the window counts often, the thread leaves that to the window's counts.
// The queue is bounded by bytes, not by count; when it is full the thread waits until the window
// has read some, and what the system then drops for want of room is counted, never lost
// unseen. Count and read take datagrams in arrival order. Over NetBIOS the inbox is the
// datagram port, or where Samba's nmbd holds that, what nmbd hands on; datagrams that are not
// writes to our mailslot are refused and counted.
class CMailslotInbox
{
public:
    // Error code of an inbox that was never opened, as the platform reports a bad handle.
    static constexpr quint32 kErrorInvalidHandle = 6;
    // Bytes one read can return; a longer datagram is cut to kReadSize - 1 bytes and a zero.
    static constexpr int kReadSize = 2000;
    // What the queue may hold, datagrams and their keeping counted together.
    static constexpr qsizetype kDefaultQueueLimit = qsizetype(64) << 20;
    // The system's buffer asked for: as large as it lets a user make it, for bursts that come
    // while the thread is not scheduled.
    static constexpr int kDefaultSystemBuffer = 8 << 20;

    explicit CMailslotInbox(qsizetype nQueueLimit = kDefaultQueueLimit,
                            int nSystemBuffer = kDefaultSystemBuffer);
    ~CMailslotInbox();
    CMailslotInbox(const CMailslotInbox&) = delete;
    CMailslotInbox& operator=(const CMailslotInbox&) = delete;

    // Opens the inbox on the mailslot port; false when another process owns it or the port
    // cannot be had.
    bool Create();
    bool IsValid() const;
    // The number of datagrams waiting now, without blocking; those the system holds included.
    bool GetInfo(int& nCount);
    // Removes the oldest waiting datagram and hands it out whole; false when none waits.
    bool Read(QByteArray& datagram);
    void Close();
    quint32 LastError() const;
    QString LastErrorText() const;
    // Whether the last Create failed because another process owns the port.
    bool IsTakenElsewhere() const;
    // What would mend the last Create's failure, as far as it is known; empty otherwise.
    QString Remedy() const;
    // Datagrams that reached this computer but were dropped by the system since the inbox was
    // opened, for want of room in its buffer.
    quint64 DroppedBySystem() const;
    // Datagrams refused as malformed or not for our mailslot since the inbox was opened.
    quint64 Refused() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_p;
};

#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

class CNetbiosNameResponder;
class CNmbdRelay;

// This computer's own inbox: a UDP socket that only one process can bind, standing in for a
// mailslot handle. A thread of its own sleeps in a blocking receive and takes every datagram
// into a queue as soon as it arrives, so a busy window never lets the system's buffer overflow.
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
    // Whether datagrams come through Samba's nmbd rather than from the port itself.
    bool IsThroughNmbd() const { return m_pRelay != nullptr; }
    bool IsValid() const { return m_fd >= 0; }
    // The number of datagrams waiting now, without blocking; those the system holds included.
    bool GetInfo(int& nCount);
    // Removes the oldest waiting datagram and hands it out whole; false when none waits.
    bool Read(QByteArray& datagram);
    void Close();
    quint32 LastError() const { return m_nLastError; }
    QString LastErrorText() const;
    // Whether the last Create failed because another process owns the port.
    bool IsTakenElsewhere() const;
    // Why the last Create failed, told with the port and what would mend it.
    QString WhyNotCreated() const;
    // Datagrams that reached this computer but were dropped by the system since the inbox was
    // opened, for want of room in its buffer.
    quint64 DroppedBySystem() const { return m_nDropped.load(std::memory_order_relaxed); }
    // Datagrams refused as malformed or not for our mailslot since the inbox was opened.
    quint64 Refused() const { return m_nRefused.load(std::memory_order_relaxed); }

private:
    struct Batch;

    // Binds the mailslot port; the socket, or -1 with the error kept.
    int BindPort();
    bool ReceiveThroughNmbd();
    void StartNameResponder();
    void StartReceiving(int fd);
    void Refuse();
    void ReceiveLoop();
    // Takes into the queue, without waiting, one batch of what the system holds: the number
    // taken, or -1 with errno when the socket failed. Callers hold m_receiving.
    int TakeBatch();
    bool IsFull() const { return m_nQueuedBytes >= m_nQueueLimit; }
    // The system's count of drops, from the socket or from a datagram; callers hold m_receiving.
    void ReadSystemDrops();
    void NoteDrops(quint32 nSystemCount);

    const qsizetype m_nQueueLimit;
    const int m_nSystemBuffer;
    int m_fd = -1;
    bool m_bNetbios = false;
    quint32 m_nLastError = kErrorInvalidHandle;
    std::unique_ptr<CNmbdRelay> m_pRelay;
    std::unique_ptr<CNetbiosNameResponder> m_pNameResponder;
    std::thread m_receiver;
    std::atomic<bool> m_bStopping{false};
    // Held while datagrams go from the socket into the queue, so they keep their order whoever
    // takes them in.
    std::mutex m_receiving;
    std::unique_ptr<Batch> m_pBatch; // buffers of whoever holds m_receiving
    // Held briefly for the queue itself.
    std::mutex m_queueMutex;
    std::condition_variable m_roomMade;
    bool m_bReceiverWaits = false;
    std::deque<QByteArray> m_queue;
    qsizetype m_nQueuedBytes = 0;
    quint32 m_nSystemDrops = 0; // the system's own count, which goes round at 2^32
    std::atomic<quint64> m_nDropped{0};
    std::atomic<quint64> m_nRefused{0};
};

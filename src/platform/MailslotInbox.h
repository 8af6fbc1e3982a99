#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <memory>

class QSocketNotifier;

// This computer's own inbox: a UDP socket that only one process can bind, standing in for a
// mailslot handle. Datagrams are drained from the socket into a queue whenever it is readable
// (and at every count), so a slow poll never lets the kernel's buffer overflow.
class CMailslotInbox : public QObject
{
    Q_OBJECT

public:
    // Error code of an inbox that was never opened, as the platform reports a bad handle.
    static constexpr quint32 kErrorInvalidHandle = 6;
    // Bytes one read can return; a longer datagram is cut to kReadSize - 1 bytes and a zero.
    static constexpr int kReadSize = 2000;

    explicit CMailslotInbox(QObject* pParent = nullptr);
    ~CMailslotInbox() override;

    // Opens the inbox on the mailslot port; false when another process owns it.
    bool Create();
    bool IsValid() const { return m_fd >= 0; }
    // The number of datagrams waiting now, without blocking.
    bool GetInfo(int& nCount);
    // Removes the oldest waiting datagram and hands it out whole; false when none waits.
    bool Read(QByteArray& datagram);
    void Close();
    quint32 LastError() const { return m_nLastError; }
    QString LastErrorText() const;
    // Whether the last Create failed because another process owns the port.
    bool IsTakenElsewhere() const;

private:
    bool Drain();

    int m_fd = -1;
    quint32 m_nLastError = kErrorInvalidHandle;
    std::deque<QByteArray> m_queue;
    std::unique_ptr<QSocketNotifier> m_pNotifier;
};

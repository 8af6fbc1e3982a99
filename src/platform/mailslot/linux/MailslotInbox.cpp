#include "platform/mailslot/MailslotInbox.h"

#include "platform/app/Logging.h"
#include "platform/mailslot/MailslotAddress.h"
#include "platform/mailslot/MailslotTransport.h"
#include "platform/netbios/PrivilegedPorts.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>
#include <cerrno>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sched.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

// What keeping one datagram in the queue costs beside its bytes.
constexpr qsizetype kKeepCost = 64;
// A count takes in at most this many batches itself: a sender faster than the inbox must not
// hold the window in the count.
constexpr int kBatchesPerCount = 64;
// How long the receiving thread leaves the socket to a window that counts often. Short: a
// sender on this computer needs several times as long to fill the buffer the system allows
// without privileges (some 400 KB).
constexpr std::chrono::microseconds kStepAside{100};

qsizetype Cost(const QByteArray& datagram)
{
    return datagram.size() + kKeepCost;
}

// The most the system charges to a socket's buffer for a datagram of nLength bytes that came in
// one frame: its bytes and the frame's buffer, a page at most, beside its bookkeeping. A longer
// one may come in fragments whose charge has no such bound.
constexpr qsizetype kLargestOneFrame = 1472;
constexpr qsizetype kOneFrameCharge = 8192;

// One recvmmsg call's buffers.
struct InboxBatch
{
    static constexpr int kSize = 32;

    // Each read takes a whole datagram of nRawSize bytes at most.
    explicit InboxBatch(int nRawSize) : nRawSize(nRawSize), data(size_t(kSize) * size_t(nRawSize))
    {
        for (int i = 0; i < kSize; ++i) {
            vectors[i] = {Buffer(i), size_t(nRawSize)};
            msghdr& header = headers[i].msg_hdr;
            header = {};
            header.msg_iov = &vectors[i];
            header.msg_iovlen = 1;
            header.msg_control = control[i].bytes;
            header.msg_controllen = sizeof control[i].bytes;
        }
    }
    InboxBatch(const InboxBatch&) = delete;
    InboxBatch& operator=(const InboxBatch&) = delete;
    char* Buffer(int i) { return data.data() + size_t(i) * size_t(nRawSize); }
    // The system shortens the control room of each header it fills, and only of those.
    void Reuse(int nFilled)
    {
        for (int i = 0; i < nFilled; ++i)
            headers[i].msg_hdr.msg_controllen = sizeof control[i].bytes;
    }

    const int nRawSize;
    std::vector<char> data;
    std::array<iovec, kSize> vectors;
    std::array<mmsghdr, kSize> headers;
    struct alignas(cmsghdr) Control
    {
        char bytes[CMSG_SPACE(sizeof(quint32))];
    };
    std::array<Control, kSize> control;
};

} // namespace

// The inbox's socket, its receiving thread and the queue between that and the window.
struct CMailslotInbox::Impl
{
    Impl(qsizetype nQueueLimit, int nSystemBuffer)
        : m_nQueueLimit(nQueueLimit), m_nSystemBuffer(nSystemBuffer)
    {
    }

    bool Create();
    void Close();
    bool GetInfo(int& nCount);
    bool Read(QByteArray& datagram);
    bool IsValid() const { return m_fd >= 0; }
    bool IsTakenElsewhere() const { return m_nLastError == quint32(EADDRINUSE); }
    QString Remedy() const;

    // Binds the mailslot port; the socket, or -1 with the error kept.
    int BindPort();
    void StartReceiving(int fd);
    void Refuse();
    void ReceiveLoop();
    // Takes into the queue, without waiting, one batch of what the system holds: the number
    // taken, or -1 with errno when the socket failed. Callers hold m_receiving.
    int TakeBatch();
    bool IsFull() const { return m_nQueuedBytes.load(std::memory_order_relaxed) >= m_nQueueLimit; }
    // Callers hold m_queueMutex.
    void AddQueuedBytes(qsizetype n)
    {
        m_nQueuedBytes.store(m_nQueuedBytes.load(std::memory_order_relaxed) + n,
                             std::memory_order_relaxed);
    }
    // The system drops only while its buffer is full. Whether it could have been since it was
    // last seen empty, from what was taken in since; callers hold m_receiving.
    void NoteCharge(qsizetype nLength);
    void NoteEmptied();
    // The system's count of drops, from the socket or from a datagram; callers hold m_receiving.
    void ReadSystemDrops();
    void NoteDrops(quint32 nSystemCount);

    const qsizetype m_nQueueLimit;
    const int m_nSystemBuffer;
    int m_fd = -1;
    const CMailslotTransport* m_pTransport = nullptr; // the one chosen when it was created
    quint32 m_nLastError = kErrorInvalidHandle;
    std::shared_ptr<void> m_pTransportService; // what the transport runs beside the socket
    std::thread m_receiver;
    std::atomic<bool> m_bStopping{false};
    std::atomic<quint32> m_nCounts{0}; // how often the window counted
    // Held while datagrams go from the socket into the queue, so they keep their order whoever
    // takes them in.
    std::mutex m_receiving;
    std::unique_ptr<InboxBatch> m_pBatch; // buffers of whoever holds m_receiving
    // Held briefly for the queue itself.
    std::mutex m_queueMutex;
    std::condition_variable m_roomMade;
    bool m_bReceiverWaits = false;
    std::deque<QByteArray> m_queue;
    // Changed only under m_queueMutex; read without it where a stale answer does no harm.
    std::atomic<qsizetype> m_nQueuedBytes{0};
    quint32 m_nSystemDrops = 0; // the system's own count, which goes round at 2^32
    qsizetype m_nSystemRoom = 0; // the socket's buffer as the system made it
    qsizetype m_nChargeSinceEmpty = 0; // at most, of what was taken in since
    std::atomic<quint64> m_nDropped{0};
    std::atomic<quint64> m_nRefused{0};
};

bool CMailslotInbox::Impl::Create()
{
    Close();
    m_pTransport = &MailslotTransport();
    m_pBatch = std::make_unique<InboxBatch>(m_pTransport->ReadSize());
    int fd = BindPort();
    if (fd >= 0)
        m_pTransportService = m_pTransport->ServeBesideInbox();
    else if (IsTakenElsewhere())
        fd = m_pTransport->ReceiveThroughHolder(m_pTransportService);
    if (fd < 0)
        return false;
    StartReceiving(fd);
    return true;
}

int CMailslotInbox::Impl::BindPort()
{
    // A program that held the right to bind its port did so at start, and has it no longer.
    int nError = 0;
    if (const int fdBound = CPrivilegedPorts::Take(MailslotPort(), nError); fdBound >= 0 || nError != 0) {
        m_nLastError = quint32(nError);
        return fdBound;
    }
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_nLastError = quint32(errno);
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(MailslotPort());
    // No SO_REUSEADDR: the bind must fail while another process owns the inbox.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        m_nLastError = quint32(errno);
        close(fd);
        return -1;
    }
    return fd;
}

void CMailslotInbox::Impl::StartReceiving(int fd)
{
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &m_nSystemBuffer, sizeof m_nSystemBuffer);
    int nRoom = 0;
    socklen_t nRoomLength = sizeof nRoom;
    getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &nRoom, &nRoomLength);
    m_nSystemRoom = nRoom;
    m_nChargeSinceEmpty = 0;
    // Every datagram then carries the system's count of those it dropped.
    const int nOn = 1;
    setsockopt(fd, SOL_SOCKET, SO_RXQ_OVFL, &nOn, sizeof nOn);
    m_fd = fd;
    m_nLastError = 0;
    m_nSystemDrops = 0;
    m_nDropped = 0;
    m_nRefused = 0;
    m_bStopping = false;
    try {
        m_receiver = std::thread(&Impl::ReceiveLoop, this);
    } catch (const std::system_error& error) {
        // The window's polls still take the datagrams in, only less often.
        qCWarning(lcMailslot).noquote() << "inbox: no thread to receive with -" << error.what();
    }
}

void CMailslotInbox::Impl::Close()
{
    if (m_receiver.joinable()) {
        m_bStopping = true;
        // Wakes the blocking receive, which then finds the socket shut.
        shutdown(m_fd, SHUT_RD);
        { const std::lock_guard lock(m_queueMutex); }
        m_roomMade.notify_all();
        m_receiver.join();
    }
    m_pTransportService.reset();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    const std::lock_guard lock(m_queueMutex);
    m_queue.clear();
    m_nQueuedBytes = 0;
    m_nLastError = kErrorInvalidHandle;
}

bool CMailslotInbox::Impl::GetInfo(int& nCount)
{
    if (!IsValid()) {
        m_nLastError = kErrorInvalidHandle;
        return false;
    }
    m_nCounts.fetch_add(1, std::memory_order_relaxed);
    {
        const std::lock_guard receiving(m_receiving);
        int nTaken = 0;
        for (int i = 0; i < kBatchesPerCount; ++i) {
            nTaken = TakeBatch();
            if (nTaken < 0) {
                m_nLastError = quint32(errno);
                return false;
            }
            if (nTaken < InboxBatch::kSize)
                break;
        }
        // A backlog that keeps every count busy never lets the socket be seen empty.
        if (nTaken == InboxBatch::kSize)
            ReadSystemDrops();
    }
    const std::lock_guard lock(m_queueMutex);
    nCount = int(m_queue.size());
    return true;
}

bool CMailslotInbox::Impl::Read(QByteArray& datagram)
{
    std::unique_lock lock(m_queueMutex);
    if (m_queue.empty()) {
        m_nLastError = IsValid() ? quint32(EAGAIN) : kErrorInvalidHandle;
        return false;
    }
    datagram = std::move(m_queue.front());
    m_queue.pop_front();
    AddQueuedBytes(-Cost(datagram));
    const bool bWake = m_bReceiverWaits && !IsFull();
    lock.unlock();
    if (bWake)
        m_roomMade.notify_one();
    return true;
}



QString CMailslotInbox::Impl::Remedy() const
{
    if (m_nLastError == quint32(EACCES) || m_nLastError == quint32(EPERM)) {
        return QStringLiteral("ports below 1024 need the capability CAP_NET_BIND_SERVICE, "
                              "which the package gives the program");
    }
    if (IsTakenElsewhere())
        return m_pTransport->TakenPortRemedy();
    return {};
}

void CMailslotInbox::Impl::ReceiveLoop()
{
    // A datagram that comes while the window runs must not preempt it: the window takes it in
    // at its next count. A batch thread still has its whole share of the processor.
    const sched_param batch{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    quint32 nCountsSeen = m_nCounts.load(std::memory_order_relaxed);
    while (!m_bStopping) {
        // While the window counts often it takes in what comes itself. A thread that waited in
        // the socket meanwhile would cost every datagram a wake-up, and the two each other's lock.
        const quint32 nCounts = m_nCounts.load(std::memory_order_relaxed);
        if (nCounts != nCountsSeen) {
            nCountsSeen = nCounts;
            std::this_thread::sleep_for(kStepAside);
            continue;
        }
        // Sleeps until a datagram is there, leaving it in the socket for the batch below.
        const ssize_t n = recv(m_fd, nullptr, 0, MSG_PEEK | MSG_TRUNC);
        if (m_bStopping)
            return;
        if (n < 0 && errno == EINTR)
            continue;
        if (n >= 0) {
            std::unique_lock lock(m_queueMutex);
            m_bReceiverWaits = true;
            m_roomMade.wait(lock, [this] { return m_bStopping || !IsFull(); });
            m_bReceiverWaits = false;
            if (m_bStopping)
                return;
            lock.unlock();
            const std::lock_guard receiving(m_receiving);
            if (TakeBatch() >= 0)
                continue;
        }
        qCWarning(lcMailslot).noquote()
            << "inbox: receiving stopped -" << qt_error_string(errno)
            << "- messages are taken in only when the inbox is read";
        return;
    }
}

int CMailslotInbox::Impl::TakeBatch()
{
    if (IsFull()) {
        // Nothing is taken in, so the system's buffer may fill and drop.
        ReadSystemDrops();
        return 0;
    }
    InboxBatch& batch = *m_pBatch;
    // MSG_TRUNC: each length is the datagram's own, also where only kReadSize bytes fit.
    int nTaken = 0;
    do {
        nTaken = recvmmsg(m_fd, batch.headers.data(), InboxBatch::kSize, MSG_DONTWAIT | MSG_TRUNC, nullptr);
    } while (nTaken < 0 && errno == EINTR);
    if (nTaken < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
        return -1;
    nTaken = std::max(nTaken, 0);

    for (int i = 0; i < nTaken; ++i) {
        NoteCharge(qsizetype(batch.headers[i].msg_len));
        msghdr& header = batch.headers[i].msg_hdr;
        for (cmsghdr* pControl = CMSG_FIRSTHDR(&header); pControl; pControl = CMSG_NXTHDR(&header, pControl)) {
            if (pControl->cmsg_level == SOL_SOCKET && pControl->cmsg_type == SO_RXQ_OVFL) {
                quint32 nCount = 0;
                memcpy(&nCount, CMSG_DATA(pControl), sizeof nCount);
                NoteDrops(nCount);
            }
        }
    }
    batch.Reuse(nTaken);
    // Fewer than asked for: the socket held no more.
    if (nTaken < InboxBatch::kSize)
        NoteEmptied();
    const std::lock_guard lock(m_queueMutex);
    for (int i = 0; i < nTaken; ++i) {
        const qsizetype nLength = qsizetype(batch.headers[i].msg_len);
        const QByteArrayView bytes(batch.Buffer(i), std::min(nLength, qsizetype(batch.nRawSize)));
        std::optional<QByteArray> message = m_pTransport->Unwrap(bytes);
        if (!message) {
            Refuse();
            continue;
        }
        // A datagram's own length tells that the read cut it.
        if (nLength > batch.nRawSize || message->size() > kReadSize) {
            // Too long for one read: keep what fits, ended by a zero so the text stays 1999 bytes.
            message->truncate(kReadSize);
            message->back() = '\0';
        }
        m_queue.push_back(std::move(*message));
        AddQueuedBytes(Cost(m_queue.back()));
    }
    return nTaken;
}

void CMailslotInbox::Impl::Refuse()
{
    // Told once: a network full of other NetBIOS traffic must not fill the log.
    if (m_nRefused.fetch_add(1, std::memory_order_relaxed) == 0) {
        qCWarning(lcMailslot).noquote()
            << "refused a datagram that is not a message to this program's mailslot; further ones are only counted";
    }
}

void CMailslotInbox::Impl::NoteCharge(qsizetype nLength)
{
    m_nChargeSinceEmpty += nLength <= kLargestOneFrame ? kOneFrameCharge : m_nSystemRoom;
}

void CMailslotInbox::Impl::NoteEmptied()
{
    // Drops that came after the last datagram are counted in none; the socket's own count is a
    // system call more, asked only when its buffer could have filled, with room to spare.
    if (m_nChargeSinceEmpty > m_nSystemRoom / 2)
        ReadSystemDrops();
    m_nChargeSinceEmpty = 0;
}

void CMailslotInbox::Impl::ReadSystemDrops()
{
    std::array<quint32, SK_MEMINFO_VARS> memory{};
    socklen_t nLength = sizeof memory;
    if (getsockopt(m_fd, SOL_SOCKET, SO_MEMINFO, memory.data(), &nLength) == 0 &&
        nLength > SK_MEMINFO_DROPS * sizeof(quint32))
        NoteDrops(memory[SK_MEMINFO_DROPS]);
}

void CMailslotInbox::Impl::NoteDrops(quint32 nSystemCount)
{
    // The count only grows (and goes round); one read before a datagram that was counted
    // earlier must not count backwards.
    const quint32 nNew = nSystemCount - m_nSystemDrops;
    if (nNew == 0 || nNew >= 0x80000000u)
        return;
    m_nSystemDrops = nSystemCount;
    m_nDropped += nNew;
}

CMailslotInbox::CMailslotInbox(qsizetype nQueueLimit, int nSystemBuffer)
    : m_p(std::make_unique<Impl>(nQueueLimit, nSystemBuffer))
{
}

CMailslotInbox::~CMailslotInbox()
{
    m_p->Close();
}

bool CMailslotInbox::Create()
{
    return m_p->Create();
}

bool CMailslotInbox::IsValid() const
{
    return m_p->IsValid();
}

bool CMailslotInbox::GetInfo(int& nCount)
{
    return m_p->GetInfo(nCount);
}

bool CMailslotInbox::Read(QByteArray& datagram)
{
    return m_p->Read(datagram);
}

void CMailslotInbox::Close()
{
    m_p->Close();
}

quint32 CMailslotInbox::LastError() const
{
    return m_p->m_nLastError;
}

QString CMailslotInbox::LastErrorText() const
{
    return qt_error_string(int(m_p->m_nLastError));
}

bool CMailslotInbox::IsTakenElsewhere() const
{
    return m_p->IsTakenElsewhere();
}

QString CMailslotInbox::Remedy() const
{
    return m_p->Remedy();
}

quint64 CMailslotInbox::DroppedBySystem() const
{
    return m_p->m_nDropped.load(std::memory_order_relaxed);
}

quint64 CMailslotInbox::Refused() const
{
    return m_p->m_nRefused.load(std::memory_order_relaxed);
}

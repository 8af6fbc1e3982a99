#include "platform/MailslotInbox.h"

#include "platform/ComputerName.h"
#include "platform/Logging.h"
#include "platform/MailslotAddress.h"
#include "platform/MailslotDatagram.h"
#include "platform/MailslotTransport.h"
#include "platform/NetbiosMailslot.h"
#include "platform/NetbiosNamePacket.h"
#include "platform/NetbiosNameResponder.h"
#include "platform/NmbdRelay.h"

#include <array>
#include <cerrno>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace {

// What keeping one datagram in the queue costs beside its bytes.
constexpr qsizetype kKeepCost = 64;
// A count takes in at most this many batches itself: a sender faster than the inbox must not
// hold the window in the count.
constexpr int kBatchesPerCount = 64;

qsizetype Cost(const QByteArray& datagram)
{
    return datagram.size() + kKeepCost;
}

} // namespace

struct CMailslotInbox::Batch
{
    static constexpr int kSize = 32;

    // Each read takes a whole datagram of nRawSize bytes at most.
    explicit Batch(int nRawSize) : nRawSize(nRawSize), data(size_t(kSize) * size_t(nRawSize)) {}
    char* Buffer(int i) { return data.data() + size_t(i) * size_t(nRawSize); }

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

CMailslotInbox::CMailslotInbox(qsizetype nQueueLimit, int nSystemBuffer)
    : m_nQueueLimit(nQueueLimit), m_nSystemBuffer(nSystemBuffer)
{
}

CMailslotInbox::~CMailslotInbox()
{
    Close();
}

bool CMailslotInbox::Create()
{
    Close();
    m_bNetbios = CurrentMailslotTransport() == MailslotTransport::Netbios;
    // A NetBIOS datagram is read whole before the message in it is cut to what one read shows.
    m_pBatch = std::make_unique<Batch>(m_bNetbios ? int(kMaxNetbiosDatagram) : kReadSize);
    const int fd = BindPort();
    if (fd >= 0) {
        if (m_bNetbios)
            StartNameResponder();
        StartReceiving(fd);
        return true;
    }
    return m_bNetbios && IsTakenElsewhere() && CNmbdRelay::IsAvailable() && ReceiveThroughNmbd();
}

int CMailslotInbox::BindPort()
{
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

bool CMailslotInbox::ReceiveThroughNmbd()
{
    auto pRelay = std::make_unique<CNmbdRelay>();
    QString strError;
    const int fd = pRelay->Start(strError);
    if (fd < 0) {
        qCWarning(lcMailslot).noquote() << "cannot receive through Samba's nmbd:" << strError;
        return false;
    }
    qCInfo(lcMailslot).noquote() << "Samba's nmbd holds UDP port" << MailslotPort()
                                 << "- receiving through it, at" << CNmbdRelay::SocketPath();
    m_pRelay = std::move(pRelay);
    // nmbd answers for this computer's name itself.
    StartReceiving(fd);
    return true;
}

void CMailslotInbox::StartNameResponder()
{
    auto pResponder = std::make_unique<CNetbiosNameResponder>();
    if (!pResponder->Start(GetComputerName(), kNetbiosNamePort)) {
        qCInfo(lcMailslot).noquote() << "this computer's NetBIOS name is not answered here: UDP port"
                                     << kNetbiosNamePort << "-" << pResponder->ErrorText();
        return;
    }
    m_pNameResponder = std::move(pResponder);
}

void CMailslotInbox::StartReceiving(int fd)
{
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &m_nSystemBuffer, sizeof m_nSystemBuffer);
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
        m_receiver = std::thread(&CMailslotInbox::ReceiveLoop, this);
    } catch (const std::system_error& error) {
        // The window's polls still take the datagrams in, only less often.
        qCWarning(lcMailslot).noquote() << "inbox: no thread to receive with -" << error.what();
    }
}

void CMailslotInbox::Close()
{
    if (m_receiver.joinable()) {
        m_bStopping = true;
        // Wakes the blocking receive, which then finds the socket shut.
        shutdown(m_fd, SHUT_RD);
        { const std::lock_guard lock(m_queueMutex); }
        m_roomMade.notify_all();
        m_receiver.join();
    }
    m_pRelay.reset();
    m_pNameResponder.reset();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    const std::lock_guard lock(m_queueMutex);
    m_queue.clear();
    m_nQueuedBytes = 0;
    m_nLastError = kErrorInvalidHandle;
}

bool CMailslotInbox::GetInfo(int& nCount)
{
    if (!IsValid()) {
        m_nLastError = kErrorInvalidHandle;
        return false;
    }
    {
        const std::lock_guard receiving(m_receiving);
        for (int i = 0; i < kBatchesPerCount; ++i) {
            const int nTaken = TakeBatch();
            if (nTaken < 0) {
                m_nLastError = quint32(errno);
                return false;
            }
            if (nTaken < Batch::kSize)
                break;
        }
        // Also while the queue is full, when nothing is taken in.
        ReadSystemDrops();
    }
    const std::lock_guard lock(m_queueMutex);
    nCount = int(m_queue.size());
    return true;
}

bool CMailslotInbox::Read(QByteArray& datagram)
{
    std::unique_lock lock(m_queueMutex);
    if (m_queue.empty()) {
        m_nLastError = IsValid() ? quint32(EAGAIN) : kErrorInvalidHandle;
        return false;
    }
    datagram = std::move(m_queue.front());
    m_queue.pop_front();
    m_nQueuedBytes -= Cost(datagram);
    const bool bWake = m_bReceiverWaits && !IsFull();
    lock.unlock();
    if (bWake)
        m_roomMade.notify_one();
    return true;
}

QString CMailslotInbox::LastErrorText() const
{
    return qt_error_string(int(m_nLastError));
}

bool CMailslotInbox::IsTakenElsewhere() const
{
    return m_nLastError == quint32(EADDRINUSE);
}

QString CMailslotInbox::WhyNotCreated() const
{
    const QString strPort = QStringLiteral("UDP port %1").arg(MailslotPort());
    if (m_nLastError == quint32(EACCES) || m_nLastError == quint32(EPERM)) {
        return QStringLiteral("%1: %2 - the program needs the right to use ports below 1024 "
                              "(the capability CAP_NET_BIND_SERVICE, which its package sets)")
            .arg(strPort, LastErrorText());
    }
    if (IsTakenElsewhere()) {
        return QStringLiteral("%1 is in use by another program, and no Samba nmbd at %2 passes messages on")
            .arg(strPort, CNmbdRelay::SocketPath());
    }
    return QStringLiteral("%1: %2").arg(strPort, LastErrorText());
}

void CMailslotInbox::ReceiveLoop()
{
    while (!m_bStopping) {
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

int CMailslotInbox::TakeBatch()
{
    {
        const std::lock_guard lock(m_queueMutex);
        if (IsFull())
            return 0;
    }
    Batch& batch = *m_pBatch;
    for (int i = 0; i < Batch::kSize; ++i) {
        batch.vectors[i] = {batch.Buffer(i), size_t(batch.nRawSize)};
        msghdr& header = batch.headers[i].msg_hdr;
        header = {};
        header.msg_iov = &batch.vectors[i];
        header.msg_iovlen = 1;
        header.msg_control = batch.control[i].bytes;
        header.msg_controllen = sizeof batch.control[i].bytes;
    }
    // MSG_TRUNC: each length is the datagram's own, also where only kReadSize bytes fit.
    int nTaken = 0;
    do {
        nTaken = recvmmsg(m_fd, batch.headers.data(), Batch::kSize, MSG_DONTWAIT | MSG_TRUNC, nullptr);
    } while (nTaken < 0 && errno == EINTR);
    if (nTaken < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
        return -1;
    nTaken = std::max(nTaken, 0);

    for (int i = 0; i < nTaken; ++i) {
        msghdr& header = batch.headers[i].msg_hdr;
        for (cmsghdr* pControl = CMSG_FIRSTHDR(&header); pControl; pControl = CMSG_NXTHDR(&header, pControl)) {
            if (pControl->cmsg_level == SOL_SOCKET && pControl->cmsg_type == SO_RXQ_OVFL) {
                quint32 nCount = 0;
                memcpy(&nCount, CMSG_DATA(pControl), sizeof nCount);
                NoteDrops(nCount);
            }
        }
    }
    // The socket ran empty: drops after the last datagram show only in the socket's count.
    if (nTaken < Batch::kSize)
        ReadSystemDrops();

    const std::lock_guard lock(m_queueMutex);
    for (int i = 0; i < nTaken; ++i) {
        const qsizetype nLength = qsizetype(batch.headers[i].msg_len);
        QByteArrayView bytes(batch.Buffer(i), std::min(nLength, qsizetype(batch.nRawSize)));
        std::optional<QByteArray> unwrapped;
        if (m_bNetbios) {
            unwrapped = UnwrapNetbiosWrite(bytes);
            if (!unwrapped) {
                Refuse();
                continue;
            }
            bytes = *unwrapped;
        }
        // A plain datagram's own length tells that it was cut by the read.
        if ((m_bNetbios ? bytes.size() : nLength) > kReadSize) {
            // Too long for one read: keep what fits, ended by a zero so the text stays 1999 bytes.
            QByteArray cut = bytes.first(kReadSize).toByteArray();
            cut[kReadSize - 1] = '\0';
            m_queue.push_back(std::move(cut));
        } else {
            m_queue.push_back(bytes.toByteArray());
        }
        m_nQueuedBytes += Cost(m_queue.back());
    }
    return nTaken;
}

void CMailslotInbox::Refuse()
{
    // Told once: a network full of other NetBIOS traffic must not fill the log.
    if (m_nRefused.fetch_add(1, std::memory_order_relaxed) == 0) {
        qCWarning(lcMailslot).noquote()
            << "refused a datagram that is not a message to this program's mailslot; further ones are only counted";
    }
}

void CMailslotInbox::ReadSystemDrops()
{
    std::array<quint32, SK_MEMINFO_VARS> memory{};
    socklen_t nLength = sizeof memory;
    if (getsockopt(m_fd, SOL_SOCKET, SO_MEMINFO, memory.data(), &nLength) == 0 &&
        nLength > SK_MEMINFO_DROPS * sizeof(quint32))
        NoteDrops(memory[SK_MEMINFO_DROPS]);
}

void CMailslotInbox::NoteDrops(quint32 nSystemCount)
{
    // The count only grows (and goes round); one read before a datagram that was counted
    // earlier must not count backwards.
    const quint32 nNew = nSystemCount - m_nSystemDrops;
    if (nNew == 0 || nNew >= 0x80000000u)
        return;
    m_nSystemDrops = nSystemCount;
    m_nDropped += nNew;
}

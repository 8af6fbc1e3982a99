#include "platform/netbios/linux/NmbdRelay.h"

#include "platform/app/Logging.h"
#include "platform/netbios/MailslotDatagram.h"
#include "platform/netbios/NetbiosMailslot.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <ctime>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

// nmbd's own records, laid out as its C compiler on this machine lays them out; the same
// compiler's layout here matches it.
enum NmbdPacketType : int
{
    kNameServicePacket = 0,
    kDatagramPacket = 1,
};

struct NmbdQuery
{
    NmbdPacketType type;
    size_t mailslotNameLength;
    int transactionId; // -1: any
};

struct NmbdPacketHeader
{
    size_t length;
    NmbdPacketType type;
    time_t timestamp;
    in_addr ip;
    int port;
};

// nmbd hands on no packet longer than its buffer; anything longer means the stream is lost.
constexpr size_t kMaxNmbdPacket = size_t{64} * 1024;
// A broadcast reaches nmbd on more than one of its sockets, and each hands it on: the same
// datagram (with its id) again within this time is that copy.
constexpr auto kRepeatWindow = std::chrono::seconds(2);
constexpr size_t kRepeatsKept = 16;

bool ReadWhole(int fd, void* pBuffer, size_t nSize)
{
    auto* p = static_cast<char*>(pBuffer);
    while (nSize > 0) {
        const ssize_t n = read(fd, p, nSize);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        nSize -= size_t(n);
    }
    return true;
}

} // namespace

struct CNmbdRelay::Impl
{
    explicit Impl(Times times) : times(times) {}

    const Times times;
    std::atomic<int> nmbd{-1}; // changed under mutex, where Stop shuts it to wake the pump
    int out = -1;
    std::thread pump;
    std::atomic<bool> bStopping{false};
    std::mutex mutex;
    std::condition_variable stopped;
    std::deque<std::pair<QByteArray, std::chrono::steady_clock::time_point>> recent;
    bool bToldCut = false;
    bool bTroubleTold = false; // and nothing relayed since

    // A connection to nmbd that has been asked for our mailslot, or -1 with the reason. Never
    // waits: a socket whose queue of connections is full has not answered either.
    static int Ask(QString& strError);
    // Waits, at most times.answer, for nmbd to take the question on the connection.
    bool AwaitAnswer(QString& strError);
    void Pump();
    // Relays what nmbd hands on until the connection breaks or the relay stops.
    void ReadPackets();
    void Relay(QByteArrayView packet);
    bool IsRepeat(const QByteArray& packet);
    // strWhy empty: the connection was lost.
    void TellTrouble(const QString& strWhy);
};

int CNmbdRelay::Impl::Ask(QString& strError)
{
    const QByteArray path = QFile::encodeName(SocketPath());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path) {
        strError = qt_error_string(ENAMETOOLONG);
        return -1;
    }
    memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        strError = qt_error_string(errno);
        return -1;
    }
    const size_t nNameLength = strlen(kNetbiosMailslotName);
    const NmbdQuery query{kDatagramPacket, nNameLength, -1};
    // The question is short enough to go out in one piece on a new connection.
    QByteArray question(reinterpret_cast<const char*>(&query), sizeof query);
    question.append(kNetbiosMailslotName);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        strError = errno == EAGAIN ? QStringLiteral("it takes no more connections") : qt_error_string(errno);
        close(fd);
        return -1;
    }
    if (const ssize_t nSent = send(fd, question.constData(), size_t(question.size()), MSG_NOSIGNAL);
        nSent != question.size()) {
        strError = nSent < 0 ? qt_error_string(errno) : QStringLiteral("it took only part of the question");
        close(fd);
        return -1;
    }
    return fd;
}

bool CNmbdRelay::Impl::AwaitAnswer(QString& strError)
{
    const int fd = nmbd;
    const QDeadlineTimer deadline(times.answer);
    pollfd wait{fd, POLLIN, 0};
    int nReady = 0;
    do {
        nReady = poll(&wait, 1, int(deadline.remainingTime()));
    } while (nReady < 0 && errno == EINTR);
    char ack = 1;
    const ssize_t n = nReady > 0 ? recv(fd, &ack, 1, MSG_DONTWAIT) : -1;
    if (nReady == 0)
        strError = QStringLiteral("no answer within %1 ms").arg(times.answer.count());
    else if (n < 0)
        strError = qt_error_string(errno);
    else if (n == 0)
        strError = QStringLiteral("it closed the connection without an answer");
    else if (ack != 0)
        strError = QStringLiteral("it answered %1, not 0 (yes)").arg(int(uchar(ack)));
    else
        // What it then hands on is read waiting, until Stop shuts the connection.
        return fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0;
    return false;
}

void CNmbdRelay::Impl::Pump()
{
    for (;;) {
        QString strWhy;
        if (AwaitAnswer(strWhy))
            ReadPackets();
        if (bStopping)
            return;
        TellTrouble(strWhy);
        std::unique_lock lock(mutex);
        close(nmbd.exchange(-1));
        // nmbd went away (restarted, say) or did not answer: ask again until one answers.
        for (;;) {
            if (stopped.wait_for(lock, times.retry, [this] { return bStopping.load(); }))
                return;
            QString strAskError;
            nmbd = Ask(strAskError);
            if (nmbd >= 0)
                break;
            lock.unlock();
            TellTrouble(strAskError);
            lock.lock();
        }
    }
}

void CNmbdRelay::Impl::ReadPackets()
{
    QByteArray packet;
    while (!bStopping) {
        NmbdPacketHeader header{};
        if (!ReadWhole(nmbd, &header, sizeof header) || header.length > kMaxNmbdPacket)
            return;
        packet.resize(qsizetype(header.length));
        if (!ReadWhole(nmbd, packet.data(), header.length))
            return;
        if (std::exchange(bTroubleTold, false))
            qCInfo(lcMailslot).noquote() << "receiving through Samba's nmbd again";
        if (header.type == kDatagramPacket)
            Relay(packet);
    }
}

void CNmbdRelay::Impl::TellTrouble(const QString& strWhy)
{
    // Once until something comes through again: a relay that breaks at every try must not
    // fill the log every few seconds.
    if (std::exchange(bTroubleTold, true))
        return;
    if (strWhy.isEmpty()) {
        qCWarning(lcMailslot).noquote() << "lost Samba's nmbd at" << SocketPath()
                                        << "- no message arrives until it is back";
    } else {
        qCWarning(lcMailslot).noquote() << "cannot receive through Samba's nmbd at" << SocketPath()
                                        << "-" << strWhy << "- no message arrives until it answers";
    }
}

void CNmbdRelay::Impl::Relay(QByteArrayView packet)
{
    std::optional<MailslotDatagram> datagram = DecodeMailslotDatagram(packet);
    if (!datagram) {
        datagram = DecodeMailslotDatagram(packet, DatagramEnd::MayBeCut);
        if (datagram && !bToldCut) {
            qCWarning(lcMailslot).noquote()
                << "Samba's nmbd passed on only the first" << packet.size()
                << "bytes of a datagram: longer messages arrive cut";
            bToldCut = true;
        }
    }
    if (!datagram)
        return;
    // Cut or whole, the inbox gets a datagram that is whole in itself.
    const std::optional<QByteArray> whole = EncodeMailslotDatagram(*datagram);
    if (!whole || IsRepeat(*whole))
        return;
    while (send(out, whole->constData(), size_t(whole->size()), MSG_NOSIGNAL) < 0 && errno == EINTR) {
    }
}

bool CNmbdRelay::Impl::IsRepeat(const QByteArray& packet)
{
    const auto now = std::chrono::steady_clock::now();
    while (!recent.empty() && (now - recent.front().second > kRepeatWindow || recent.size() >= kRepeatsKept))
        recent.pop_front();
    for (const auto& [seen, time] : recent) {
        if (seen == packet)
            return true;
    }
    recent.emplace_back(packet, now);
    return false;
}

CNmbdRelay::CNmbdRelay(Times times) : m_p(std::make_unique<Impl>(times)) {}

CNmbdRelay::~CNmbdRelay()
{
    Stop();
}

QString CNmbdRelay::SocketPath()
{
    const QString path = qEnvironmentVariable("TELLWICK_NMBD_SOCKET");
    return path.isEmpty() ? QStringLiteral("/run/samba/nmbd/unexpected") : path;
}

bool CNmbdRelay::IsAvailable()
{
    return QFileInfo::exists(SocketPath());
}

int CNmbdRelay::Start(QString& strError)
{
    Stop();
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0, pair) != 0) {
        strError = qt_error_string(errno);
        return -1;
    }
    QString strWhy;
    m_p->nmbd = Impl::Ask(strWhy);
    if (m_p->nmbd < 0) {
        strError = QStringLiteral("%1: %2").arg(SocketPath(), strWhy);
        close(pair[0]);
        close(pair[1]);
        return -1;
    }
    m_p->out = pair[1];
    m_p->bStopping = false;
    m_p->bTroubleTold = false;
    try {
        m_p->pump = std::thread(&Impl::Pump, m_p.get());
    } catch (const std::system_error& error) {
        strError = QString::fromLocal8Bit(error.what());
        Stop();
        close(pair[0]);
        return -1;
    }
    return pair[0];
}

void CNmbdRelay::Stop()
{
    if (m_p->pump.joinable()) {
        {
            const std::lock_guard lock(m_p->mutex);
            m_p->bStopping = true;
            // Wakes the read from nmbd, which then finds the relay stopping.
            if (m_p->nmbd >= 0)
                shutdown(m_p->nmbd, SHUT_RDWR);
        }
        m_p->stopped.notify_all();
        m_p->pump.join();
    }
    if (const int nmbd = m_p->nmbd.exchange(-1); nmbd >= 0)
        close(nmbd);
    if (m_p->out >= 0)
        close(m_p->out);
    m_p->out = -1;
}

#include "platform/MailslotInbox.h"

#include "platform/MailslotAddress.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A flood must not exhaust memory: past this many unread datagrams new ones are dropped, as a
// full kernel buffer would drop them.
constexpr size_t kMaxQueued = 10000;
constexpr int kReceiveBuffer = 1 << 20;

} // namespace

CMailslotInbox::CMailslotInbox(QObject* pParent) : QObject(pParent) {}

CMailslotInbox::~CMailslotInbox()
{
    Close();
}

bool CMailslotInbox::Create()
{
    Close();
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        m_nLastError = quint32(errno);
        return false;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    address.sin_port = htons(MailslotPort());
    // No SO_REUSEADDR: the bind must fail while another process owns the inbox.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        m_nLastError = quint32(errno);
        close(fd);
        return false;
    }
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &kReceiveBuffer, sizeof kReceiveBuffer);
    m_fd = fd;
    m_nLastError = 0;
    m_pNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, [this] { Drain(); });
    return true;
}

bool CMailslotInbox::GetInfo(int& nCount)
{
    if (!Drain())
        return false;
    nCount = int(m_queue.size());
    return true;
}

bool CMailslotInbox::Read(QByteArray& datagram)
{
    if (m_queue.empty()) {
        m_nLastError = IsValid() ? quint32(EAGAIN) : kErrorInvalidHandle;
        return false;
    }
    datagram = std::move(m_queue.front());
    m_queue.pop_front();
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

void CMailslotInbox::Close()
{
    m_pNotifier.reset();
    if (m_fd >= 0)
        close(m_fd);
    m_fd = -1;
    m_queue.clear();
    m_nLastError = kErrorInvalidHandle;
}

bool CMailslotInbox::Drain()
{
    if (!IsValid()) {
        m_nLastError = kErrorInvalidHandle;
        return false;
    }
    char buffer[kReadSize];
    for (;;) {
        // MSG_TRUNC reports the datagram's real length while copying only what fits.
        const ssize_t n = recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                return true;
            m_nLastError = quint32(errno);
            return false;
        }
        if (m_queue.size() >= kMaxQueued)
            continue;
        if (n > kReadSize) {
            // Too long for one read: keep what fits, ended by a zero so the text stays 1999 bytes.
            QByteArray cut(buffer, kReadSize);
            cut[kReadSize - 1] = '\0';
            m_queue.push_back(std::move(cut));
        } else {
            m_queue.emplace_back(buffer, qsizetype(n));
        }
    }
}

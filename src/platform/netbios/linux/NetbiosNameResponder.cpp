#include "platform/netbios/NetbiosNameResponder.h"

#include "platform/mailslot/NetworkAddresses.h"
#include "platform/netbios/NetbiosNamePacket.h"
#include "platform/netbios/PrivilegedPorts.h"

#include <QSocketNotifier>

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// How long askers may keep the answer, in seconds: Windows keeps broadcast answers briefly.
constexpr quint32 kAnswerTtl = 300;
constexpr qsizetype kMaxQuery = 576;

int BindPort(quint16 port, int& nError)
{
    const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        nError = errno;
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    // No SO_REUSEADDR: where a name service already answers, the bind fails and it keeps doing so.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        nError = errno;
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

CNetbiosNameResponder::CNetbiosNameResponder(QObject* pParent) : QObject(pParent) {}

CNetbiosNameResponder::~CNetbiosNameResponder()
{
    if (m_pNotifier)
        close(int(m_pNotifier->socket()));
}

bool CNetbiosNameResponder::Start(const QByteArray& name, quint16 port)
{
    m_name = name.toUpper();
    // A program that held the right to bind the port did so at start, and has it no longer.
    int nError = 0;
    int fd = CPrivilegedPorts::Take(port, nError);
    if (fd < 0 && nError == 0)
        fd = BindPort(port, nError);
    if (fd < 0) {
        m_strError = qt_error_string(nError);
        return false;
    }
    m_pNotifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    connect(m_pNotifier.get(), &QSocketNotifier::activated, this, &CNetbiosNameResponder::Answer);
    return true;
}

quint16 CNetbiosNameResponder::Port() const
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (!m_pNotifier
        || getsockname(int(m_pNotifier->socket()), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}

void CNetbiosNameResponder::Answer()
{
    const int fd = int(m_pNotifier->socket());
    // What is left waits for the next turn of the event loop, which the window shares.
    for (int i = 0; i < kQueriesPerWake; ++i) {
        char buffer[kMaxQuery];
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t n = recvfrom(fd, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (n < 0)
            return;
        const std::optional<NetbiosNameQuery> query = DecodeNameQuery(QByteArrayView(buffer, qsizetype(n)));
        if (!query || query->name.type != 0x00 || !query->name.scope.isEmpty()
            || query->name.name.toUpper() != m_name)
            continue;
        const NetbiosNameAnswer answer{query->id, query->name, {LocalAddressFor(ntohl(from.sin_addr.s_addr))}, kAnswerTtl};
        if (const std::optional<QByteArray> packet = EncodeNameAnswer(answer))
            sendto(fd, packet->constData(), size_t(packet->size()), MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&from), fromSize);
    }
}

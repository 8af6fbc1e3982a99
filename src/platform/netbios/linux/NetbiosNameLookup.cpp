#include "platform/netbios/NetbiosNameLookup.h"

#include "platform/netbios/NetbiosNamePacket.h"

#include <QDeadlineTimer>
#include <QRandomGenerator>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kTries = 3;
constexpr qsizetype kMaxAnswer = 1500;

class CSocket
{
public:
    CSocket() : m_fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~CSocket()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    CSocket(const CSocket&) = delete;
    CSocket& operator=(const CSocket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

std::vector<quint32> LookupNetbiosName(const QByteArray& name, const std::vector<quint32>& targets,
                                       quint16 port, int timeoutMs)
{
    NetbiosNameQuery query;
    query.id = quint16(QRandomGenerator::global()->generate());
    query.name = {name.toUpper(), 0x00, {}};
    const std::optional<QByteArray> packet = EncodeNameQuery(query);
    const CSocket socket;
    if (!packet || socket.fd() < 0)
        return {};
    const int nBroadcast = 1;
    setsockopt(socket.fd(), SOL_SOCKET, SO_BROADCAST, &nBroadcast, sizeof nBroadcast);

    for (int nTry = 0; nTry < kTries; ++nTry) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        for (const quint32 target : targets) {
            address.sin_addr.s_addr = htonl(target);
            sendto(socket.fd(), packet->constData(), size_t(packet->size()), 0,
                   reinterpret_cast<const sockaddr*>(&address), sizeof address);
        }
        const QDeadlineTimer deadline(timeoutMs / kTries);
        pollfd wait{socket.fd(), POLLIN, 0};
        while (poll(&wait, 1, int(deadline.remainingTime())) > 0) {
            char buffer[kMaxAnswer];
            const ssize_t n = recv(socket.fd(), buffer, sizeof buffer, MSG_DONTWAIT);
            if (n <= 0)
                continue;
            const std::optional<NetbiosNameAnswer> answer =
                DecodeNameAnswer(QByteArrayView(buffer, qsizetype(n)));
            // Other computers' answers to other questions arrive on the same subnet.
            if (answer && answer->id == query.id && answer->name == query.name)
                return {answer->addresses.begin(), answer->addresses.end()};
        }
    }
    return {};
}

#include "platform/mailslot/HostResolver.h"

#include "platform/discovery/MdnsHostLookup.h"
#include "platform/mailslot/MailslotTransport.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <arpa/inet.h>
#include <cerrno>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>

namespace {

CHostResolver* g_pInstalled = nullptr;

// As long as Avahi itself waits for a name before it gives up.
constexpr int kMdnsTimeoutMs = 5000;
// Answers reach the user-interface thread through this object, a child of the application
// object. Once it is gone a late answer is dropped: a resolver that hangs never holds up the
// end of the program, as a thread pool waited for at exit would.
class CAnswerRelay : public QObject
{
public:
    using QObject::QObject;
    ~CAnswerRelay() override
    {
        const std::lock_guard lock(s_mutex);
        s_pRelay = nullptr;
    }

    static std::mutex s_mutex;
    static CAnswerRelay* s_pRelay; // guarded by s_mutex
};

std::mutex CAnswerRelay::s_mutex;
CAnswerRelay* CAnswerRelay::s_pRelay = nullptr;

} // namespace

std::vector<quint32> CHostResolver::LookupNow(const QByteArray& computer, QString& strError)
{
    // Multicast DNS names are asked of the Avahi daemon first: many systems' resolvers never
    // ask it, and would send the name to a name server instead.
    if (IsMdnsName(computer)) {
        QString strMdnsError;
        std::vector<quint32> addresses = LookupMdnsHost(computer, kMdnsTimeoutMs, strMdnsError);
        if (!addresses.empty())
            return addresses;
    }
    // Then the transport's own name service, where it has one.
    if (std::vector<quint32> addresses = MailslotTransport().LookupName(computer);
        !addresses.empty())
        return addresses;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_IDN; // a name in the locale's characters, as typed
    addrinfo* pList = nullptr;
    const int nResult = getaddrinfo(computer.constData(), nullptr, &hints, &pList);
    std::vector<quint32> addresses;
    if (nResult != 0) {
        strError = nResult == EAI_SYSTEM ? qt_error_string(errno)
                                         : QString::fromLocal8Bit(gai_strerror(nResult));
        return addresses;
    }
    for (const addrinfo* p = pList; p; p = p->ai_next) {
        if (p->ai_family == AF_INET)
            addresses.push_back(
                ntohl(reinterpret_cast<const sockaddr_in*>(p->ai_addr)->sin_addr.s_addr));
    }
    freeaddrinfo(pList);
    if (addresses.empty())
        strError = QStringLiteral("no IPv4 address");
    return addresses;
}

void CHostResolver::Lookup(const QByteArray& computer, Callback done)
{
    {
        const std::lock_guard lock(CAnswerRelay::s_mutex);
        if (!CAnswerRelay::s_pRelay)
            CAnswerRelay::s_pRelay = new CAnswerRelay(QCoreApplication::instance());
    }
    // Detached: the program may end while the system's resolver still waits for an answer.
    std::thread([computer, done = std::move(done)]() mutable {
        QString strError;
        std::vector<quint32> addresses = LookupNow(computer, strError);
        const std::lock_guard lock(CAnswerRelay::s_mutex);
        if (CAnswerRelay::s_pRelay) {
            QMetaObject::invokeMethod(
                CAnswerRelay::s_pRelay,
                [done = std::move(done), addresses = std::move(addresses), strError] {
                    done(addresses, strError);
                },
                Qt::QueuedConnection);
        }
    }).detach();
}

CHostResolver& CHostResolver::Current()
{
    static CHostResolver s_system;
    return g_pInstalled ? *g_pInstalled : s_system;
}

void CHostResolver::Install(CHostResolver* pResolver)
{
    g_pInstalled = pResolver;
}

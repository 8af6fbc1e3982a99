#include "platform/discovery/MdnsHostLookup.h"

#include <QDeadlineTimer>
#include <arpa/inet.h>
#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>
#include <memory>

namespace {

struct HostLookup
{
    bool bDone = false;
    std::vector<quint32> addresses;
    QString strError;
};

void OnResolved(AvahiHostNameResolver* pResolver, AvahiIfIndex, AvahiProtocol,
                AvahiResolverEvent event, const char*, const AvahiAddress* pAddress,
                AvahiLookupResultFlags, void* pUserdata)
{
    auto* pLookup = static_cast<HostLookup*>(pUserdata);
    pLookup->bDone = true;
    if (event == AVAHI_RESOLVER_FOUND && pAddress && pAddress->proto == AVAHI_PROTO_INET) {
        pLookup->addresses.push_back(ntohl(pAddress->data.ipv4.address));
        return;
    }
    const int nError = avahi_client_errno(avahi_host_name_resolver_get_client(pResolver));
    pLookup->strError = QString::fromUtf8(avahi_strerror(nError));
}

struct PollDeleter
{
    void operator()(AvahiSimplePoll* p) const { avahi_simple_poll_free(p); }
};
struct ClientDeleter
{
    void operator()(AvahiClient* p) const { avahi_client_free(p); }
};

} // namespace

bool IsMdnsName(QByteArrayView name)
{
    if (name.endsWith('.'))
        name.chop(1);
    constexpr QByteArrayView kDomain = ".local";
    return name.size() > kDomain.size() &&
           name.last(kDomain.size()).compare(kDomain, Qt::CaseInsensitive) == 0;
}

std::vector<quint32> LookupMdnsHost(const QByteArray& name, int nTimeoutMs, QString& strError)
{
    HostLookup lookup;
    // A client of its own on a poll of its own: this may run on any thread, and waits.
    const std::unique_ptr<AvahiSimplePoll, PollDeleter> pPoll(avahi_simple_poll_new());
    if (!pPoll) {
        strError = QStringLiteral("out of memory");
        return {};
    }
    int nError = 0;
    const std::unique_ptr<AvahiClient, ClientDeleter> pClient(avahi_client_new(
        avahi_simple_poll_get(pPoll.get()), AvahiClientFlags(0), nullptr, nullptr, &nError));
    if (!pClient) {
        strError = QString::fromUtf8(avahi_strerror(nError));
        return {};
    }
    // Freed with the client.
    if (!avahi_host_name_resolver_new(pClient.get(), AVAHI_IF_UNSPEC, AVAHI_PROTO_INET,
                                      name.constData(), AVAHI_PROTO_INET, AvahiLookupFlags(0),
                                      OnResolved, &lookup)) {
        strError = QString::fromUtf8(avahi_strerror(avahi_client_errno(pClient.get())));
        return {};
    }
    const QDeadlineTimer deadline(nTimeoutMs);
    while (!lookup.bDone) {
        if (deadline.hasExpired() ||
            avahi_simple_poll_iterate(pPoll.get(), int(deadline.remainingTime())) != 0) {
            strError = QStringLiteral("no answer over multicast DNS");
            return {};
        }
    }
    strError = lookup.strError;
    return lookup.addresses;
}

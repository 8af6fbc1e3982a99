#include "platform/discovery/linux/AvahiComputerBrowser.h"

#include "platform/discovery/ServiceAnnouncer.h"
#include "platform/discovery/WorkstationName.h"
#include "platform/discovery/linux/AvahiPoll.h"

#include <QByteArray>
#include <algorithm>
#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <cstring>
#include <vector>

std::unique_ptr<CComputerBrowser> CreateComputerBrowser()
{
    return std::make_unique<CAvahiComputerBrowser>();
}

struct CAvahiComputerBrowser::Impl
{
    // One announcement of a copy, as seen on one interface and protocol.
    struct CopySighting
    {
        AvahiIfIndex interface;
        AvahiProtocol protocol;
        QByteArray name;
        QByteArray domain;
        AvahiServiceResolver* pResolver = nullptr; // while its address is asked for
        QString hostName;                          // once resolved
        quint16 nPort = 0;
    };

    explicit Impl(CAvahiComputerBrowser* pOwner) : m_pOwner(pOwner) {}
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl();

    bool Start();

    static void OnClientState(AvahiClient* pClient, AvahiClientState state, void* pUserdata);
    static void OnBrowse(AvahiServiceBrowser* pBrowser, AvahiIfIndex interface,
                         AvahiProtocol protocol, AvahiBrowserEvent event, const char* name,
                         const char* type, const char* domain, AvahiLookupResultFlags flags,
                         void* pUserdata);
    static void OnResolve(AvahiServiceResolver* pResolver, AvahiIfIndex interface,
                          AvahiProtocol protocol, AvahiResolverEvent event, const char* name,
                          const char* type, const char* domain, const char* hostName,
                          const AvahiAddress* pAddress, uint16_t nPort, AvahiStringList* pTxt,
                          AvahiLookupResultFlags flags, void* pUserdata);

    void OnWorkstation(AvahiBrowserEvent event, const char* name, const char* domain);
    void OnCopy(AvahiIfIndex interface, AvahiProtocol protocol, AvahiBrowserEvent event,
                const char* name, const char* domain);

    CAvahiComputerBrowser* const m_pOwner; // tells its signals
    CAvahiPoll m_poll;
    AvahiClient* m_pClient = nullptr;
    AvahiServiceBrowser* m_pBrowser = nullptr;
    AvahiServiceBrowser* m_pCopyBrowser = nullptr;
    std::vector<CopySighting> m_copies;
};

CAvahiComputerBrowser::CAvahiComputerBrowser(QObject* pParent)
    : CComputerBrowser(pParent), m_pImpl(std::make_unique<Impl>(this))
{
}

CAvahiComputerBrowser::~CAvahiComputerBrowser() = default;

CAvahiComputerBrowser::Impl::~Impl()
{
    // Browsers and resolvers go with their client.
    if (m_pClient)
        avahi_client_free(m_pClient);
}

bool CAvahiComputerBrowser::Start()
{
    return m_pImpl->Start();
}

bool CAvahiComputerBrowser::Impl::Start()
{
    if (m_pClient)
        return m_pBrowser != nullptr;
    int nError = 0;
    // Without AVAHI_CLIENT_NO_FAIL a missing daemon is reported here and now.
    m_pClient = avahi_client_new(m_poll.Api(), AvahiClientFlags(0), OnClientState, this, &nError);
    if (!m_pClient)
        return false;
    m_pBrowser =
        avahi_service_browser_new(m_pClient, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET, "_workstation._tcp",
                                  nullptr, AvahiLookupFlags(0), OnBrowse, this);
    m_pCopyBrowser = avahi_service_browser_new(m_pClient, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET,
                                               kTellwickServiceType, nullptr, AvahiLookupFlags(0),
                                               OnBrowse, this);
    return m_pBrowser != nullptr && m_pCopyBrowser != nullptr;
}

void CAvahiComputerBrowser::Impl::OnClientState(AvahiClient*, AvahiClientState state,
                                                void* pUserdata)
{
    if (state == AVAHI_CLIENT_FAILURE)
        emit static_cast<Impl*>(pUserdata)->m_pOwner->BrowsingFailed();
}

void CAvahiComputerBrowser::Impl::OnBrowse(AvahiServiceBrowser*, AvahiIfIndex interface,
                                           AvahiProtocol protocol, AvahiBrowserEvent event,
                                           const char* name, const char* type, const char* domain,
                                           AvahiLookupResultFlags, void* pUserdata)
{
    auto* pThis = static_cast<Impl*>(pUserdata);
    if (event == AVAHI_BROWSER_FAILURE) {
        emit pThis->m_pOwner->BrowsingFailed();
        return;
    }
    if (event != AVAHI_BROWSER_NEW && event != AVAHI_BROWSER_REMOVE)
        return;
    if (type && std::strcmp(type, kTellwickServiceType) == 0)
        pThis->OnCopy(interface, protocol, event, name ? name : "", domain ? domain : "");
    else
        pThis->OnWorkstation(event, name ? name : "", domain ? domain : "");
}

void CAvahiComputerBrowser::Impl::OnWorkstation(AvahiBrowserEvent event, const char* name,
                                                const char* domain)
{
    const QString hostName = WorkstationHostName(name, domain);
    if (hostName.isEmpty())
        return;
    if (event == AVAHI_BROWSER_NEW)
        emit m_pOwner->ComputerFound(hostName);
    else
        emit m_pOwner->ComputerLost(hostName);
}

void CAvahiComputerBrowser::Impl::OnCopy(AvahiIfIndex interface, AvahiProtocol protocol,
                                         AvahiBrowserEvent event, const char* name,
                                         const char* domain)
{
    const auto it = std::find_if(m_copies.begin(), m_copies.end(), [&](const CopySighting& s) {
        return s.interface == interface && s.protocol == protocol && s.name == name &&
               s.domain == domain;
    });
    if (event == AVAHI_BROWSER_NEW) {
        if (it != m_copies.end())
            return;
        // Asked for its host and port; it is reported once they are known.
        AvahiServiceResolver* pResolver = avahi_service_resolver_new(
            m_pClient, interface, protocol, name, kTellwickServiceType, domain, AVAHI_PROTO_INET,
            AvahiLookupFlags(0), OnResolve, this);
        if (pResolver)
            m_copies.push_back({interface, protocol, name, domain, pResolver, {}, 0});
        return;
    }
    if (it == m_copies.end())
        return;
    const CopySighting lost = *it;
    m_copies.erase(it);
    if (lost.pResolver)
        avahi_service_resolver_free(lost.pResolver);
    else if (!lost.hostName.isEmpty())
        emit m_pOwner->CopyLost(lost.hostName, lost.nPort);
}

void CAvahiComputerBrowser::Impl::OnResolve(AvahiServiceResolver* pResolver, AvahiIfIndex,
                                            AvahiProtocol, AvahiResolverEvent event, const char*,
                                            const char*, const char*, const char* hostName,
                                            const AvahiAddress*, uint16_t nPort, AvahiStringList*,
                                            AvahiLookupResultFlags, void* pUserdata)
{
    auto* pThis = static_cast<Impl*>(pUserdata);
    const auto it = std::find_if(pThis->m_copies.begin(), pThis->m_copies.end(),
                                 [&](const CopySighting& s) { return s.pResolver == pResolver; });
    avahi_service_resolver_free(pResolver);
    if (it == pThis->m_copies.end())
        return;
    it->pResolver = nullptr;
    // A copy that cannot be resolved, or names no usable host, stays out of the list.
    if (event != AVAHI_RESOLVER_FOUND || nPort == 0)
        return;
    it->hostName = AnnouncedHostName(hostName ? hostName : "");
    it->nPort = nPort;
    if (!it->hostName.isEmpty())
        emit pThis->m_pOwner->CopyFound(it->hostName, it->nPort);
}

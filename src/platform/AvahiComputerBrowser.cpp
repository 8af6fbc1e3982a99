#include "platform/AvahiComputerBrowser.h"

#include "platform/AvahiServiceAnnouncer.h"
#include "platform/WorkstationName.h"

#include <algorithm>
#include <cstring>

std::unique_ptr<CComputerBrowser> CreateComputerBrowser()
{
    return std::make_unique<CAvahiComputerBrowser>();
}

CAvahiComputerBrowser::CAvahiComputerBrowser(QObject* pParent) : CComputerBrowser(pParent) {}

CAvahiComputerBrowser::~CAvahiComputerBrowser()
{
    // Browsers and resolvers go with their client.
    if (m_pClient)
        avahi_client_free(m_pClient);
}

bool CAvahiComputerBrowser::Start()
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

void CAvahiComputerBrowser::OnClientState(AvahiClient*, AvahiClientState state, void* pUserdata)
{
    if (state == AVAHI_CLIENT_FAILURE)
        emit static_cast<CAvahiComputerBrowser*>(pUserdata)->BrowsingFailed();
}

void CAvahiComputerBrowser::OnBrowse(AvahiServiceBrowser*, AvahiIfIndex interface,
                                     AvahiProtocol protocol, AvahiBrowserEvent event,
                                     const char* name, const char* type, const char* domain,
                                     AvahiLookupResultFlags, void* pUserdata)
{
    auto* pThis = static_cast<CAvahiComputerBrowser*>(pUserdata);
    if (event == AVAHI_BROWSER_FAILURE) {
        emit pThis->BrowsingFailed();
        return;
    }
    if (event != AVAHI_BROWSER_NEW && event != AVAHI_BROWSER_REMOVE)
        return;
    if (type && std::strcmp(type, kTellwickServiceType) == 0)
        pThis->OnCopy(interface, protocol, event, name ? name : "", domain ? domain : "");
    else
        pThis->OnWorkstation(event, name ? name : "", domain ? domain : "");
}

void CAvahiComputerBrowser::OnWorkstation(AvahiBrowserEvent event, const char* name,
                                          const char* domain)
{
    const QString hostName = WorkstationHostName(name, domain);
    if (hostName.isEmpty())
        return;
    if (event == AVAHI_BROWSER_NEW)
        emit ComputerFound(hostName);
    else
        emit ComputerLost(hostName);
}

void CAvahiComputerBrowser::OnCopy(AvahiIfIndex interface, AvahiProtocol protocol,
                                   AvahiBrowserEvent event, const char* name, const char* domain)
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
        emit CopyLost(lost.hostName, lost.nPort);
}

void CAvahiComputerBrowser::OnResolve(AvahiServiceResolver* pResolver, AvahiIfIndex, AvahiProtocol,
                                      AvahiResolverEvent event, const char*, const char*,
                                      const char*, const char* hostName, const AvahiAddress*,
                                      uint16_t nPort, AvahiStringList*, AvahiLookupResultFlags,
                                      void* pUserdata)
{
    auto* pThis = static_cast<CAvahiComputerBrowser*>(pUserdata);
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
        emit pThis->CopyFound(it->hostName, it->nPort);
}

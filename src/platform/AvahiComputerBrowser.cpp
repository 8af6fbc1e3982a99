#include "platform/AvahiComputerBrowser.h"

#include "platform/WorkstationName.h"

std::unique_ptr<CComputerBrowser> CreateComputerBrowser()
{
    return std::make_unique<CAvahiComputerBrowser>();
}

CAvahiComputerBrowser::CAvahiComputerBrowser(QObject* pParent) : CComputerBrowser(pParent) {}

CAvahiComputerBrowser::~CAvahiComputerBrowser()
{
    if (m_pBrowser)
        avahi_service_browser_free(m_pBrowser);
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
    return m_pBrowser != nullptr;
}

void CAvahiComputerBrowser::OnClientState(AvahiClient*, AvahiClientState state, void* pUserdata)
{
    if (state == AVAHI_CLIENT_FAILURE)
        emit static_cast<CAvahiComputerBrowser*>(pUserdata)->BrowsingFailed();
}

void CAvahiComputerBrowser::OnBrowse(AvahiServiceBrowser*, AvahiIfIndex, AvahiProtocol,
                                     AvahiBrowserEvent event, const char* name, const char*,
                                     const char* domain, AvahiLookupResultFlags, void* pUserdata)
{
    auto* pThis = static_cast<CAvahiComputerBrowser*>(pUserdata);
    if (event == AVAHI_BROWSER_FAILURE) {
        emit pThis->BrowsingFailed();
        return;
    }
    if (event != AVAHI_BROWSER_NEW && event != AVAHI_BROWSER_REMOVE)
        return;
    const QString hostName = WorkstationHostName(name ? name : "", domain ? domain : "");
    if (hostName.isEmpty())
        return;
    if (event == AVAHI_BROWSER_NEW)
        emit pThis->ComputerFound(hostName);
    else
        emit pThis->ComputerLost(hostName);
}

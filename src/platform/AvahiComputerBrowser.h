#pragma once

#include "platform/AvahiPoll.h"
#include "platform/ComputerBrowser.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>

// Finds the computers that announce "_workstation._tcp" over multicast DNS on IPv4, through
// the Avahi daemon.
class CAvahiComputerBrowser final : public CComputerBrowser
{
    Q_OBJECT

public:
    explicit CAvahiComputerBrowser(QObject* pParent = nullptr);
    ~CAvahiComputerBrowser() override;

    bool Start() override;

private:
    static void OnClientState(AvahiClient* pClient, AvahiClientState state, void* pUserdata);
    static void OnBrowse(AvahiServiceBrowser* pBrowser, AvahiIfIndex interface,
                         AvahiProtocol protocol, AvahiBrowserEvent event, const char* name,
                         const char* type, const char* domain, AvahiLookupResultFlags flags,
                         void* pUserdata);

    CAvahiPoll m_poll;
    AvahiClient* m_pClient = nullptr;
    AvahiServiceBrowser* m_pBrowser = nullptr;
};

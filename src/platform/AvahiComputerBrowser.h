#pragma once

#include "platform/AvahiPoll.h"
#include "platform/ComputerBrowser.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <vector>

// Finds the computers that announce "_workstation._tcp", and the running copies that announce
// "_tellwick._udp", over multicast DNS on IPv4, through the Avahi daemon. A copy is reported
// once its announcement has been resolved to a host and a port.
class CAvahiComputerBrowser final : public CComputerBrowser
{
    Q_OBJECT

public:
    explicit CAvahiComputerBrowser(QObject* pParent = nullptr);
    ~CAvahiComputerBrowser() override;

    bool Start() override;

private:
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

    CAvahiPoll m_poll;
    AvahiClient* m_pClient = nullptr;
    AvahiServiceBrowser* m_pBrowser = nullptr;
    AvahiServiceBrowser* m_pCopyBrowser = nullptr;
    std::vector<CopySighting> m_copies;
};

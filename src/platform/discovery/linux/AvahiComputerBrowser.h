#pragma once

#include "platform/discovery/ComputerBrowser.h"

#include <memory>

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
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

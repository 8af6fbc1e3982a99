#pragma once

#include "platform/discovery/ServiceAnnouncer.h"

#include <memory>

// Announces this copy's inbox as "_tellwick._udp" over multicast DNS through the Avahi daemon,
// for as long as the object lives. It waits for a daemon that is not there yet, announces again
// after the daemon restarts, and takes the daemon's alternative when the name is taken.
class CAvahiServiceAnnouncer final : public CServiceAnnouncer
{
    Q_OBJECT

public:
    explicit CAvahiServiceAnnouncer(QObject* pParent = nullptr);
    ~CAvahiServiceAnnouncer() override;

    // False when no daemon can ever be reached (there is no system bus).
    bool Announce(const QString& strName, quint16 nPort) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

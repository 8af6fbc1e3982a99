#pragma once

#include <QObject>
#include <QString>
#include <memory>

// The service type under which running copies announce their inbox.
inline constexpr char kTellwickServiceType[] = "_tellwick._udp";

// Announces this copy's inbox as "_tellwick._udp" on the local network, for as long as the
// object lives, so that the find dialogs of other computers list it.
class CServiceAnnouncer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts announcing; false when the announcing service can never be reached.
    virtual bool Announce(const QString& strName, quint16 nPort) = 0;
};

// The announcer of this platform: multicast DNS through the Avahi daemon.
std::unique_ptr<CServiceAnnouncer> CreateServiceAnnouncer();

#pragma once

#include "platform/AvahiPoll.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <avahi-client/client.h>
#include <avahi-client/publish.h>

// The service type under which running copies announce their inbox.
inline constexpr char kTellwickServiceType[] = "_tellwick._udp";

// Announces this copy's inbox as "_tellwick._udp" over multicast DNS through the Avahi daemon,
// for as long as the object lives. It waits for a daemon that is not there yet, announces again
// after the daemon restarts, and takes the daemon's alternative when the name is taken.
class CAvahiServiceAnnouncer final : public QObject
{
    Q_OBJECT

public:
    explicit CAvahiServiceAnnouncer(QObject* pParent = nullptr);
    ~CAvahiServiceAnnouncer() override;

    // Starts announcing; false when no daemon can ever be reached (there is no system bus).
    bool Announce(const QString& strName, quint16 nPort);

    // The name the network knows this copy by, once the daemon has established it.
    QString AnnouncedName() const { return m_strAnnounced; }

signals:
    void Announced(const QString& strName);

private:
    static void OnClientState(AvahiClient* pClient, AvahiClientState state, void* pUserdata);
    static void OnGroupState(AvahiEntryGroup* pGroup, AvahiEntryGroupState state, void* pUserdata);

    bool Connect();
    void Register(AvahiClient* pClient);
    void TakeAlternativeName();
    void Reconnect();
    void WarnOnce(const char* what, int nError);

    CAvahiPoll m_poll;
    AvahiClient* m_pClient = nullptr;
    AvahiEntryGroup* m_pGroup = nullptr;
    QByteArray m_name; // UTF-8, as the daemon takes it
    quint16 m_nPort = 0;
    QString m_strAnnounced;
    bool m_bWarned = false;
};

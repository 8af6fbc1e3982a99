#include "platform/discovery/linux/AvahiServiceAnnouncer.h"

#include "platform/app/Logging.h"
#include "platform/discovery/linux/AvahiPoll.h"

#include <QByteArray>
#include <QMetaObject>
#include <avahi-client/client.h>
#include <avahi-client/publish.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>

namespace {

// Enough alternatives for any crowd of equally named computers on one network.
constexpr int kMaxNameAttempts = 32;

} // namespace

std::unique_ptr<CServiceAnnouncer> CreateServiceAnnouncer()
{
    return std::make_unique<CAvahiServiceAnnouncer>();
}

struct CAvahiServiceAnnouncer::Impl
{
    explicit Impl(CAvahiServiceAnnouncer* pOwner) : m_pOwner(pOwner) {}
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;
    ~Impl();

    static void OnClientState(AvahiClient* pClient, AvahiClientState state, void* pUserdata);
    static void OnGroupState(AvahiEntryGroup* pGroup, AvahiEntryGroupState state, void* pUserdata);

    bool Connect();
    void Register(AvahiClient* pClient);
    void TakeAlternativeName();
    void Reconnect();
    void WarnOnce(const char* what, int nError);

    CAvahiServiceAnnouncer* const m_pOwner; // where reconnecting is queued
    CAvahiPoll m_poll;
    AvahiClient* m_pClient = nullptr;
    AvahiEntryGroup* m_pGroup = nullptr;
    QByteArray m_name; // UTF-8, as the daemon takes it
    quint16 m_nPort = 0;
    bool m_bWarned = false;
};

CAvahiServiceAnnouncer::CAvahiServiceAnnouncer(QObject* pParent)
    : CServiceAnnouncer(pParent), m_pImpl(std::make_unique<Impl>(this))
{
}

CAvahiServiceAnnouncer::~CAvahiServiceAnnouncer() = default;

CAvahiServiceAnnouncer::Impl::~Impl()
{
    // The daemon withdraws the service with the client's connection.
    if (m_pClient)
        avahi_client_free(m_pClient);
}

bool CAvahiServiceAnnouncer::Announce(const QString& strName, quint16 nPort)
{
    m_pImpl->m_name = strName.toUtf8();
    m_pImpl->m_nPort = nPort;
    return m_pImpl->Connect();
}

bool CAvahiServiceAnnouncer::Impl::Connect()
{
    int nError = 0;
    // Without a daemon the client waits for one; it fails only where none can ever come.
    m_pClient = avahi_client_new(m_poll.Api(), AVAHI_CLIENT_NO_FAIL, OnClientState, this, &nError);
    return m_pClient != nullptr;
}

void CAvahiServiceAnnouncer::Impl::OnClientState(AvahiClient* pClient, AvahiClientState state,
                                                 void* pUserdata)
{
    auto* pThis = static_cast<Impl*>(pUserdata);
    switch (state) {
    case AVAHI_CLIENT_S_RUNNING:
        // Called from inside avahi_client_new too, before m_pClient is set: use pClient.
        pThis->Register(pClient);
        break;
    case AVAHI_CLIENT_S_COLLISION:
    case AVAHI_CLIENT_S_REGISTERING:
        // The daemon is changing its host name; the service follows once it runs again.
        if (pThis->m_pGroup)
            avahi_entry_group_reset(pThis->m_pGroup);
        break;
    case AVAHI_CLIENT_FAILURE:
        if (avahi_client_errno(pClient) == AVAHI_ERR_DISCONNECTED) {
            // The daemon went away: wait for the next one, outside this callback.
            QMetaObject::invokeMethod(
                pThis->m_pOwner, [pThis] { pThis->Reconnect(); }, Qt::QueuedConnection);
        } else {
            pThis->WarnOnce("cannot talk to the Avahi daemon", avahi_client_errno(pClient));
        }
        break;
    case AVAHI_CLIENT_CONNECTING:
        break;
    }
}

void CAvahiServiceAnnouncer::Impl::Reconnect()
{
    if (m_pClient)
        avahi_client_free(m_pClient);
    m_pClient = nullptr;
    m_pGroup = nullptr; // freed with its client
    Connect();
}

void CAvahiServiceAnnouncer::Impl::Register(AvahiClient* pClient)
{
    if (!m_pGroup) {
        m_pGroup = avahi_entry_group_new(pClient, OnGroupState, this);
        if (!m_pGroup) {
            WarnOnce("cannot announce this copy", avahi_client_errno(pClient));
            return;
        }
    }
    if (!avahi_entry_group_is_empty(m_pGroup))
        return;
    for (int nAttempt = 0; nAttempt < kMaxNameAttempts; ++nAttempt) {
        const int nError = avahi_entry_group_add_service(
            m_pGroup, AVAHI_IF_UNSPEC, AVAHI_PROTO_INET, AvahiPublishFlags(0), m_name.constData(),
            kTellwickServiceType, nullptr, nullptr, m_nPort, nullptr);
        if (nError == AVAHI_ERR_COLLISION) {
            // Taken by a service of this very daemon.
            TakeAlternativeName();
            continue;
        }
        if (nError < 0) {
            WarnOnce("cannot announce this copy", nError);
            return;
        }
        if (const int nCommit = avahi_entry_group_commit(m_pGroup); nCommit < 0)
            WarnOnce("cannot announce this copy", nCommit);
        return;
    }
}

void CAvahiServiceAnnouncer::Impl::OnGroupState(AvahiEntryGroup* pGroup, AvahiEntryGroupState state,
                                                void* pUserdata)
{
    auto* pThis = static_cast<Impl*>(pUserdata);
    switch (state) {
    case AVAHI_ENTRY_GROUP_COLLISION:
        // Another computer on the network has the name: take the next one and go on.
        pThis->TakeAlternativeName();
        avahi_entry_group_reset(pGroup);
        pThis->Register(avahi_entry_group_get_client(pGroup));
        break;
    case AVAHI_ENTRY_GROUP_FAILURE:
        pThis->WarnOnce("the announcement failed",
                        avahi_client_errno(avahi_entry_group_get_client(pGroup)));
        break;
    case AVAHI_ENTRY_GROUP_UNCOMMITED:
    case AVAHI_ENTRY_GROUP_REGISTERING:
    case AVAHI_ENTRY_GROUP_ESTABLISHED:
        break;
    }
}

void CAvahiServiceAnnouncer::Impl::TakeAlternativeName()
{
    char* pAlternative = avahi_alternative_service_name(m_name.constData());
    m_name = QByteArray(pAlternative);
    avahi_free(pAlternative);
}

void CAvahiServiceAnnouncer::Impl::WarnOnce(const char* what, int nError)
{
    if (m_bWarned)
        return;
    m_bWarned = true;
    qCWarning(lcMailslot).noquote().nospace()
        << what << ": " << QString::fromUtf8(avahi_strerror(nError))
        << "; other computers will not find it in their lists";
}

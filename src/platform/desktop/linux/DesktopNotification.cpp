#include "platform/desktop/DesktopNotification.h"

#include "platform/app/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#include <utility>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notification itself invokes.
const QString kDefaultAction = QStringLiteral("default");

QDBusMessage NotificationCall(const QString& strMethod)
{
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, strMethod);
}

QDBusConnection SessionBus()
{
    return QDBusConnection::sessionBus();
}

} // namespace

CDesktopNotification::CDesktopNotification(const QString& strApplicationId, QObject* pParent)
    : QObject(pParent), m_strApplicationId(strApplicationId)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActivationToken"), this,
                SLOT(OnActivationToken(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(OnActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(OnNotificationClosed(uint, uint)));
}

CDesktopNotification::~CDesktopNotification() = default;

void CDesktopNotification::Show(const QString& strSummary, const QString& strBody)
{
    if (!SessionBus().isConnected()) {
        Warn(SessionBus().lastError().message());
        return;
    }
    m_strSummary = strSummary;
    m_strBody = strBody;
    m_bWithdrawPending = false;
    if (m_markup == Markup::Unknown) {
        // A message from the network must not be read as markup: ask first whether it would be.
        m_markup = Markup::Asking;
        auto* pWatcher = new QDBusPendingCallWatcher(
            SessionBus().asyncCall(NotificationCall(QStringLiteral("GetCapabilities"))), this);
        connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
                &CDesktopNotification::OnCapabilities);
        return;
    }
    if (m_markup == Markup::Asking)
        return;
    if (m_bNotifying) {
        m_bShowPending = true;
        return;
    }
    SendNotify();
}

void CDesktopNotification::Withdraw()
{
    m_bShowPending = false;
    if (m_bNotifying || m_markup == Markup::Asking) {
        m_bWithdrawPending = true;
        return;
    }
    if (m_nId == 0)
        return;
    QDBusMessage call = NotificationCall(QStringLiteral("CloseNotification"));
    call << m_nId;
    SessionBus().asyncCall(call);
    m_nId = 0;
}

void CDesktopNotification::OnCapabilities(QDBusPendingCallWatcher* pWatcher)
{
    pWatcher->deleteLater();
    const QDBusPendingReply<QStringList> reply = *pWatcher;
    if (reply.isError()) {
        // No service: try again with the next message, as one may have started meanwhile.
        m_markup = Markup::Unknown;
        m_bWithdrawPending = false;
        Warn(reply.error().message());
        return;
    }
    m_markup =
        reply.value().contains(QStringLiteral("body-markup")) ? Markup::Read : Markup::Ignored;
    if (m_bWithdrawPending)
        m_bWithdrawPending = false;
    else
        SendNotify();
}

void CDesktopNotification::SendNotify()
{
    QDBusMessage call = NotificationCall(QStringLiteral("Notify"));
    const QString strBody = m_markup == Markup::Read ? m_strBody.toHtmlEscaped() : m_strBody;
    const QStringList actions = {kDefaultAction, tr("Show")};
    const QVariantMap hints = {{QStringLiteral("desktop-entry"), m_strApplicationId}};
    call << QStringLiteral("Tellwick") << m_nId << m_strApplicationId << m_strSummary << strBody
         << actions << hints << -1;
    m_bNotifying = true;
    auto* pWatcher = new QDBusPendingCallWatcher(SessionBus().asyncCall(call), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this, &CDesktopNotification::OnNotified);
}

void CDesktopNotification::OnNotified(QDBusPendingCallWatcher* pWatcher)
{
    pWatcher->deleteLater();
    m_bNotifying = false;
    const QDBusPendingReply<uint> reply = *pWatcher;
    if (reply.isError()) {
        m_nId = 0;
        m_markup = Markup::Unknown;
        Warn(reply.error().message());
    } else {
        m_nId = reply.value();
        m_nLastId = m_nId;
    }
    if (m_bWithdrawPending) {
        m_bWithdrawPending = false;
        Withdraw();
    } else if (m_bShowPending) {
        m_bShowPending = false;
        Show(m_strSummary, m_strBody);
    }
}

void CDesktopNotification::OnActivationToken(uint nId, const QString& strToken)
{
    if (nId != 0 && nId == m_nLastId)
        m_activationToken = strToken.toUtf8();
}

void CDesktopNotification::OnActionInvoked(uint nId, const QString& strAction)
{
    // Some services tell that the notification closed before they tell the click.
    if (nId != 0 && nId == m_nLastId && strAction == kDefaultAction)
        emit Activated(std::exchange(m_activationToken, {}));
}

void CDesktopNotification::OnNotificationClosed(uint nId, uint)
{
    // A closed notification cannot be replaced; the next message shows a new one.
    if (nId != 0 && nId == m_nId)
        m_nId = 0;
}

void CDesktopNotification::Warn(const QString& strError)
{
    if (m_bWarned)
        return;
    m_bWarned = true;
    qCWarning(lcApp).noquote() << "cannot show a desktop notification:" << strError;
}

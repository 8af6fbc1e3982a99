#pragma once

#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

// One desktop notification through the freedesktop notification service on the session bus.
// Showing it again replaces what it showed before instead of adding another; a click on it
// (its default action) is told by Activated, with the activation token the service handed
// for it, if any. Without a service nothing is shown, and the failure is told once.
class CDesktopNotification final : public QObject
{
    Q_OBJECT

public:
    // The application id names the icon and the desktop entry the service shows it with.
    explicit CDesktopNotification(const QString& strApplicationId, QObject* pParent = nullptr);
    ~CDesktopNotification() override;

    // Shows the texts, in place of what this notification showed before. The body is plain
    // text; it is escaped where the service reads markup.
    void Show(const QString& strSummary, const QString& strBody);
    // Takes the notification off the desktop; the next Show starts a new one.
    void Withdraw();

signals:
    void Activated(const QByteArray& activationToken);

private Q_SLOTS:
    void OnActivationToken(uint nId, const QString& strToken);
    void OnActionInvoked(uint nId, const QString& strAction);
    void OnNotificationClosed(uint nId, uint nReason);

private:
    enum class Markup
    {
        Unknown,
        Asking,
        Read,
        Ignored,
    };

    void OnCapabilities(QDBusPendingCallWatcher* pWatcher);
    void SendNotify();
    void OnNotified(QDBusPendingCallWatcher* pWatcher);
    void Warn(const QString& strError);

    const QString m_strApplicationId;
    Markup m_markup = Markup::Unknown;
    // The service's number for what is shown; 0 when nothing is.
    uint m_nId = 0;
    // The number of the last one shown, whose click still counts once it has closed.
    uint m_nLastId = 0;
    // What the service sent just before it told the click, for the compositor to let the
    // window come to the front.
    QByteArray m_activationToken;
    QString m_strSummary;
    QString m_strBody;
    // A Notify is on its way: what comes meanwhile waits for its number.
    bool m_bNotifying = false;
    bool m_bShowPending = false;
    bool m_bWithdrawPending = false;
    bool m_bWarned = false;
};

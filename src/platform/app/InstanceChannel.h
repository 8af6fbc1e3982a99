#pragma once

#include <QByteArray>
#include <QLocalServer>
#include <QObject>
#include <QString>

// The running copy's door for a second copy: a local socket that only this user can reach. A
// connection is the whole request: "show your window", with what the second copy sends before it
// hangs up as the activation token its launcher gave it (Wayland's XDG_ACTIVATION_TOKEN).
class CInstanceChannel : public QObject
{
    Q_OBJECT

public:
    explicit CInstanceChannel(QObject* pParent = nullptr);

    // Opens the door at the path; call it only while holding the instance lock, because it
    // removes whatever socket a crashed copy left there.
    bool Listen(const QString& strPath);
    QString ErrorString() const { return m_server.errorString(); }
    // Asks the copy listening at the path to show itself, handing it this process's activation
    // token; false when none answers in time, or when what is there is not this user's own socket.
    static bool AskToShow(const QString& strPath, int nTimeoutMs);

signals:
    // The token is empty when the second copy had none, or sent something that is none.
    void ShowRequested(const QByteArray& activationToken);

private:
    QLocalServer m_server;
};

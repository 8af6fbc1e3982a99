#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

// The running copy's door for a second copy: a local socket that only this user can reach. A
// connection is the whole request: "show your window".
class CInstanceChannel : public QObject
{
    Q_OBJECT

public:
    explicit CInstanceChannel(QObject* pParent = nullptr);

    // Opens the door at the path; call it only while holding the instance lock, because it
    // removes whatever socket a crashed copy left there.
    bool Listen(const QString& strPath);
    QString ErrorString() const { return m_server.errorString(); }
    // Asks the copy listening at the path to show itself; false when none answers in time, or
    // when what is there is not this user's own socket.
    static bool AskToShow(const QString& strPath, int nTimeoutMs);

signals:
    void ShowRequested();

private:
    QLocalServer m_server;
};

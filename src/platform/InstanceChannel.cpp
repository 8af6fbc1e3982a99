#include "platform/InstanceChannel.h"

#include "platform/Logging.h"
#include "platform/OwnEntry.h"

#include <QFileInfo>
#include <QLocalSocket>

CInstanceChannel::CInstanceChannel(QObject* pParent) : QObject(pParent)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* pSocket = m_server.nextPendingConnection()) {
            pSocket->disconnectFromServer();
            pSocket->deleteLater();
            emit ShowRequested();
        }
    });
}

bool CInstanceChannel::Listen(const QString& strPath)
{
    QLocalServer::removeServer(strPath);
    return m_server.listen(strPath);
}

bool CInstanceChannel::AskToShow(const QString& strPath, int nTimeoutMs)
{
    // Only this user's own socket is a running copy of ours; anything else there is not asked.
    QString strFault;
    if (!IsOwnEntry(strPath, OwnEntryKind::Socket, CurrentUserId(), &strFault)) {
        const QFileInfo entry(strPath);
        if (entry.exists() || entry.isSymLink())
            qCWarning(lcInstance).noquote() << "channel" << strPath << "not asked:" << strFault;
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(strPath);
    if (!socket.waitForConnected(nTimeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

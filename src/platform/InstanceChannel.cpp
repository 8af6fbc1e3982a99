#include "platform/InstanceChannel.h"

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
    QLocalSocket socket;
    socket.connectToServer(strPath);
    if (!socket.waitForConnected(nTimeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

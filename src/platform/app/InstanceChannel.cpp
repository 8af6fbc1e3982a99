#include "platform/app/InstanceChannel.h"

#include "platform/app/Logging.h"
#include "platform/app/OwnEntry.h"

#include <QFileInfo>
#include <QLocalSocket>

#include <algorithm>

namespace {

constexpr char kTokenVariable[] = "XDG_ACTIVATION_TOKEN";
// Compositors' tokens are short words; anything longer or stranger is not passed on.
constexpr qint64 kMaxTokenBytes = 256;

bool IsToken(const QByteArray& token)
{
    return token.size() <= kMaxTokenBytes &&
           std::all_of(token.begin(), token.end(), [](char c) { return c > ' ' && c < 127; });
}

} // namespace

CInstanceChannel::CInstanceChannel(QObject* pParent) : QObject(pParent)
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* pSocket = m_server.nextPendingConnection()) {
            // The request counts when the second copy hangs up; a token too long ends it early.
            connect(pSocket, &QLocalSocket::readyRead, pSocket, [pSocket] {
                if (pSocket->bytesAvailable() > kMaxTokenBytes)
                    pSocket->disconnectFromServer();
            });
            connect(pSocket, &QLocalSocket::disconnected, this, [this, pSocket] {
                const QByteArray token = pSocket->read(kMaxTokenBytes + 1);
                pSocket->deleteLater();
                emit ShowRequested(IsToken(token) ? token : QByteArray());
            });
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
    const QByteArray token = qgetenv(kTokenVariable);
    if (!token.isEmpty()) {
        socket.write(token);
        socket.waitForBytesWritten(nTimeoutMs);
    }
    socket.disconnectFromServer();
    return true;
}

#include "platform/app/OwnEntry.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

bool IsOwnEntry(const QString& strPath, OwnEntryKind kind, quint32 nUid, QString* pFault)
{
    QString strFault;
    struct stat info{};
    // lstat: a link in a shared folder may point wherever its maker wants.
    if (lstat(QFile::encodeName(strPath).constData(), &info) != 0)
        strFault = qt_error_string(errno);
    else if (kind == OwnEntryKind::PrivateFolder && !S_ISDIR(info.st_mode))
        strFault = QStringLiteral("not a folder");
    else if (kind == OwnEntryKind::Socket && !S_ISSOCK(info.st_mode))
        strFault = QStringLiteral("not a socket");
    else if (info.st_uid != nUid)
        strFault = QStringLiteral("owned by user %1").arg(info.st_uid);
    else if (kind == OwnEntryKind::PrivateFolder && (info.st_mode & (S_IRWXG | S_IRWXO)) != 0)
        strFault = QStringLiteral("open to others (mode %1)")
                       .arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'));
    if (pFault)
        *pFault = strFault;
    return strFault.isEmpty();
}

quint32 CurrentUserId()
{
    return getuid();
}

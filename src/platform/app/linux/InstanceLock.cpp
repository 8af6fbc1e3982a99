#include "platform/app/InstanceLock.h"

#include "platform/app/Logging.h"
#include "platform/app/OwnEntry.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The fallback folder, made on first use. Others may have made it first in the shared
// temporary folder: the caller checks whose it is before using it.
QString TempFolder()
{
    QString strFolder =
        QDir(QDir::tempPath()).filePath(QStringLiteral("tellwick-%1").arg(CurrentUserId()));
    mkdir(QFile::encodeName(strFolder).constData(), 0700);
    return strFolder;
}

QString Quoted(const QString& strPath)
{
    return QLatin1Char('"') + strPath + QLatin1Char('"');
}

} // namespace

struct CInstanceLock::Impl
{
    int fd = -1; // holds the lock while open
};

CInstanceLock::CInstanceLock() : m_pImpl(std::make_unique<Impl>()) {}

CInstanceLock::~CInstanceLock()
{
    Release();
}

CInstanceLock::Result CInstanceLock::Acquire(const QString& strInstanceName)
{
    Release();
    QStringList refusals;
    const QString strRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    for (const bool bRuntime : {true, false}) {
        if (bRuntime && strRuntime.isEmpty())
            continue;
        const QString strFolder = bRuntime ? strRuntime : TempFolder();
        QString strFault;
        const Result result =
            IsOwnEntry(strFolder, OwnEntryKind::PrivateFolder, CurrentUserId(), &strFault)
                ? AcquireIn(strFolder, strInstanceName, strFault)
                : Result::Failed;
        if (result != Result::Failed) {
            if (!refusals.isEmpty())
                qCWarning(lcInstance).noquote()
                    << "lock file not taken in" << refusals.join(QStringLiteral("; ")) << "- using"
                    << Quoted(strFolder);
            return result;
        }
        refusals << Quoted(strFolder) + QStringLiteral(": ") + strFault;
    }
    qCWarning(lcInstance).noquote()
        << "lock file not taken in" << refusals.join(QStringLiteral("; "))
        << "- running without single-instance protection";
    return Result::Failed;
}

CInstanceLock::Result CInstanceLock::AcquireIn(const QString& strFolder,
                                               const QString& strInstanceName, QString& strFault)
{
    const QString strChannel = QDir(strFolder).filePath(strInstanceName);
    const QByteArray path = QFile::encodeName(strChannel + QStringLiteral(".lock"));
    // No following links, and only a file of this user's own: the folder may be shared after all.
    const int fd =
        open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0) {
        strFault = qt_error_string(errno);
        return Result::Failed;
    }
    struct stat info{};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != CurrentUserId()) {
        strFault = QStringLiteral("the lock file is not a file of this user's own");
        close(fd);
        return Result::Failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int nError = errno;
        close(fd);
        if (nError != EWOULDBLOCK) {
            strFault = qt_error_string(nError);
            return Result::Failed;
        }
        m_strChannelPath = strChannel;
        return Result::HeldElsewhere;
    }
    m_pImpl->fd = fd;
    m_strChannelPath = strChannel;
    return Result::Acquired;
}

void CInstanceLock::Release()
{
    m_strChannelPath.clear();
    if (m_pImpl->fd < 0)
        return;
    // The file stays: removing it could let a starting copy lock a file nobody else sees.
    close(m_pImpl->fd);
    m_pImpl->fd = -1;
}

bool CInstanceLock::IsHeld() const
{
    return m_pImpl->fd >= 0;
}

#include "platform/InstanceLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

QString InstancePath(const QString& strInstanceName)
{
    const QString strRuntime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!strRuntime.isEmpty() && QFileInfo(strRuntime).isDir())
        return QDir(strRuntime).filePath(strInstanceName);
    return QStringLiteral("/tmp/%1-%2").arg(strInstanceName).arg(getuid());
}

CInstanceLock::~CInstanceLock()
{
    Release();
}

CInstanceLock::Result CInstanceLock::Acquire(const QString& strInstanceName)
{
    Release();
    const QByteArray path = QFile::encodeName(InstancePath(strInstanceName) + QStringLiteral(".lock"));
    // No following links: in the shared /tmp someone else could have planted one.
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return Result::Failed;
    struct stat info{};
    if (fstat(fd, &info) != 0 || info.st_uid != getuid()) {
        close(fd);
        return Result::Failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool bHeld = errno == EWOULDBLOCK;
        close(fd);
        return bHeld ? Result::HeldElsewhere : Result::Failed;
    }
    m_fd = fd;
    return Result::Acquired;
}

void CInstanceLock::Release()
{
    if (m_fd < 0)
        return;
    // The file stays: removing it could let a starting copy lock a file nobody else sees.
    close(m_fd);
    m_fd = -1;
}

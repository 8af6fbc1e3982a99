#include "platform/files/RegularFile.h"

#include "platform/files/linux/GuardedPath.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

int OpenRegularFileForReading(QByteArrayView path, QFile& file)
{
    // Non-blocking: a FIFO put there meanwhile would hold the open until a writer comes.
    CGuardedPath guarded(path);
    const int fd = guarded.Open(O_RDONLY);
    if (fd < 0)
        return guarded.Error();
    int nError = 0;
    if (fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        nError = errno;
    if (nError == 0 && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        nError = EBADF;
    if (nError != 0)
        close(fd);
    return nError;
}

QString FileErrorText(int nError)
{
    switch (nError) {
    case kNotRegularFile:
        return QStringLiteral("not a regular file");
    case kForeignLink:
        return QStringLiteral("a symbolic link of another user in a shared folder, not followed");
    default:
        return qt_error_string(nError);
    }
}

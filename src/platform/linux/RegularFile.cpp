#include "platform/RegularFile.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int CheckRegularFile(QByteArrayView path)
{
    if (path.isEmpty() || path.contains('\0'))
        return ENOENT;
    struct stat status{};
    if (stat(path.toByteArray().constData(), &status) != 0)
        return errno == ENOENT ? 0 : errno;
    return S_ISREG(status.st_mode) ? 0 : kNotRegularFile;
}

int OpenRegularFileForReading(QByteArrayView path, QFile& file)
{
    if (path.isEmpty() || path.contains('\0'))
        return ENOENT;
    // O_NONBLOCK: a FIFO without a writer would hold the open until one comes.
    const int fd = open(path.toByteArray().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat status{};
    int nError = fstat(fd, &status) != 0 ? errno : S_ISREG(status.st_mode) ? 0 : kNotRegularFile;
    if (nError == 0 && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        nError = errno;
    if (nError == 0 && !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        nError = EBADF;
    if (nError != 0)
        close(fd);
    return nError;
}

QString FileErrorText(int nError)
{
    return nError == kNotRegularFile ? QStringLiteral("not a regular file")
                                     : qt_error_string(nError);
}

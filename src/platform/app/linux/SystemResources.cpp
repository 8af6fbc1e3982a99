#include "platform/app/SystemResources.h"

#include "platform/app/Logging.h"

#include <QFile>
#include <QStorageInfo>
#include <cerrno>
#include <limits>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>

std::optional<quint64> GetTotalPhysicalMemory()
{
    struct sysinfo info = {};
    if (sysinfo(&info) != 0) {
        qCWarning(lcAbout) << "Cannot ask for the physical memory:" << qt_error_string(errno);
        return std::nullopt;
    }
    return quint64(info.totalram) * qMax<quint64>(info.mem_unit, 1);
}

std::optional<DiskFree> GetDiskFree(const QString& strPath)
{
    struct statvfs fs = {};
    if (statvfs(QFile::encodeName(strPath).constData(), &fs) != 0) {
        qCWarning(lcAbout) << "Cannot ask for the free space of" << strPath << ':'
                           << qt_error_string(errno);
        return std::nullopt;
    }
    const QString strMountPoint = QStorageInfo(strPath).rootPath();
    if (strMountPoint.isEmpty()) {
        qCWarning(lcAbout) << "Cannot find the file system that holds" << strPath;
        return std::nullopt;
    }
    // Blocks free to unprivileged users, as the user who asks can use them; a size past 64 bits
    // is shown as the largest one.
    const quint64 nBlockSize = qMax<quint64>(fs.f_frsize, 1);
    const quint64 nBlocks = fs.f_bavail;
    const quint64 nMax = std::numeric_limits<quint64>::max();
    return DiskFree{nBlocks > nMax / nBlockSize ? nMax : nBlocks * nBlockSize, strMountPoint};
}

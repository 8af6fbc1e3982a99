#pragma once

#include <QString>
#include <optional>

// Free space of one file system, and the mount point that names it to the user.
struct DiskFree
{
    quint64 nAvailableBytes = 0; // what an unprivileged user may still write
    QString strMountPoint;
};

// The computer's total physical memory in bytes; nothing when the system does not say.
std::optional<quint64> GetTotalPhysicalMemory();

// The free space of the file system that holds strPath; nothing when it cannot be asked.
std::optional<DiskFree> GetDiskFree(const QString& strPath);

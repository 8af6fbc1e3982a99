#include "platform/files/ReplacementFile.h"

#include "platform/files/RegularFile.h"
#include "platform/files/linux/GuardedPath.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names tried for the new file before giving up: another user of a shared folder may have
// taken one.
constexpr int kTempNameAttempts = 8;

QByteArray TempName(const QByteArray& name)
{
    return name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
}

} // namespace

CReplacementFile::~CReplacementFile()
{
    Cancel();
}

int CReplacementFile::Open(QByteArrayView path, const QFileDevice* pPermissionsOf)
{
    Cancel();
    CGuardedPath guarded(path);
    int nMode = -1; // of the file replaced
    struct stat status{};
    if (const int fd = guarded.Open(O_PATH); fd >= 0) {
        if (fstat(fd, &status) == 0)
            nMode = int(status.st_mode & 0777);
        close(fd);
    } else if (guarded.Error() != ENOENT || guarded.Folder() < 0) {
        return guarded.Error();
    }
    if (pPermissionsOf) {
        if (fstat(pPermissionsOf->handle(), &status) != 0)
            return errno;
        nMode = int(status.st_mode & 0777);
    }
    m_nFolder = fcntl(guarded.Folder(), F_DUPFD_CLOEXEC, 0);
    if (m_nFolder < 0)
        return errno;
    m_name = guarded.Name();
    // Private until its permissions are set, so that nobody opens it in between.
    const mode_t createMode = nMode >= 0 ? 0600 : 0666;
    // Nameless until it is whole, where the file system allows, so that a save cut short (the
    // program killed) leaves nothing behind.
    m_nFile = openat(m_nFolder, ".", O_WRONLY | O_TMPFILE | O_CLOEXEC, createMode);
    for (int nAttempt = 0; m_nFile < 0 && nAttempt < kTempNameAttempts; ++nAttempt) {
        const QByteArray tempName = TempName(m_name);
        // O_EXCL: never a file or link someone else put there.
        m_nFile = openat(m_nFolder, tempName.constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (m_nFile >= 0)
            m_tempName = tempName;
        else if (errno != EEXIST)
            break;
    }
    int nError = m_nFile < 0 ? errno : 0;
    if (nError == 0 && nMode >= 0 && fchmod(m_nFile, mode_t(nMode)) != 0)
        nError = errno;
    if (nError == 0 && !m_file.open(m_nFile, QIODevice::WriteOnly | QIODevice::Unbuffered,
                                    QFileDevice::DontCloseHandle))
        nError = EBADF;
    if (nError != 0)
        Cancel();
    return nError;
}

int CReplacementFile::Commit()
{
    if (m_nFile < 0)
        return EBADF;
    int nError = fsync(m_nFile) == 0 ? 0 : errno;
    // A nameless file is named beside the old one, whole.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_nFile);
    for (int nAttempt = 0; nError == 0 && m_tempName.isEmpty(); ++nAttempt) {
        const QByteArray tempName = TempName(m_name);
        if (linkat(AT_FDCWD, self.constData(), m_nFolder, tempName.constData(), AT_SYMLINK_FOLLOW) == 0)
            m_tempName = tempName;
        else if (errno != EEXIST || nAttempt + 1 == kTempNameAttempts)
            nError = errno;
    }
    m_file.close();
    if (close(m_nFile) != 0 && nError == 0)
        nError = errno;
    m_nFile = -1;
    if (nError == 0 &&
        renameat(m_nFolder, m_tempName.constData(), m_nFolder, m_name.constData()) != 0)
        nError = errno;
    if (nError == 0)
        m_tempName.clear();
    Cancel();
    return nError;
}

void CReplacementFile::Cancel()
{
    if (m_file.isOpen())
        m_file.close();
    if (m_nFile >= 0)
        close(m_nFile);
    m_nFile = -1;
    if (!m_tempName.isEmpty())
        unlinkat(m_nFolder, m_tempName.constData(), 0);
    m_tempName.clear();
    if (m_nFolder >= 0)
        close(m_nFolder);
    m_nFolder = -1;
    m_name.clear();
}

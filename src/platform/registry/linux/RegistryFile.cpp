#include "platform/registry/RegistryFile.h"

#include "platform/app/Logging.h"
#include "platform/files/ConfigHome.h"
#include "platform/files/RegularFile.h"
#include "platform/files/linux/GuardedPath.h"
#include "platform/registry/RegistryText.h"
#include "platform/registry/StoreLock.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kStoreFolder[] = "/Orvosoft";
constexpr char kStoreName[] = "/Tellwick.reg";
// A store file this large is not ours: it is left alone rather than read into memory.
constexpr qint64 kMaxFileSize = 16 << 20;
// A file changed less than this long before it was read may change again without its stamp
// showing it (file systems keep times in coarse ticks), so it is read again at the next load.
constexpr qint64 kRacyNanoseconds = 2'000'000'000;
// After one long wait for a stuck lock, the following updates wait only briefly until the lock
// comes free again, so that a save of several values does not wait once for each.
constexpr std::chrono::milliseconds kStuckLockWait(50);

qint64 Nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

// The stamp of the file stat() describes. A template so that it can build the class's private
// stamp type, which only the members of the class may name.
template <typename Stamp>
Stamp StampOf(const struct stat& status)
{
    return Stamp{true,
                 quint64(status.st_dev),
                 quint64(status.st_ino),
                 qint64(status.st_size),
                 Nanoseconds(status.st_mtim),
                 Nanoseconds(status.st_ctim)};
}

qint32 StatusOfErrno(int error, qint32 nOther)
{
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case ENOMEM:
        return ERROR_OUTOFMEMORY;
    case kForeignLink:
        return ERROR_ACCESS_DENIED;
    default:
        return nOther;
    }
}

// Creates the folder and every missing folder above it, private to the user as the
// configuration home should be.
bool MakeFolders(const QByteArray& folder)
{
    for (qsizetype at = folder.indexOf('/', 1);; at = folder.indexOf('/', at + 1)) {
        const QByteArray part = at < 0 ? folder : folder.first(at);
        if (mkdir(part.constData(), 0700) != 0 && errno != EEXIST)
            return false;
        if (at < 0)
            return true;
    }
}

bool WriteAll(int fd, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

QByteArray FolderOf(const QByteArray& path)
{
    return path.first(std::max<qsizetype>(path.lastIndexOf('/'), 0));
}

// Writes the bytes to a new file named tempName in the folder, whole and on disk, with the
// permissions of the file there named name. With bNameless the file is written without a name
// and named only once it is whole, so that a write cut short (the program killed) leaves nothing
// behind. 0, ENOTSUP where the file system has no nameless files, or the error.
int WriteWhole(int folder, const QByteArray& tempName, const QByteArray& name,
               const QByteArray& bytes, bool bNameless)
{
    const int fd = bNameless
                       ? openat(folder, ".", O_WRONLY | O_TMPFILE | O_CLOEXEC, 0666)
                       : openat(folder, tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0)
        return bNameless ? ENOTSUP : errno;
    // A file the user made private stays private.
    struct stat old;
    if (fstatat(folder, name.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0)
        fchmod(fd, old.st_mode & 07777);
    int nError = WriteAll(fd, bytes) && fsync(fd) == 0 ? 0 : errno;
    if (nError == 0 && bNameless) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
        if (linkat(AT_FDCWD, self.constData(), folder, tempName.constData(), AT_SYMLINK_FOLLOW) != 0)
            nError = ENOTSUP;
    }
    if (close(fd) != 0 && nError == 0)
        nError = errno;
    return nError;
}

// Why the user may not write the existing file by its own permissions or its file system's
// (0 when they may): the rename that replaces it would not ask.
int WriteRefusal(int folder, const QByteArray& name)
{
    if (faccessat(folder, name.constData(), W_OK, AT_EACCESS) == 0)
        return 0;
    return errno == EACCES || errno == EPERM || errno == EROFS ? errno : 0;
}

} // namespace

CRegistryFile& CRegistryFile::User()
{
    static CRegistryFile file;
    return file;
}

void CRegistryFile::SetLockWait(std::chrono::milliseconds wait)
{
    const std::lock_guard guard(m_mutex);
    m_lockWait = wait;
}

qint32 CRegistryFile::Report(Trouble trouble, const QByteArray& path, int nError, qint32 nResult)
{
    if (std::exchange(m_reported[size_t(trouble)], true))
        return nResult;
    static constexpr const char* kWhat[] = {
        "store unreadable",
        "lock not taken",
        "read-only store left alone",
        "store not written",
    };
    static constexpr const char* kConsequence[] = {
        "the defaults are used and the file is not written",
        "the change is not saved",
        "changes are not saved",
        "the change is not saved",
    };
    const QString reason = FileErrorText(nError);
    qCWarning(lcSettings).noquote().nospace() << kWhat[trouble] << ": " << QFile::decodeName(path)
                                              << ": " << reason << "; " << kConsequence[trouble];
    return nResult;
}

QByteArray CRegistryFile::FilePath()
{
    const std::lock_guard guard(m_mutex);
    return PathLocked();
}

QByteArray CRegistryFile::PathLocked()
{
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (!configHome)
        configHome = "";
    if (!home)
        home = "";
    if (!m_path.isEmpty() && m_configHome == configHome && m_home == home)
        return m_path;
    m_configHome = configHome;
    m_home = home;
    m_path = UserConfigHome();
    m_path.append(kStoreFolder);
    m_path.append(kStoreName);
    // Another store is another file: its failures are its own.
    m_reported = {};
    m_bLockStuck = false;
    return m_path;
}

CRegistryFile::Snapshot CRegistryFile::Load()
{
    const std::lock_guard guard(m_mutex);
    Text text;
    if (LoadLocked(PathLocked(), text) != ERROR_SUCCESS)
        return std::make_shared<const CRegistryData>();
    return Snapshot(text, &text->data);
}

qint32 CRegistryFile::LoadLocked(const QByteArray& path, Text& text)
{
    // The file read last, unchanged, or still no file: what is kept is current, however the
    // path reaches it now. A plain stat(), as every load asks this.
    struct stat status;
    const int nStat = stat(path.constData(), &status) == 0 ? 0 : errno;
    if (m_pKept && m_keptPath == path &&
        (nStat == 0 ? !m_bKeptIsRacy && m_keptStamp == StampOf<FileStamp>(status)
                    : (nStat == ENOENT || nStat == ENOTDIR) && !m_keptStamp.bExists)) {
        text = m_pKept;
        return ERROR_SUCCESS;
    }
    // A FIFO, a device or a folder is not opened at all: it could block, or never end.
    CGuardedPath guarded(path);
    const int fd = guarded.Open(O_RDONLY | O_NOCTTY);
    if (fd < 0) {
        const int nError = guarded.Error();
        if (nError != ENOENT && nError != ENOTDIR)
            return Report(kUnreadable, path, nError, StatusOfErrno(nError, ERROR_CANTREAD));
        // No file is an empty store.
        if (!m_pKept || m_keptPath != path || m_keptStamp.bExists) {
            m_keptPath = path;
            m_keptStamp = FileStamp();
            m_pKept = std::make_shared<const RegistryParseResult>();
        }
        text = m_pKept;
        return ERROR_SUCCESS;
    }
    const qint32 nResult = ReadFile(path, fd, text);
    close(fd);
    return nResult;
}

qint32 CRegistryFile::ReadFile(const QByteArray& path, int fd, Text& text)
{
    struct stat status;
    QByteArray bytes;
    int nError = 0;
    if (fstat(fd, &status) != 0) {
        nError = errno;
    } else if (status.st_size > kMaxFileSize) {
        nError = EFBIG;
    } else {
        // The size is a hint only: a file written in place meanwhile is read to its end.
        bytes.resize(qsizetype(status.st_size) + 1);
        qsizetype nRead = 0;
        for (;;) {
            if (nRead == bytes.size()) {
                if (bytes.size() > kMaxFileSize) {
                    nError = EFBIG;
                    break;
                }
                bytes.resize(bytes.size() * 2);
            }
            const ssize_t n = read(fd, bytes.data() + nRead, size_t(bytes.size() - nRead));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                nError = errno;
            if (n <= 0)
                break;
            nRead += n;
        }
        bytes.truncate(nRead);
    }
    if (nError != 0)
        return Report(kUnreadable, path, nError, StatusOfErrno(nError, ERROR_CANTREAD));

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 nChanged = std::max(Nanoseconds(status.st_mtim), Nanoseconds(status.st_ctim));
    m_bKeptIsRacy = Nanoseconds(now) - nChanged < kRacyNanoseconds;
    m_keptStamp = StampOf<FileStamp>(status);
    m_keptPath = path;
    m_pKept = std::make_shared<const RegistryParseResult>(ParseRegistryText(bytes));
    text = m_pKept;
    return ERROR_SUCCESS;
}

qint32 CRegistryFile::Update(const Change& change, Snapshot* pWritten)
{
    const std::lock_guard guard(m_mutex);
    const QByteArray path = PathLocked();
    if (!MakeFolders(FolderOf(path)))
        return Report(kNotWritten, path, errno, StatusOfErrno(errno, ERROR_CANTWRITE));
    QByteArray lockPath = path;
    lockPath.append(".lock");
    const CStoreLock lock(lockPath,
                          m_bLockStuck ? std::min(m_lockWait, kStuckLockWait) : m_lockWait);
    m_bLockStuck = lock.Error() == EWOULDBLOCK;
    if (lock.Error() != 0)
        return Report(kLockNotTaken, lockPath, lock.Error(),
                      StatusOfErrno(lock.Error(), ERROR_LOCK_VIOLATION));

    Text current;
    if (const qint32 nResult = LoadLocked(path, current); nResult != ERROR_SUCCESS)
        return nResult;
    auto pChanged = std::make_shared<CRegistryData>(current->data);
    if (const qint32 nResult = change(*pChanged); nResult != ERROR_SUCCESS)
        return nResult;
    if (*pChanged == current->data) {
        if (pWritten)
            *pWritten = Snapshot(current, &current->data);
        return ERROR_SUCCESS;
    }
    // Through a symbolic link to the file it names, which the rename then replaces.
    CGuardedPath target(path);
    if (const int fd = target.Open(O_PATH); fd >= 0)
        close(fd);
    else if (target.Folder() < 0 || target.Error() != ENOENT)
        return Report(kNotWritten, path, target.Error(),
                      StatusOfErrno(target.Error(), ERROR_CANTWRITE));
    if (const int nError = m_keptStamp.bExists ? WriteRefusal(target.Folder(), target.Name()) : 0)
        return Report(kReadOnly, target.Path(), nError, ERROR_ACCESS_DENIED);
    if (const qint32 nResult = WriteFile(target.Folder(), target.Name(), target.Path(),
                                         UpdateRegistryText(*current, *pChanged));
        nResult != ERROR_SUCCESS)
        return nResult;
    if (pWritten)
        *pWritten = pChanged;
    return ERROR_SUCCESS;
}

qint32 CRegistryFile::WriteFile(int folder, const QByteArray& name, const QByteArray& path,
                                const QByteArray& bytes)
{
    QByteArray tempName = name;
    tempName.append(".tmp");
    // Left over from a write that was cut short: under the lock it is nobody's.
    unlinkat(folder, tempName.constData(), 0);
    int nError = WriteWhole(folder, tempName, name, bytes, true);
    if (nError == ENOTSUP)
        nError = WriteWhole(folder, tempName, name, bytes, false);
    if (nError == 0 && renameat(folder, tempName.constData(), folder, name.constData()) != 0)
        nError = errno;
    if (nError != 0) {
        unlinkat(folder, tempName.constData(), 0);
        return Report(kNotWritten, path, nError, StatusOfErrno(nError, ERROR_CANTWRITE));
    }
    // The rename lasts only once the folder's entry is on disk too.
    if (const int folderFd = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return ERROR_SUCCESS;
}

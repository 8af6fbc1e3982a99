#include "platform/RegistryFile.h"

#include "platform/RegistryText.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
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

qint64 Nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
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

// Holds the store's lock file locked for as long as it lives.
class CStoreLock
{
public:
    explicit CStoreLock(const QByteArray& path)
    {
        m_fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            m_nError = errno;
            return;
        }
        while (flock(m_fd, LOCK_EX) != 0) {
            if (errno != EINTR) {
                m_nError = errno;
                return;
            }
        }
    }
    ~CStoreLock()
    {
        if (m_fd >= 0)
            close(m_fd); // releases the lock
    }
    CStoreLock(const CStoreLock&) = delete;
    CStoreLock& operator=(const CStoreLock&) = delete;

    int Error() const { return m_nError; }

private:
    int m_fd = -1;
    int m_nError = 0;
};

} // namespace

CRegistryFile& CRegistryFile::User()
{
    static CRegistryFile file;
    return file;
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
    QByteArray base = m_configHome;
    if (base.isEmpty()) {
        base = m_home;
        if (base.isEmpty()) {
            if (const passwd* pUser = getpwuid(getuid()))
                base = pUser->pw_dir;
        }
        base.append("/.config");
    }
    m_path = base;
    m_path.append(kStoreFolder);
    m_path.append(kStoreName);
    return m_path;
}

CRegistryFile::FileStamp CRegistryFile::StampOf(const struct stat& status)
{
    return FileStamp{true,
                     quint64(status.st_dev),
                     quint64(status.st_ino),
                     qint64(status.st_size),
                     Nanoseconds(status.st_mtim),
                     Nanoseconds(status.st_ctim)};
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
    struct stat status;
    if (stat(path.constData(), &status) != 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            return StatusOfErrno(errno, ERROR_CANTREAD);
        // No file is an empty store.
        if (!m_pKept || m_keptPath != path || m_keptStamp.bExists) {
            m_keptPath = path;
            m_keptStamp = FileStamp();
            m_pKept = std::make_shared<const RegistryParseResult>();
        }
        text = m_pKept;
        return ERROR_SUCCESS;
    }
    if (m_pKept && !m_bKeptIsRacy && m_keptStamp == StampOf(status) && m_keptPath == path) {
        text = m_pKept;
        return ERROR_SUCCESS;
    }
    return ReadFile(path, text);
}

qint32 CRegistryFile::ReadFile(const QByteArray& path, Text& text)
{
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return StatusOfErrno(errno, ERROR_CANTREAD);
    struct stat status;
    QByteArray bytes;
    qint32 nResult = ERROR_SUCCESS;
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kMaxFileSize) {
        nResult = ERROR_CANTREAD;
    } else {
        // The size is a hint only: a file written in place meanwhile is read to its end.
        bytes.resize(qsizetype(status.st_size) + 1);
        qsizetype nRead = 0;
        for (;;) {
            if (nRead == bytes.size()) {
                if (bytes.size() > kMaxFileSize) {
                    nResult = ERROR_CANTREAD;
                    break;
                }
                bytes.resize(bytes.size() * 2);
            }
            const ssize_t n = read(fd, bytes.data() + nRead, size_t(bytes.size() - nRead));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                nResult = StatusOfErrno(errno, ERROR_CANTREAD);
            if (n <= 0)
                break;
            nRead += n;
        }
        bytes.truncate(nRead);
    }
    close(fd);
    if (nResult != ERROR_SUCCESS)
        return nResult;

    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const qint64 nChanged = std::max(Nanoseconds(status.st_mtim), Nanoseconds(status.st_ctim));
    m_bKeptIsRacy = Nanoseconds(now) - nChanged < kRacyNanoseconds;
    m_keptStamp = StampOf(status);
    m_keptPath = path;
    m_pKept = std::make_shared<const RegistryParseResult>(ParseRegistryText(bytes));
    text = m_pKept;
    return ERROR_SUCCESS;
}

qint32 CRegistryFile::Update(const Change& change, Snapshot* pWritten)
{
    const std::lock_guard guard(m_mutex);
    const QByteArray path = PathLocked();
    const QByteArray folder = path.first(path.lastIndexOf('/'));
    if (!MakeFolders(folder))
        return StatusOfErrno(errno, ERROR_CANTWRITE);
    QByteArray lockPath = path;
    lockPath.append(".lock");
    const CStoreLock lock(lockPath);
    if (lock.Error() != 0)
        return StatusOfErrno(lock.Error(), ERROR_CANTWRITE);

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

    QByteArray tempPath = path;
    tempPath.append(".tmp");
    const int fd = open(tempPath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return StatusOfErrno(errno, ERROR_CANTWRITE);
    // A file the user made private stays private.
    struct stat old;
    if (stat(path.constData(), &old) == 0)
        fchmod(fd, old.st_mode & 07777);
    const bool bWritten = WriteAll(fd, UpdateRegistryText(*current, *pChanged)) && fsync(fd) == 0;
    const int nWriteError = errno;
    if (close(fd) != 0 || !bWritten || rename(tempPath.constData(), path.constData()) != 0) {
        const int nError = bWritten ? errno : nWriteError;
        unlink(tempPath.constData());
        return StatusOfErrno(nError, ERROR_CANTWRITE);
    }
    // The rename lasts only once the folder's entry is on disk too.
    if (const int folderFd = open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    if (pWritten)
        *pWritten = pChanged;
    return ERROR_SUCCESS;
}

#include "platform/files/linux/GuardedPath.h"

#include "platform/files/RegularFile.h"

#include <QByteArrayList>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel follows in one path.
constexpr int kMaxLinks = 40;

// The kernel keeps this rule for links in sticky world-writable folders only; a folder shared
// without the sticky bit lets its users plant links just as well.
bool MayFollow(const struct stat& link, const struct stat& folder)
{
    return link.st_uid == geteuid() || link.st_uid == folder.st_uid ||
           (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// Puts the names of the path on the stack, its first name on top. A path that ends in a slash
// (or is the root) names a folder: "." stands for it.
void PushNames(const QByteArray& path, QByteArrayList& pending)
{
    // The usual log or store name, without the copies below.
    if (!path.isEmpty() && !path.contains('/')) {
        pending.append(path);
        return;
    }
    const qsizetype nBefore = pending.size();
    if (path.endsWith('/'))
        pending.append(".");
    for (qsizetype end = path.size(); end > 0;) {
        const qsizetype start = path.lastIndexOf('/', end - 1) + 1;
        if (start < end)
            pending.append(path.sliced(start, end - start));
        end = start - 1;
    }
    if (pending.size() == nBefore)
        pending.append(".");
}

QByteArray Joined(const QByteArray& folder, const QByteArray& name)
{
    if (folder.isEmpty())
        return name;
    return folder.endsWith('/') ? QByteArray(folder + name) : QByteArray(folder + '/' + name);
}

} // namespace

CGuardedPath::CGuardedPath(QByteArrayView path) : m_path(path.toByteArray()) {}

CGuardedPath::~CGuardedPath()
{
    if (m_nFolder >= 0)
        close(m_nFolder);
}

QByteArray CGuardedPath::Path() const
{
    return Joined(m_folderPath, m_name);
}

int CGuardedPath::Folder()
{
    // The working folder is opened only for a caller that goes on using it.
    if (m_nFolder == AT_FDCWD)
        m_nFolder = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    return m_nFolder;
}

int CGuardedPath::Fail(int nError)
{
    m_nError = nError;
    // Only a folder the last name lies in is handed out.
    if (m_name.isEmpty() && m_nFolder != -1) {
        if (m_nFolder >= 0)
            close(m_nFolder);
        m_nFolder = -1;
        m_folderPath.clear();
    }
    return -1;
}

bool CGuardedPath::Enter(int nFolder, const QByteArray& name)
{
    if (nFolder < 0)
        return false;
    if (m_nFolder >= 0)
        close(m_nFolder);
    m_nFolder = nFolder;
    m_folderPath = name == "/" ? name : Joined(m_folderPath, name);
    return true;
}

int CGuardedPath::Open(int nFlags, unsigned nMode)
{
    if (m_nFolder >= 0)
        close(m_nFolder);
    m_nFolder = -1;
    m_folderPath.clear();
    m_name.clear();
    m_nError = 0;
    if (m_path.isEmpty() || m_path.contains('\0'))
        return Fail(ENOENT);
    // A relative path starts in the working folder itself, which only this process can change.
    if (!m_path.startsWith('/'))
        m_nFolder = AT_FDCWD;
    else if (!Enter(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC), "/"))
        return Fail(errno);
    const int nOpenFlags = nFlags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    QByteArrayList pending;
    PushNames(m_path, pending);
    // Links followed, and names looked at again after another user changed them meanwhile.
    int nSteps = 0;
    while (!pending.isEmpty()) {
        const QByteArray name = pending.takeLast();
        const bool bLast = pending.isEmpty();
        if (bLast)
            m_name = name;
        struct stat status{};
        int fd = -1;
        // A regular file at the end is only looked at before it is opened by its name, as a
        // descriptor of the look would be: only a link needs one, to be read as it was looked at.
        const bool bLookOnly = bLast && (nFlags & O_PATH) == 0;
        const int nLookError =
            !bLookOnly || fstatat(m_nFolder, name.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
        if (!bLookOnly || nLookError != 0 || !S_ISREG(status.st_mode)) {
            if (nLookError != ENOENT)
                fd = openat(m_nFolder, name.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
            const int nError = fd >= 0 ? 0 : nLookError == ENOENT ? ENOENT : errno;
            if (nError == ENOENT && bLast && (nFlags & O_CREAT)) {
                // O_EXCL: whatever takes the name meanwhile is looked at afresh, not opened blindly.
                const int nNew = openat(m_nFolder, name.constData(), nOpenFlags | O_EXCL, nMode);
                if (nNew >= 0 || errno != EEXIST || ++nSteps > kMaxLinks)
                    return nNew >= 0 ? nNew : Fail(errno);
                pending.append(name);
                continue;
            }
            if (fd < 0)
                return Fail(nError);
            if (fstat(fd, &status) != 0) {
                const int nStatError = errno;
                close(fd);
                return Fail(nStatError);
            }
        }
        if (S_ISLNK(status.st_mode)) {
            struct stat folder{};
            char target[PATH_MAX];
            ssize_t nTarget = 0;
            int nError = 0;
            if (fstatat(m_nFolder, "", &folder, AT_EMPTY_PATH) != 0)
                nError = errno; // NOLINT(bugprone-branch-clone): the errno of another call
            else if (!MayFollow(status, folder))
                nError = kForeignLink;
            else if (++nSteps > kMaxLinks)
                nError = ELOOP;
            // The target of the very link whose owner was just looked at.
            else if ((nTarget = readlinkat(fd, "", target, sizeof target)) < 0)
                nError = errno;
            else if (nTarget == ssize_t(sizeof target))
                nError = ENAMETOOLONG;
            close(fd);
            if (nError != 0)
                return Fail(nError);
            const QByteArray linkTarget(target, nTarget);
            if (linkTarget.startsWith('/') &&
                !Enter(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC), "/"))
                return Fail(errno);
            m_name.clear();
            PushNames(linkTarget, pending);
            continue;
        }
        if (!bLast) {
            if (!S_ISDIR(status.st_mode)) {
                close(fd);
                return Fail(ENOTDIR);
            }
            Enter(fd, name);
            continue;
        }
        if (!S_ISREG(status.st_mode)) {
            close(fd);
            return Fail(kNotRegularFile);
        }
        if ((nFlags & O_PATH) != 0)
            return fd;
        if (fd >= 0)
            close(fd);
        const int file = openat(m_nFolder, name.constData(), nOpenFlags, nMode);
        if (file < 0 && errno == ELOOP && ++nSteps <= kMaxLinks) {
            // A link took the file's place since it was looked at.
            pending.append(name);
            continue;
        }
        if (file < 0)
            return Fail(errno);
        // O_NONBLOCK kept a FIFO put there meanwhile from holding the open; it is not used.
        if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
            close(file);
            return Fail(kNotRegularFile);
        }
        return file;
    }
    return Fail(ENOENT);
}

#include "platform/files/FileAppend.h"

#include "platform/files/linux/GuardedPath.h"

#include <QByteArray>
#include <QVarLengthArray>

#include <cerrno>
#include <ctime>
#include <mutex>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

// How long a record waits for another writer before it is given up: short, as the user
// interface waits with it.
constexpr int kLockAttempts = 20;
constexpr long kLockPauseNanoseconds = 5'000'000;

int LockForWriting(int fd)
{
    for (int nAttempt = 0;; ++nAttempt) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || nAttempt + 1 == kLockAttempts)
            return errno;
        const timespec pause{0, kLockPauseNanoseconds};
        nanosleep(&pause, nullptr);
    }
}

// nWritten counts what reached the file, also when the write failed part of the way.
int WriteAll(int fd, QVarLengthArray<iovec, 4> pieces, size_t& nWritten)
{
    qsizetype nFirst = 0;
    while (nFirst < pieces.size()) {
        const ssize_t n = writev(fd, &pieces[nFirst], int(pieces.size() - nFirst));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        nWritten += size_t(n);
        // A short write goes on where it stopped.
        for (size_t nLeft = size_t(n); nLeft > 0;) {
            iovec& piece = pieces[nFirst];
            const size_t nTaken = std::min(nLeft, piece.iov_len);
            piece.iov_base = static_cast<char*>(piece.iov_base) + nTaken;
            piece.iov_len -= nTaken;
            nLeft -= nTaken;
            if (piece.iov_len == 0)
                ++nFirst;
        }
        while (nFirst < pieces.size() && pieces[nFirst].iov_len == 0)
            ++nFirst;
    }
    return 0;
}

int AppendLocked(int fd, std::initializer_list<QByteArrayView> pieces)
{
    QVarLengthArray<iovec, 4> vectors;
    for (QByteArrayView piece : pieces)
        vectors.append({const_cast<char*>(piece.data()), size_t(piece.size())});
    size_t nWritten = 0;
    const int nError = WriteAll(fd, vectors, nWritten);
    if (nError != 0 && nWritten > 0) {
        // Half a record would have the next one glued onto it. An appending write leaves the
        // offset after its bytes, so where the record began needs no look of its own.
        const off_t nEnd = lseek(fd, 0, SEEK_CUR);
        if (nEnd >= off_t(nWritten)) {
            [[maybe_unused]] const int nCut = ftruncate(fd, nEnd - off_t(nWritten));
        }
    }
    return nError;
}

// The file last appended to stays open, as opening it costs more than the append: each
// append looks at its name again and writes only while the name still holds that very file,
// a regular one. Anything else there (a link, a new file, nothing) is opened afresh, guarded.
class CKeptFile
{
public:
    int StillNamedBy(QByteArrayView path) const
    {
        struct stat status{};
        if (m_fd < 0 || path != m_path ||
            fstatat(AT_FDCWD, m_path.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return -1;
        return S_ISREG(status.st_mode) && status.st_dev == m_nDevice && status.st_ino == m_nInode ? m_fd : -1;
    }
    bool Keep(QByteArrayView path, int fd)
    {
        struct stat status{};
        if (fstat(fd, &status) != 0)
            return false;
        m_path = path.toByteArray();
        m_fd = fd;
        m_nDevice = status.st_dev;
        m_nInode = status.st_ino;
        return true;
    }
    void Close()
    {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = -1;
    }

private:
    QByteArray m_path;
    int m_fd = -1;
    dev_t m_nDevice = 0;
    ino_t m_nInode = 0;
};

} // namespace

int AppendToFile(QByteArrayView path, std::initializer_list<QByteArrayView> pieces)
{
    // Appends come from the user-interface thread; the lock only keeps any other caller safe.
    static std::mutex s_mutex;
    static CKeptFile s_kept;
    const std::lock_guard guard(s_mutex);
    int fd = s_kept.StillNamedBy(path);
    if (fd < 0) {
        s_kept.Close();
        // A FIFO or a device is not even opened: opening one may wait for a reader, or touch
        // it. O_APPEND without O_TRUNC: an existing file is never cut, even when it appears
        // between a look at the name and the open.
        CGuardedPath guarded(path);
        fd = guarded.Open(O_WRONLY | O_CREAT | O_APPEND, 0666);
        if (fd < 0)
            return guarded.Error();
        if (!s_kept.Keep(path, fd)) {
            const int nError = errno;
            close(fd);
            return nError;
        }
    }
    int nError = LockForWriting(fd);
    if (nError == 0) {
        nError = AppendLocked(fd, pieces);
        flock(fd, LOCK_UN);
    }
    if (nError != 0)
        s_kept.Close();
    return nError;
}
#include "platform/files/FileAppend.h"

#include "platform/files/linux/GuardedPath.h"

#include <QByteArray>
#include <QVarLengthArray>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
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

} // namespace

int AppendToFile(QByteArrayView path, std::initializer_list<QByteArrayView> pieces)
{
    // A FIFO or a device is not even opened: opening one may wait for a reader, or touch it.
    // O_APPEND without O_TRUNC: an existing file is never cut, even when it appears between a
    // look at the name and the open.
    CGuardedPath guarded(path);
    const int fd = guarded.Open(O_WRONLY | O_CREAT | O_APPEND, 0666);
    if (fd < 0)
        return guarded.Error();
    int nError = LockForWriting(fd);
    if (nError == 0)
        nError = AppendLocked(fd, pieces);
    // Closing releases the lock.
    if (close(fd) != 0 && nError == 0)
        nError = errno;
    return nError;
}

#include "platform/FileAppend.h"

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

bool LockForWriting(int fd)
{
    for (int nAttempt = 0;; ++nAttempt) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || nAttempt + 1 == kLockAttempts)
            return false;
        const timespec pause{0, kLockPauseNanoseconds};
        nanosleep(&pause, nullptr);
    }
}

bool WriteAll(int fd, QVarLengthArray<iovec, 4> pieces)
{
    qsizetype nFirst = 0;
    while (nFirst < pieces.size()) {
        const ssize_t n = writev(fd, &pieces[nFirst], int(pieces.size() - nFirst));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
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
    return true;
}

} // namespace

bool AppendToFile(QByteArrayView path, std::initializer_list<QByteArrayView> pieces)
{
    if (path.isEmpty() || path.contains('\0'))
        return false;
    // O_APPEND without O_TRUNC: an existing file is never cut, even when it appears between a
    // test for it and the open.
    const int fd = open(path.toByteArray().constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC,
                        0666);
    if (fd < 0)
        return false;
    bool bWritten = false;
    if (LockForWriting(fd)) {
        QVarLengthArray<iovec, 4> vectors;
        for (QByteArrayView piece : pieces)
            vectors.append({const_cast<char*>(piece.data()), size_t(piece.size())});
        bWritten = WriteAll(fd, vectors);
    }
    // Closing releases the lock.
    return close(fd) == 0 && bWritten;
}

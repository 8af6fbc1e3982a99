#include "platform/registry/StoreLock.h"

#include "platform/files/linux/GuardedPath.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr long kPauseNanoseconds = 5'000'000;

} // namespace

struct CStoreLock::Impl
{
    int fd = -1; // holds the lock while open
};

CStoreLock::CStoreLock(const QByteArray& path, std::chrono::milliseconds wait)
    : m_pImpl(std::make_unique<Impl>())
{
    int& fd = m_pImpl->fd;
    // Without blocking: whatever sits at the lock's name must not hold up the open. Nor is
    // another user's link there followed, to create or open a file of theirs choosing.
    CGuardedPath guarded(path);
    fd = guarded.Open(O_RDWR | O_CREAT | O_NOCTTY, 0600);
    if (fd < 0) {
        m_nError = guarded.Error();
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            m_nError = errno;
            return;
        }
        const timespec pause{0, kPauseNanoseconds};
        nanosleep(&pause, nullptr);
    }
}

CStoreLock::~CStoreLock()
{
    if (m_pImpl->fd >= 0)
        close(m_pImpl->fd); // releases the lock
}

#include "platform/StoreLock.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr long kPauseNanoseconds = 5'000'000;

} // namespace

CStoreLock::CStoreLock(const QByteArray& path, std::chrono::milliseconds wait)
{
    // Without blocking: whatever sits at the lock's name must not hold up the open.
    m_fd = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0600);
    if (m_fd < 0) {
        m_nError = errno;
        return;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
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
    if (m_fd >= 0)
        close(m_fd); // releases the lock
}

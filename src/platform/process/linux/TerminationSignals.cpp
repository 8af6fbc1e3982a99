#include "platform/process/TerminationSignals.h"

#include "platform/app/Logging.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Written by the signal handler, read on the user-interface thread.
int g_signalPipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int)
{
    const int nSavedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(g_signalPipe[0], &byte, 1);
    errno = nSavedErrno;
}

} // namespace

struct CTerminationSignals::Impl
{
    std::unique_ptr<QSocketNotifier> pNotifier; // on the pipe's reading end
};

CTerminationSignals::CTerminationSignals(QObject* pParent)
    : QObject(pParent), m_pImpl(std::make_unique<Impl>())
{
    if (g_signalPipe[0] < 0 &&
        socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        qCWarning(lcApp) << "SIGTERM, SIGINT and SIGHUP will end the program without saving:"
                         << "no signal pipe:" << qt_error_string(errno);
        return;
    }
    m_pImpl->pNotifier = std::make_unique<QSocketNotifier>(g_signalPipe[1], QSocketNotifier::Read);
    connect(m_pImpl->pNotifier.get(), &QSocketNotifier::activated, this, [this] {
        char buffer[16];
        while (read(g_signalPipe[1], buffer, sizeof buffer) > 0) {
        }
        emit Terminate();
    });
    struct sigaction action{};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int nSignal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(nSignal, &action, nullptr);
}

CTerminationSignals::~CTerminationSignals()
{
    struct sigaction action{};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int nSignal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(nSignal, &action, nullptr);
}

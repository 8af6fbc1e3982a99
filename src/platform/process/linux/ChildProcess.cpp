#include "platform/process/ChildProcess.h"

#include "platform/app/Logging.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

extern char** environ;

namespace {

// Through the system call: the C library's declaration of it lacks C linkage here.
int OpenProcessDescriptor(pid_t pid)
{
    return int(syscall(SYS_pidfd_open, pid, 0));
}

} // namespace

// Watches one started program and collects its end. It lives as long as the handle, or, when
// the handle goes first, until the program has ended.
class CChildWatch : public QObject
{
public:
    explicit CChildWatch(pid_t pid) : m_pid(pid), m_pidfd(OpenProcessDescriptor(pid))
    {
        // A process descriptor becomes readable when the program ends. Without one (a kernel
        // that has none) the end is collected when someone asks.
        if (m_pidfd >= 0) {
            m_pNotifier = new QSocketNotifier(m_pidfd, QSocketNotifier::Read, this);
            connect(m_pNotifier, &QSocketNotifier::activated, this, [this] { Collect(); });
        } else if (static bool s_bTold = false; !s_bTold) {
            s_bTold = true;
            qCWarning(lcAlerts).noquote()
                << "ended tasks are collected only when asked about:" << qt_error_string(errno);
        }
    }

    ~CChildWatch() override
    {
        delete m_pNotifier;
        if (m_pidfd >= 0)
            close(m_pidfd);
    }

    // True while the program runs; collects its end without waiting when it has come.
    bool Collect()
    {
        if (m_bRunning) {
            siginfo_t info{};
            const int nResult = waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG);
            // An end is there when info names the process; ECHILD: it was collected elsewhere.
            if ((nResult == 0 && info.si_pid == m_pid) || (nResult != 0 && errno == ECHILD))
                Ended();
        }
        return m_bRunning;
    }

    // The handle is gone: the watch ends itself once the program has. Until then it belongs to
    // the application, so it goes at the latest with it.
    void Release()
    {
        if (!Collect()) {
            delete this;
            return;
        }
        m_bReleased = true;
        setParent(QCoreApplication::instance());
    }

    bool IsRunning() { return Collect(); }
    pid_t ProcessId() const { return m_pid; }

private:
    void Ended()
    {
        m_bRunning = false;
        // The descriptor goes with the program: thousands of handles kept for alerts must not
        // hold as many descriptors.
        if (m_pNotifier) {
            m_pNotifier->setEnabled(false);
            m_pNotifier->deleteLater();
            m_pNotifier = nullptr;
        }
        if (m_pidfd >= 0) {
            close(m_pidfd);
            m_pidfd = -1;
        }
        if (m_bReleased)
            deleteLater();
    }

    pid_t m_pid;
    int m_pidfd;
    QSocketNotifier* m_pNotifier = nullptr;
    bool m_bRunning = true;
    bool m_bReleased = false;
};

std::unique_ptr<CChildProcess> CChildProcess::Start(const QByteArray& program,
                                                    const QList<QByteArray>& arguments)
{
    if (program.isEmpty() || program.contains('\0'))
        return nullptr;
    QList<QByteArray> args{program};
    args.append(arguments);
    std::vector<char*> argv;
    for (QByteArray& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    // The program starts with every signal at its default and none blocked, whatever this
    // program has set for its own use.
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int nError = posix_spawnp(&pid, argv[0], nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (nError != 0)
        return nullptr;
    return std::unique_ptr<CChildProcess>(new CChildProcess(new CChildWatch(pid)));
}

CChildProcess::~CChildProcess()
{
    m_pWatch->Release();
}

bool CChildProcess::IsRunning() const
{
    return m_pWatch->IsRunning();
}

qint64 CChildProcess::ProcessId() const
{
    return m_pWatch->ProcessId();
}

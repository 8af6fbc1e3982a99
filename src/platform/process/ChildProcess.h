#pragma once

#include <QByteArray>
#include <QList>

#include <memory>

class CChildWatch;

// A program started on its own: its arguments as given and no shell, default signal handling,
// a session of its own so that it outlives this program. Whether it still runs can be asked at
// any time without waiting. Its end is collected as soon as it comes, also when the handle is
// gone by then, so it never lingers as a zombie.
class CChildProcess
{
public:
    // The program is looked up in PATH unless its name holds a slash. Null when it could not
    // be started.
    static std::unique_ptr<CChildProcess> Start(const QByteArray& program,
                                                const QList<QByteArray>& arguments);
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;
    // Leaves the program running.
    ~CChildProcess();

    bool IsRunning() const;
    qint64 ProcessId() const;

private:
    explicit CChildProcess(CChildWatch* pWatch) : m_pWatch(pWatch) {}

    CChildWatch* m_pWatch;
};

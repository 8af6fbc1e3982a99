#pragma once

#include <QString>

// Where the per-user lock and channel of the instance with this name live: in $XDG_RUNTIME_DIR,
// or, without one, in /tmp under a name that carries the user id.
QString InstancePath(const QString& strInstanceName);

// The mark of the running copy: an exclusive flock() on a file that only this user can open.
// The kernel drops the lock when the process ends, however it ends.
class CInstanceLock
{
public:
    enum class Result
    {
        Acquired,
        HeldElsewhere, // another process of this user holds it
        Failed,        // the lock file cannot be opened
    };

    CInstanceLock() = default;
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;
    ~CInstanceLock();

    Result Acquire(const QString& strInstanceName);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

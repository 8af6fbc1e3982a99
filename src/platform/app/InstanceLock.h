#pragma once

#include <QString>
#include <memory>

// The mark of the running copy: an exclusive flock() on a file that only this user can open,
// kept with the copy's channel in a folder of this user's own: $XDG_RUNTIME_DIR, or, when that
// is unset or unusable, "tellwick-<uid>" in the temporary folder, made private on first use.
// The kernel drops the lock when the process ends, however it ends.
class CInstanceLock
{
public:
    enum class Result
    {
        Acquired,
        HeldElsewhere, // another process of this user holds it
        Failed,        // no private folder could hold it; the reasons have been told
    };

    CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;
    ~CInstanceLock();

    Result Acquire(const QString& strInstanceName);
    void Release();
    bool IsHeld() const;
    // Where the channel of the copy that holds the lock listens; empty after a failure.
    QString ChannelPath() const { return m_strChannelPath; }

private:
    // Tries the lock file in one folder; on failure the reason is in strFault.
    Result AcquireIn(const QString& strFolder, const QString& strInstanceName, QString& strFault);

    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    QString m_strChannelPath;
};

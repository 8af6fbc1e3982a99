#pragma once

#include <QByteArray>
#include <chrono>
#include <memory>

// An exclusive lock on a lock file, held for as long as the object lives. Another holder is
// waited for up to a time limit, never longer, so that a stopped or hung process cannot
// freeze the program.
class CStoreLock
{
public:
    CStoreLock(const QByteArray& path, std::chrono::milliseconds wait);
    ~CStoreLock();
    CStoreLock(const CStoreLock&) = delete;
    CStoreLock& operator=(const CStoreLock&) = delete;

    // 0 when the lock is held; otherwise why not (EWOULDBLOCK: another holder outlasted the wait).
    int Error() const { return m_nError; }

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    int m_nError = 0;
};

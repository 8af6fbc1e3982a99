#pragma once

#include <csignal>
#include <sys/resource.h>

// Stands in for a full disk: writes past the limit fail (and raise no signal) until it ends.
class CFileSizeLimit
{
public:
    explicit CFileSizeLimit(rlim_t nBytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_pfnSavedHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = nBytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;
    ~CFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_pfnSavedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_pfnSavedHandler)(int);
};

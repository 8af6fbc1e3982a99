#pragma once

#include <avahi-common/watch.h>

// Runs Avahi's client on the Qt event loop of the thread that creates it: its sockets are
// watched by socket notifiers and its timeouts are single-shot timers, so every callback
// comes on that thread.
class CAvahiPoll
{
public:
    CAvahiPoll();
    CAvahiPoll(const CAvahiPoll&) = delete;
    CAvahiPoll& operator=(const CAvahiPoll&) = delete;

    const AvahiPoll* Api() const { return &m_api; }

private:
    AvahiPoll m_api;
};

#pragma once

// Avahi's table of event-loop functions, from <avahi-common/watch.h>.
struct AvahiPoll;

// Runs Avahi's client on the Qt event loop of the thread that creates it: its sockets are
// watched by socket notifiers and its timeouts are single-shot timers, so every callback
// comes on that thread. Only the Avahi services of the platform layer use it.
class CAvahiPoll
{
public:
    CAvahiPoll() = default;
    CAvahiPoll(const CAvahiPoll&) = delete;
    CAvahiPoll& operator=(const CAvahiPoll&) = delete;

    const AvahiPoll* Api() const;
};

#include "platform/discovery/linux/AvahiPoll.h"

#include <QSocketNotifier>
#include <QTimer>
#include <avahi-common/timeval.h>
#include <avahi-common/watch.h>
#include <memory>

// Avahi may free a watch or timeout from inside its own callback; it is then only marked and
// deleted once the callback has returned.
struct AvahiWatch
{
    AvahiWatch(int f, AvahiWatchCallback c, void* u)
        : fd(f), callback(c), userdata(u),
          pRead(std::make_unique<QSocketNotifier>(f, QSocketNotifier::Read)),
          pWrite(std::make_unique<QSocketNotifier>(f, QSocketNotifier::Write))
    {
    }

    int fd;
    AvahiWatchCallback callback;
    void* userdata;
    std::unique_ptr<QSocketNotifier> pRead;
    std::unique_ptr<QSocketNotifier> pWrite;
    AvahiWatchEvent happened = AvahiWatchEvent(0);
    bool bInCallback = false;
    bool bFreed = false;
};

struct AvahiTimeout
{
    AvahiTimeout(AvahiTimeoutCallback c, void* u) : callback(c), userdata(u) {}

    AvahiTimeoutCallback callback;
    void* userdata;
    QTimer timer;
    bool bInCallback = false;
    bool bFreed = false;
};

namespace {

void DispatchWatch(AvahiWatch* w, AvahiWatchEvent event)
{
    w->happened = event;
    w->bInCallback = true;
    w->callback(w, w->fd, event, w->userdata);
    w->bInCallback = false;
    w->happened = AvahiWatchEvent(0);
    if (w->bFreed)
        delete w;
}

void WatchUpdate(AvahiWatch* w, AvahiWatchEvent events)
{
    w->pRead->setEnabled(events & (AVAHI_WATCH_IN | AVAHI_WATCH_ERR | AVAHI_WATCH_HUP));
    w->pWrite->setEnabled(events & AVAHI_WATCH_OUT);
}

AvahiWatch* WatchNew(const AvahiPoll*, int fd, AvahiWatchEvent events, AvahiWatchCallback callback,
                     void* userdata)
{
    auto* w = new AvahiWatch(fd, callback, userdata);
    QObject::connect(w->pRead.get(), &QSocketNotifier::activated,
                     [w] { DispatchWatch(w, AVAHI_WATCH_IN); });
    QObject::connect(w->pWrite.get(), &QSocketNotifier::activated,
                     [w] { DispatchWatch(w, AVAHI_WATCH_OUT); });
    WatchUpdate(w, events);
    return w;
}

AvahiWatchEvent WatchGetEvents(AvahiWatch* w)
{
    return w->happened;
}

void WatchFree(AvahiWatch* w)
{
    if (!w->bInCallback) {
        delete w;
        return;
    }
    WatchUpdate(w, AvahiWatchEvent(0));
    w->bFreed = true;
}

void TimeoutUpdate(AvahiTimeout* t, const struct timeval* tv)
{
    if (!tv) {
        t->timer.stop();
        return;
    }
    // avahi_age is how long ago the moment was, in microseconds; a future moment is negative.
    const AvahiUsec wait = -avahi_age(tv);
    t->timer.start(wait > 0 ? int(qMin<AvahiUsec>((wait + 999) / 1000, INT_MAX)) : 0);
}

AvahiTimeout* TimeoutNew(const AvahiPoll*, const struct timeval* tv, AvahiTimeoutCallback callback,
                         void* userdata)
{
    auto* t = new AvahiTimeout(callback, userdata);
    t->timer.setSingleShot(true);
    QObject::connect(&t->timer, &QTimer::timeout, [t] {
        t->bInCallback = true;
        t->callback(t, t->userdata);
        t->bInCallback = false;
        if (t->bFreed)
            delete t;
    });
    TimeoutUpdate(t, tv);
    return t;
}

void TimeoutFree(AvahiTimeout* t)
{
    if (!t->bInCallback) {
        delete t;
        return;
    }
    t->timer.stop();
    t->bFreed = true;
}

// Every watch and timeout carries its own state, so one table serves every client.
const AvahiPoll kApi{nullptr,   WatchNew,   WatchUpdate,   WatchGetEvents,
                     WatchFree, TimeoutNew, TimeoutUpdate, TimeoutFree};

} // namespace

const AvahiPoll* CAvahiPoll::Api() const
{
    return &kApi;
}

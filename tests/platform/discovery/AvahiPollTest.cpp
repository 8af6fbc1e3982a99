#include "platform/discovery/linux/AvahiPoll.h"

#include <QCoreApplication>
#include <avahi-common/timeval.h>
#include <avahi-common/watch.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct Calls
{
    int nCount = 0;
    AvahiWatchEvent lastEvent = AvahiWatchEvent(0);
    AvahiWatchEvent seenByGetEvents = AvahiWatchEvent(0);
    bool bFreeInCallback = false;
    const AvahiPoll* pApi = nullptr;
};

void OnWatch(AvahiWatch* w, int, AvahiWatchEvent event, void* userdata)
{
    auto* pCalls = static_cast<Calls*>(userdata);
    ++pCalls->nCount;
    pCalls->lastEvent = event;
    pCalls->seenByGetEvents = pCalls->pApi->watch_get_events(w);
    if (pCalls->bFreeInCallback)
        pCalls->pApi->watch_free(w);
    else
        pCalls->pApi->watch_update(w, AvahiWatchEvent(0));
}

void OnTimeout(AvahiTimeout* t, void* userdata)
{
    auto* pCalls = static_cast<Calls*>(userdata);
    ++pCalls->nCount;
    if (pCalls->bFreeInCallback)
        pCalls->pApi->timeout_free(t);
}

void ProcessEvents()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class AvahiPollTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(pipe(m_fds), 0); }
    void TearDown() override
    {
        close(m_fds[0]);
        close(m_fds[1]);
    }

    CAvahiPoll m_poll;
    const AvahiPoll* m_pApi = m_poll.Api();
    int m_fds[2] = {-1, -1};
};

TEST_F(AvahiPollTest, WatchReportsInputOnceDataIsWaiting)
{
    for (bool bFree : {false, true}) {
        SCOPED_TRACE(bFree ? "freed in its callback" : "switched off in its callback");
        Calls calls{0, AvahiWatchEvent(0), AvahiWatchEvent(0), bFree, m_pApi};
        AvahiWatch* w = m_pApi->watch_new(m_pApi, m_fds[0], AVAHI_WATCH_IN, OnWatch, &calls);
        ProcessEvents();
        EXPECT_EQ(calls.nCount, 0);

        ASSERT_EQ(write(m_fds[1], "x", 1), 1);
        ProcessEvents();
        EXPECT_EQ(calls.nCount, 1);
        EXPECT_EQ(calls.lastEvent, AVAHI_WATCH_IN);
        EXPECT_EQ(calls.seenByGetEvents, AVAHI_WATCH_IN);
        if (!bFree) {
            EXPECT_EQ(m_pApi->watch_get_events(w), AvahiWatchEvent(0));
            m_pApi->watch_free(w);
        }
        char byte = 0;
        ASSERT_EQ(read(m_fds[0], &byte, 1), 1);
    }
}

TEST_F(AvahiPollTest, TimeoutFiresOnceWhenDueAndNotWhenSwitchedOff)
{
    struct timeval now;
    for (bool bFree : {false, true}) {
        Calls calls{0, AvahiWatchEvent(0), AvahiWatchEvent(0), bFree, m_pApi};
        AvahiTimeout* t =
            m_pApi->timeout_new(m_pApi, avahi_elapse_time(&now, 0, 0), OnTimeout, &calls);
        ProcessEvents();
        EXPECT_EQ(calls.nCount, 1);
        ProcessEvents();
        EXPECT_EQ(calls.nCount, 1);
        if (!bFree)
            m_pApi->timeout_free(t);
    }

    Calls calls{0, AvahiWatchEvent(0), AvahiWatchEvent(0), false, m_pApi};
    AvahiTimeout* pOff = m_pApi->timeout_new(m_pApi, nullptr, OnTimeout, &calls);
    AvahiTimeout* pLater =
        m_pApi->timeout_new(m_pApi, avahi_elapse_time(&now, 0, 0), OnTimeout, &calls);
    m_pApi->timeout_update(pLater, nullptr);
    ProcessEvents();
    EXPECT_EQ(calls.nCount, 0);
    m_pApi->timeout_update(pOff, avahi_elapse_time(&now, 0, 0));
    ProcessEvents();
    EXPECT_EQ(calls.nCount, 1);
    m_pApi->timeout_free(pOff);
    m_pApi->timeout_free(pLater);
}

} // namespace

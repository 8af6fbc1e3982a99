#pragma once

#include <QTimer>
#include <functional>

// The credits' scroll timer: a timer of the platform in the program. Tests derive from it and
// hand out the ticks themselves, so that no test waits for one.
class CCreditsTimer
{
public:
    using TickHandler = std::function<void()>;

    CCreditsTimer();
    virtual ~CCreditsTimer();
    CCreditsTimer(const CCreditsTimer&) = delete;
    CCreditsTimer& operator=(const CCreditsTimer&) = delete;

    // Calls onTick every nElapse milliseconds from now on, in place of any earlier timer.
    virtual void SetTimer(int nIDEvent, int nElapse, TickHandler onTick);
    virtual void KillTimer();
    virtual bool IsActive() const;

private:
    QTimer m_timer;
    TickHandler m_onTick;
};

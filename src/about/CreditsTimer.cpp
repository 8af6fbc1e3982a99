#include "about/CreditsTimer.h"

CCreditsTimer::CCreditsTimer()
{
    // Ticks should come every 40 ms, not whenever a coarse timer gets round to them.
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onTick)
            m_onTick();
    });
}

CCreditsTimer::~CCreditsTimer() = default;

void CCreditsTimer::SetTimer(int /*nIDEvent*/, int nElapse, TickHandler onTick)
{
    m_onTick = std::move(onTick);
    m_timer.start(nElapse);
}

void CCreditsTimer::KillTimer()
{
    m_timer.stop();
}

bool CCreditsTimer::IsActive() const
{
    return m_timer.isActive();
}

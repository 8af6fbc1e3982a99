#include "app/StallWatchdog.h"

#include <QDateTime>
#include <QFile>

CStallWatchdog::CStallWatchdog(QString strReportPath, QObject* pParent)
    : QObject(pParent), m_strReportPath(std::move(strReportPath))
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CStallWatchdog::OnTick);
    m_timer.start(kIntervalMs);
    m_sinceTick.start();
}

void CStallWatchdog::OnTick()
{
    const qint64 nLateMs = m_sinceTick.restart() - kIntervalMs;
    if (nLateMs < kReportFromMs)
        return;
    QFile report(m_strReportPath);
    if (report.open(QIODevice::WriteOnly | QIODevice::Append)) {
        report.write(QByteArray::number(QDateTime::currentMSecsSinceEpoch()) + ' ' +
                     QByteArray::number(nLateMs) + '\n');
    }
}

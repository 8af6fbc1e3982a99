#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

// How long the event loop went without turning, for the flood benchmark: a precise timer due
// every few milliseconds notes each tick that comes late, as a line "EPOCH_MS LATE_MS" appended
// to the report file, so that the benchmark can take the longest within the time it measures.
class CStallWatchdog : public QObject
{
public:
    // The variable that names the report file; without it no watchdog runs.
    static constexpr char kReportVariable[] = "TELLWICK_STALL_REPORT";
    static constexpr int kIntervalMs = 5;
    // Later than this is told; less is the timer's own jitter.
    static constexpr int kReportFromMs = 5;

    explicit CStallWatchdog(QString strReportPath, QObject* pParent = nullptr);

private:
    void OnTick();

    QString m_strReportPath;
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
};

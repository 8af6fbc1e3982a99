#pragma once

#include "platform/mfc/Object.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <memory>
#include <vector>

class CTask;

// One alert: when a received message contains one of its keywords, its task runs.
class CAlert : public CObject
{
    DECLARE_SERIAL(CAlert);

public:
    // What became of a start of the alert's task.
    enum class TaskStart
    {
        NoTask,
        Started,
        Failed,       // the program could not be started
        StillRunning, // skipped: the program of the previous run has not ended yet
    };

    CAlert();
    CAlert(const CAlert& alert);
    CAlert& operator=(const CAlert& alert);
    ~CAlert() override;

    // Keeps a clone of the task (or none); the task passed in stays the caller's.
    void SetTask(const CTask* pTask);
    const CTask* GetTask() const { return m_pTask.get(); }
    // Runs the task if there is one, active or not, unless its previous run still runs: a
    // flood of matching messages must not start a flood of programs. A program that cannot be
    // started is told on standard error, once for the alert (again after its task was set).
    TaskStart RunTask();
    // True when the alert is active and one of its keywords occurs in the text, exactly as
    // written (case and blanks included).
    bool Matches(QByteArrayView text) const;
    // Matches, and then runs the task once; pStart, when given, learns what became of it.
    bool Match(QByteArrayView text, TaskStart* pStart = nullptr);
    QByteArray GetDescription() const { return m_strDescription; }

    void Serialize(CArchive& ar) override;

    QByteArray m_strDescription;
    QList<QByteArray> m_keywords; // in the user's order; empty and repeated ones allowed
    bool m_bActive = true;

private:
    std::unique_ptr<CTask> m_pTask;
    bool m_bStartFailureTold = false;
};

// The alerts in file and matching order. While the Properties sheet is open its Alerts page
// holds a second list of the same alerts; an alert lives as long as a list holds it.
using CAlertList = std::vector<std::shared_ptr<CAlert>>;

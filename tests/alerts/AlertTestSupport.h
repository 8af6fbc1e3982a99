#pragma once

#include "alerts/Alert.h"
#include "extlib/orvosched/Task.h"

#include <memory>
#include <string>
#include <vector>

// A task that, instead of starting a program, notes its name in a shared run log.
class CRecordingTask : public CTask
{
public:
    CRecordingTask(std::shared_ptr<std::vector<QByteArray>> pLog, const QByteArray& strName)
        : m_pLog(std::move(pLog))
    {
        SetProgram(strName);
    }

    std::unique_ptr<CTask> Clone() const override { return std::make_unique<CRecordingTask>(*this); }
    bool Run() override
    {
        m_pLog->push_back(GetProgram());
        return true;
    }

private:
    std::shared_ptr<std::vector<QByteArray>> m_pLog;
};

// Everything an alert stores, in one comparable line.
inline std::string Describe(const CAlert& alert)
{
    QByteArray text = "[" + alert.GetDescription() + (alert.m_bActive ? " on" : " off");
    if (const CTask* pTask = alert.GetTask())
        text += " task " + pTask->GetProgram() + "|" + pTask->GetArguments();
    for (const QByteArray& keyword : alert.m_keywords)
        text += " '" + keyword + "'";
    return text.toStdString() + "]";
}

inline std::string Describe(const CAlertList& alerts)
{
    std::string text;
    for (const std::shared_ptr<CAlert>& pAlert : alerts)
        text += Describe(*pAlert);
    return text;
}

#pragma once

#include "extlib/orvosched/Task.h"

#include <memory>
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

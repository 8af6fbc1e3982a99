#include "extlib/orvosched/Task.h"

#include "platform/mfc/Archive.h"
#include "platform/process/ChildProcess.h"

#include <QFile>
#include <QProcess>
#include <QString>

IMPLEMENT_SERIAL(CTask, CObject, 1);

namespace {

CTask::PropertiesDialog s_pfnPropertiesDialog = nullptr;

} // namespace

CTask::CTask() = default;

CTask::CTask(const CTask& task)
    : CObject(task),
      m_bAlertTask(task.m_bAlertTask),
      m_strProgram(task.m_strProgram),
      m_strArguments(task.m_strArguments)
{
}

// An edited task is still the task whose program may be running.
CTask& CTask::operator=(const CTask& task)
{
    m_bAlertTask = task.m_bAlertTask;
    m_strProgram = task.m_strProgram;
    m_strArguments = task.m_strArguments;
    return *this;
}

CTask::~CTask() = default;

int CTask::Properties()
{
    return s_pfnPropertiesDialog ? s_pfnPropertiesDialog(*this) : 0;
}

void CTask::SetPropertiesDialog(PropertiesDialog pfnDialog)
{
    s_pfnPropertiesDialog = pfnDialog;
}

std::unique_ptr<CTask> CTask::Clone() const
{
    return std::make_unique<CTask>(*this);
}

QByteArray CTask::GetDescription() const
{
    return m_strProgram.mid(m_strProgram.lastIndexOf('/') + 1);
}

bool CTask::Run()
{
    if (m_strProgram.isEmpty() || IsRunning())
        return false;
    QList<QByteArray> arguments;
    for (const QString& strArgument : QProcess::splitCommand(QString::fromLocal8Bit(m_strArguments)))
        arguments.append(strArgument.toLocal8Bit());
    m_pProcess = CChildProcess::Start(m_strProgram, arguments);
    return m_pProcess != nullptr;
}

bool CTask::IsRunning() const
{
    return m_pProcess && m_pProcess->IsRunning();
}

void CTask::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strProgram << m_strArguments;
    else
        ar >> m_strProgram >> m_strArguments;
}

CArchive& operator>>(CArchive& ar, std::unique_ptr<CTask>& pTask)
{
    pTask = ar.ReadObject<CTask>();
    return ar;
}

#include "extlib/orvosched/Task.h"

#include "platform/Archive.h"

#include <QFile>
#include <QProcess>
#include <QString>

IMPLEMENT_SERIAL(CTask, CObject, 1);

namespace {

CTask::PropertiesDialog s_pfnPropertiesDialog = nullptr;

} // namespace

CTask::CTask() = default;
CTask::CTask(const CTask& task) = default;
CTask& CTask::operator=(const CTask& task) = default;
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
    if (m_strProgram.isEmpty())
        return false;
    return QProcess::startDetached(QFile::decodeName(m_strProgram),
                                   QProcess::splitCommand(QString::fromLocal8Bit(m_strArguments)));
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

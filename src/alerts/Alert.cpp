#include "alerts/Alert.h"

#include "extlib/orvosched/Task.h"
#include "platform/ContainsBytes.h"
#include "platform/mfc/Archive.h"

IMPLEMENT_SERIAL(CAlert, CObject, VERSIONABLE_SCHEMA | 1);

CAlert::CAlert() = default;

CAlert::CAlert(const CAlert& alert)
    : CObject(alert),
      m_strDescription(alert.m_strDescription),
      m_keywords(alert.m_keywords),
      m_bActive(alert.m_bActive),
      m_pTask(alert.m_pTask ? alert.m_pTask->Clone() : nullptr)
{
}

CAlert& CAlert::operator=(const CAlert& alert)
{
    if (this == &alert)
        return *this;
    m_bActive = alert.m_bActive;
    m_strDescription = alert.m_strDescription;
    SetTask(alert.m_pTask.get());
    m_keywords = alert.m_keywords;
    return *this;
}

CAlert::~CAlert() = default;

void CAlert::SetTask(const CTask* pTask)
{
    m_pTask.reset();
    if (pTask)
        m_pTask = pTask->Clone();
}

CAlert::TaskStart CAlert::RunTask()
{
    if (!m_pTask)
        return TaskStart::NoTask;
    if (m_pTask->IsRunning())
        return TaskStart::StillRunning;
    return m_pTask->Run() ? TaskStart::Started : TaskStart::Failed;
}

bool CAlert::Match(QByteArrayView text, TaskStart* pStart)
{
    if (!m_bActive)
        return false;
    for (const QByteArray& keyword : m_keywords) {
        if (ContainsBytes(text, keyword)) {
            const TaskStart start = RunTask();
            if (pStart)
                *pStart = start;
            return true;
        }
    }
    return false;
}

void CAlert::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_strDescription;
        ar.WriteObject(m_pTask.get());
        ar << qint32(m_bActive ? 1 : 0) << qint32(m_keywords.size());
        for (const QByteArray& keyword : m_keywords)
            ar << keyword;
        return;
    }
    // Every stored schema reads with this one layout.
    ar.GetObjectSchema();
    qint32 nActive = 0;
    qint32 nCount = 0;
    ar >> m_strDescription >> m_pTask >> nActive >> nCount;
    m_bActive = nActive != 0;
    // Not reserved: the count is only a claim, the keywords themselves must be there.
    m_keywords.clear();
    for (qint32 i = 0; i < nCount; ++i) {
        QByteArray keyword;
        ar >> keyword;
        m_keywords.append(keyword);
    }
}

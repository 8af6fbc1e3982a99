#include "alerts/Alert.h"

#include "alerts/ContainsBytes.h"
#include "extlib/orvosched/Task.h"
#include "platform/app/Logging.h"
#include "platform/mfc/Archive.h"

#include <QFile>

#include <algorithm>
#include <utility>

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
    m_bStartFailureTold = false;
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
    if (m_pTask->Run())
        return TaskStart::Started;
    if (!std::exchange(m_bStartFailureTold, true)) {
        qCWarning(lcAlerts).noquote().nospace()
            << "the alert \"" << QString::fromLocal8Bit(m_strDescription)
            << "\" cannot start its program \"" << QFile::decodeName(m_pTask->GetProgram())
            << "\": it is missing or cannot be run";
    }
    return TaskStart::Failed;
}

bool CAlert::Matches(QByteArrayView text) const
{
    return m_bActive && std::any_of(m_keywords.begin(), m_keywords.end(), [text](const QByteArray& keyword) {
               return ContainsBytes(text, keyword);
           });
}

bool CAlert::Match(QByteArrayView text, TaskStart* pStart)
{
    if (!Matches(text))
        return false;
    const TaskStart start = RunTask();
    if (pStart)
        *pStart = start;
    return true;
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

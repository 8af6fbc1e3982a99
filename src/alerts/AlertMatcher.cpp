#include "alerts/AlertMatcher.h"

#include <algorithm>

void CAlertMatcher::FindCandidates(const CAlertList& alerts, QByteArrayView text,
                                   CAlertList& candidates)
{
    candidates.clear();
    if (!IsCurrent(alerts))
        Build(alerts);
    if (m_bEverything) {
        for (size_t i = 0; i < m_sources.size(); ++i) {
            if (m_sources[i].bActive && !m_sources[i].keywords.isEmpty())
                candidates.push_back(alerts[i]);
        }
        return;
    }
    if (++m_nText == 0) {
        // The marks have gone round: old ones could pass for this text's.
        std::fill(m_stateSeen.begin(), m_stateSeen.end(), 0);
        std::fill(m_alertSeen.begin(), m_alertSeen.end(), 0);
        m_nText = 1;
    }
    m_found.clear();
    for (const qint32 nAlert : m_always) {
        m_alertSeen[size_t(nAlert)] = m_nText;
        m_found.push_back(nAlert);
    }
    const qint32* pNext = m_next.data();
    const quint8* pHasOutput = m_hasOutput.data();
    const qint32 nClasses = m_nClasses;
    qint32 nState = 0;
    for (const char ch : text) {
        nState = pNext[nState * nClasses + m_classOf[quint8(ch)]];
        if (pHasOutput[nState])
            Collect(nState);
    }
    std::sort(m_found.begin(), m_found.end());
    for (const qint32 nAlert : m_found)
        candidates.push_back(alerts[size_t(nAlert)]);
}

bool CAlertMatcher::IsCurrent(const CAlertList& alerts)
{
    if (m_nBuilds == 0 || alerts.size() != m_sources.size())
        return false;
    for (size_t i = 0; i < alerts.size(); ++i) {
        const CAlert* pAlert = alerts[i].get();
        Source& source = m_sources[i];
        if (source.pAlert != pAlert || (pAlert && source.bActive != pAlert->m_bActive))
            return false;
        if (!pAlert || (source.keywords.constData() == pAlert->m_keywords.constData() &&
                        source.keywords.size() == pAlert->m_keywords.size()))
            continue;
        if (source.keywords != pAlert->m_keywords)
            return false;
        // The same words in new storage (assigned anew, or edited back): share that from now on.
        source.keywords = pAlert->m_keywords;
    }
    return true;
}

void CAlertMatcher::Build(const CAlertList& alerts)
{
    ++m_nBuilds;
    m_sources.clear();
    m_sources.reserve(alerts.size());
    m_always.clear();
    m_classOf.fill(0);
    m_nClasses = 1;
    qsizetype nKeywordBytes = 0;
    for (size_t i = 0; i < alerts.size(); ++i) {
        const CAlert* pAlert = alerts[i].get();
        m_sources.push_back({pAlert, pAlert && pAlert->m_bActive,
                             pAlert ? pAlert->m_keywords : QList<QByteArray>()});
        if (!m_sources.back().bActive)
            continue;
        bool bAlways = false;
        for (const QByteArray& keyword : pAlert->m_keywords) {
            // An empty keyword is found in every text.
            bAlways = bAlways || keyword.isEmpty();
            nKeywordBytes += keyword.size();
            for (const char ch : keyword) {
                if (m_classOf[quint8(ch)] == 0)
                    m_classOf[quint8(ch)] = quint16(m_nClasses++);
            }
        }
        if (bAlways)
            m_always.push_back(qint32(i));
    }
    const qint32 nClasses = m_nClasses;
    m_bEverything = (nKeywordBytes + 1) * nClasses > kMaxCells;
    m_next.clear();
    m_hasOutput.clear();
    m_outputLink.clear();
    m_outputBegin.clear();
    m_outputs.clear();
    if (m_bEverything)
        return;

    // The keywords as a tree of states, one per keyword prefix; the alerts noted where each ends.
    m_next.reserve(size_t((nKeywordBytes + 1) * nClasses));
    m_next.assign(size_t(nClasses), -1);
    std::vector<std::vector<qint32>> ends(1);
    for (size_t i = 0; i < m_sources.size(); ++i) {
        if (!m_sources[i].bActive)
            continue;
        for (const QByteArray& keyword : m_sources[i].keywords) {
            qint32 nState = 0;
            for (const char ch : keyword) {
                const size_t nCell = size_t(nState) * nClasses + m_classOf[quint8(ch)];
                if (m_next[nCell] < 0) {
                    m_next[nCell] = qint32(ends.size());
                    ends.emplace_back();
                    m_next.resize(m_next.size() + size_t(nClasses), -1);
                }
                nState = m_next[nCell];
            }
            if (nState != 0 && (ends[size_t(nState)].empty() || ends[size_t(nState)].back() != qint32(i)))
                ends[size_t(nState)].push_back(qint32(i));
        }
    }

    // Breadth first, each missing move becomes the move of the longest suffix that has it.
    const size_t nStates = ends.size();
    std::vector<qint32> fallback(nStates, 0);
    m_outputLink.assign(nStates, -1);
    std::vector<qint32> order;
    order.reserve(nStates);
    for (qint32 c = 0; c < nClasses; ++c) {
        qint32& nNext = m_next[size_t(c)];
        if (nNext < 0)
            nNext = 0;
        else
            order.push_back(nNext);
    }
    for (size_t nDone = 0; nDone < order.size(); ++nDone) {
        const qint32 nState = order[nDone];
        const qint32 nFallback = fallback[size_t(nState)];
        m_outputLink[size_t(nState)] =
            ends[size_t(nFallback)].empty() ? m_outputLink[size_t(nFallback)] : nFallback;
        for (qint32 c = 0; c < nClasses; ++c) {
            qint32& nNext = m_next[size_t(nState) * nClasses + c];
            const qint32 nSuffixNext = m_next[size_t(nFallback) * nClasses + c];
            if (nNext < 0) {
                nNext = nSuffixNext;
            } else {
                fallback[size_t(nNext)] = nSuffixNext;
                order.push_back(nNext);
            }
        }
    }

    m_hasOutput.resize(nStates);
    m_outputBegin.resize(nStates + 1);
    for (size_t s = 0; s < nStates; ++s) {
        m_hasOutput[s] = !ends[s].empty() || m_outputLink[s] >= 0;
        m_outputBegin[s] = qint32(m_outputs.size());
        m_outputs.insert(m_outputs.end(), ends[s].begin(), ends[s].end());
    }
    m_outputBegin[nStates] = qint32(m_outputs.size());
    m_stateSeen.assign(nStates, 0);
    m_alertSeen.assign(m_sources.size(), 0);
    m_nText = 0;
}

void CAlertMatcher::Collect(qint32 nState)
{
    // A state seen before in this text had its whole chain of suffixes noted then.
    for (; nState >= 0 && m_stateSeen[size_t(nState)] != m_nText; nState = m_outputLink[size_t(nState)]) {
        m_stateSeen[size_t(nState)] = m_nText;
        for (qint32 k = m_outputBegin[size_t(nState)]; k < m_outputBegin[size_t(nState) + 1]; ++k) {
            const qint32 nAlert = m_outputs[size_t(k)];
            if (m_alertSeen[size_t(nAlert)] != m_nText) {
                m_alertSeen[size_t(nAlert)] = m_nText;
                m_found.push_back(nAlert);
            }
        }
    }
}

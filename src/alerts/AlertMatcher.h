#pragma once

#include "alerts/Alert.h"

#include <QByteArrayView>
#include <QList>

#include <array>
#include <vector>

// Finds, in one pass over a text, the alerts of a list whose Match can find one of their
// keywords in it: an automaton over the keywords of all active alerts, built again whenever the
// list, an alert's keywords or its active flag have changed. No caller has to say so: each use
// compares the list with what the automaton was built from, which costs a few compares per
// alert, because every change of the keyword list of an alert that it holds a copy of gives
// that list new storage.
class CAlertMatcher
{
public:
    // Past this many table cells (states times byte classes) the automaton is not built and
    // every active alert with a keyword is a candidate: the memory is not worth it.
    static constexpr qsizetype kMaxCells = 4 << 20;

    // The alerts of the list, in list order, whose Match would find a keyword in the text now
    // (and, should the automaton be too large, more of them, never fewer).
    void FindCandidates(const CAlertList& alerts, QByteArrayView text, CAlertList& candidates);

    // How often the automaton was built, for tests.
    int Builds() const { return m_nBuilds; }

private:
    // What the automaton was built from, per alert of the list.
    struct Source
    {
        const CAlert* pAlert;
        bool bActive;
        QList<QByteArray> keywords; // shares the alert's list until that changes
    };

    bool IsCurrent(const CAlertList& alerts);
    void Build(const CAlertList& alerts);
    // Notes the alerts whose keywords end at the state and at its shorter suffixes.
    void Collect(qint32 nState);

    std::vector<Source> m_sources;
    bool m_bEverything = false; // too large: every active alert with a keyword is a candidate
    std::vector<qint32> m_always; // active alerts with an empty keyword
    std::array<quint16, 256> m_classOf{}; // 0: a byte in no keyword
    qint32 m_nClasses = 1;
    std::vector<qint32> m_next;      // state * m_nClasses + class -> state
    std::vector<quint8> m_hasOutput; // a keyword ends at the state or at one of its suffixes
    std::vector<qint32> m_outputLink; // the longest proper suffix state where a keyword ends
    std::vector<qint32> m_outputBegin; // the alerts whose keyword ends exactly at the state:
    std::vector<qint32> m_outputs;     // m_outputs[m_outputBegin[s] .. m_outputBegin[s + 1])
    // Per text: states whose outputs were noted, alerts found, both marked by the text's number.
    std::vector<quint32> m_stateSeen;
    std::vector<quint32> m_alertSeen;
    std::vector<qint32> m_found;
    quint32 m_nText = 0;
    int m_nBuilds = 0;
};

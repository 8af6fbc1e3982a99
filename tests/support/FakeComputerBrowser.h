#pragma once

#include "platform/discovery/ComputerBrowser.h"

#include <QStringList>

// A network browser that tests drive by hand: it finds what it is told to, or is unavailable.
class CFakeComputerBrowser : public CComputerBrowser
{
public:
    explicit CFakeComputerBrowser(bool bAvailable, QStringList computers = {})
        : m_bAvailable(bAvailable), m_computers(std::move(computers))
    {
    }

    bool Start() override
    {
        if (!m_bAvailable)
            return false;
        for (const QString& computer : m_computers)
            emit ComputerFound(computer);
        return true;
    }

    void Find(const QString& computer) { emit ComputerFound(computer); }
    void Lose(const QString& computer) { emit ComputerLost(computer); }
    void FindCopy(const QString& computer, quint16 nPort) { emit CopyFound(computer, nPort); }
    void LoseCopy(const QString& computer, quint16 nPort) { emit CopyLost(computer, nPort); }
    void Fail() { emit BrowsingFailed(); }

private:
    bool m_bAvailable;
    QStringList m_computers;
};

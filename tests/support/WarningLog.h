#pragma once

#include <QString>
#include <QtGlobal>

#include <string>
#include <utility>
#include <vector>

// Collects the warnings logged while it lives, as "category: message" lines, instead of
// printing them.
class CWarningLog
{
public:
    CWarningLog() : m_pPrevious(s_pCurrent)
    {
        s_pCurrent = this;
        m_pfnPrevious = qInstallMessageHandler(&Handle);
    }
    CWarningLog(const CWarningLog&) = delete;
    CWarningLog& operator=(const CWarningLog&) = delete;
    ~CWarningLog()
    {
        qInstallMessageHandler(m_pfnPrevious);
        s_pCurrent = m_pPrevious;
    }

    // The lines so far; the log starts empty again.
    std::vector<std::string> Take() { return std::exchange(m_lines, {}); }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& strMessage)
    {
        if (type == QtWarningMsg)
            s_pCurrent->m_lines.push_back(std::string(context.category) + ": " +
                                          strMessage.toStdString());
    }

    inline static CWarningLog* s_pCurrent = nullptr;
    CWarningLog* m_pPrevious;
    QtMessageHandler m_pfnPrevious = nullptr;
    std::vector<std::string> m_lines;
};

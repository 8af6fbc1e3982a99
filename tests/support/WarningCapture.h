#pragma once

#include <QLoggingCategory>
#include <QStringList>

#include <mutex>
#include <utility>

// Collects the warnings of one logging category as "category: message" lines while it lives,
// from whichever thread they come, and keeps them off standard error.
class CWarningCapture
{
public:
    explicit CWarningCapture(const char* category) : m_category(QString::fromLatin1(category))
    {
        s_pCurrent = this;
        m_previous = qInstallMessageHandler(&CWarningCapture::Handle);
    }
    CWarningCapture(const CWarningCapture&) = delete;
    CWarningCapture& operator=(const CWarningCapture&) = delete;
    ~CWarningCapture()
    {
        qInstallMessageHandler(m_previous);
        s_pCurrent = nullptr;
    }

    // The lines caught since the last call.
    QStringList Take()
    {
        const std::lock_guard lock(m_mutex);
        return std::exchange(m_lines, {});
    }

private:
    static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& strMessage)
    {
        CWarningCapture* pThis = s_pCurrent;
        if (pThis && type == QtWarningMsg && context.category &&
            pThis->m_category == QLatin1String(context.category)) {
            const std::lock_guard lock(pThis->m_mutex);
            pThis->m_lines.append(pThis->m_category + QStringLiteral(": ") + strMessage);
        }
        else if (pThis && pThis->m_previous)
            pThis->m_previous(type, context, strMessage);
    }

    static inline CWarningCapture* s_pCurrent = nullptr;
    QString m_category;
    QtMessageHandler m_previous = nullptr;
    std::mutex m_mutex;
    QStringList m_lines;
};

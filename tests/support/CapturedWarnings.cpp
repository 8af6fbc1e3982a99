#include "support/CapturedWarnings.h"

#include <QMutex>
#include <QtGlobal>

#include <cstdio>

namespace {

QMutex g_mutex;
QList<QByteArray> g_lines;
QtMessageHandler g_previous = nullptr;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtWarningMsg) {
        if (g_previous)
            return g_previous(type, context, message);
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        return;
    }
    const QMutexLocker lock(&g_mutex);
    g_lines.append(QByteArray(context.category).append(": ").append(message.toUtf8()));
}

} // namespace

CCapturedWarnings::CCapturedWarnings()
{
    const QMutexLocker lock(&g_mutex);
    g_lines.clear();
    g_previous = qInstallMessageHandler(Collect);
}

CCapturedWarnings::~CCapturedWarnings()
{
    qInstallMessageHandler(g_previous);
}

QList<QByteArray> CCapturedWarnings::Lines() const
{
    const QMutexLocker lock(&g_mutex);
    return g_lines;
}

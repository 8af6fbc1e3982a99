#include "messaging/MessageLog.h"

#include "platform/FileAppend.h"
#include "platform/Logging.h"
#include "platform/RegularFile.h"

#include <QFile>

namespace {

bool Append(QByteArrayView fileName, std::initializer_list<QByteArrayView> pieces)
{
    // Every message tries again, so a failure is told only when it starts, not per message.
    static bool s_bFailureTold = false;
    const int nError = AppendToFile(fileName, pieces);
    if (nError == 0) {
        s_bFailureTold = false;
        return true;
    }
    if (!s_bFailureTold) {
        s_bFailureTold = true;
        qCWarning(lcLog).noquote().nospace() << "cannot write the log \""
                                             << QFile::decodeName(fileName.toByteArray())
                                             << "\": " << FileErrorText(nError);
    }
    return false;
}

} // namespace

bool AppendLog(QByteArrayView fileName, QByteArrayView line)
{
    return Append(fileName, {line, "\r\n"});
}

bool AppendLogRecords(QByteArrayView fileName, QByteArrayView records)
{
    return Append(fileName, {records});
}

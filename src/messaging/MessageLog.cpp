#include "messaging/MessageLog.h"

#include "messaging/ColorCode.h"
#include "platform/app/Logging.h"
#include "platform/files/FileAppend.h"
#include "platform/files/RegularFile.h"

#include <QFile>

#include <algorithm>

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
    QByteArray record;
    // Room for a line with nothing to escape, the usual one, and its line end.
    record.reserve(line.size() + 2);
    AppendLogRecord(record, line);
    return Append(fileName, {record});
}

bool AppendLogRecords(QByteArrayView fileName, QByteArrayView records)
{
    return Append(fileName, {records});
}

void AppendLogRecord(QByteArray& records, QByteArrayView line)
{
    static constexpr char kHexDigits[] = "0123456789abcdef";
    const auto isPlain = [](char c) {
        const auto byte = quint8(c);
        return (byte >= 0x20 && byte != 0x7f && byte != '\\') || c == kColorControl;
    };
    // Plain runs go in whole: most lines hold nothing to escape.
    for (auto it = line.begin(); it != line.end();) {
        const auto plainEnd = std::find_if_not(it, line.end(), isPlain);
        records.append(QByteArrayView(it, plainEnd));
        if (plainEnd == line.end())
            break;
        const auto byte = quint8(*plainEnd);
        switch (byte) {
        case '\\':
            records.append("\\\\");
            break;
        case '\r':
            records.append("\\r");
            break;
        case '\n':
            records.append("\\n");
            break;
        case '\t':
            records.append("\\t");
            break;
        default:
            records.append("\\x").append(kHexDigits[byte >> 4]).append(kHexDigits[byte & 0xf]);
        }
        it = plainEnd + 1;
    }
    records.append("\r\n");
}

#include "messaging/MessageLog.h"

#include "platform/FileAppend.h"

bool AppendLog(QByteArrayView fileName, QByteArrayView line)
{
    return AppendToFile(fileName, {line, "\r\n"});
}

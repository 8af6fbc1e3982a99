#include "messaging/Mailslot.h"

#include "messaging/ColorTags.h"
#include "platform/mailslot/ComputerName.h"

#include <QVarLengthArray>

QByteArray MailslotPath(QByteArrayView computer)
{
    QByteArray path("\\\\");
    path.append(computer);
    path.append("\\mailslot\\orvonet");
    return path;
}

QByteArray ComputerPart(QByteArrayView typedName)
{
    if (typedName.isEmpty() || typedName.compare("localhost", Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral(".");
    return typedName.toByteArray();
}

bool WriteMailslot(QByteArrayView path, QByteArrayView text)
{
    // The datagram is sent before this returns: a short one needs no room on the heap.
    QVarLengthArray<char, 512> datagram(text.begin(), text.end());
    datagram.append('\0');
    const QByteArray bytes = QByteArray::fromRawData(datagram.constData(), datagram.size());
    return WriteMailslotDatagram(path, bytes) == MailslotWriteResult::Written;
}

void PostTypedMessage(QByteArrayView typedComputer, QByteArrayView typedMessage)
{
    QByteArray datagram = TranslateColorTags(typedMessage);
    datagram.append('\0');
    PostMailslotDatagram(MailslotPath(ComputerPart(typedComputer)), datagram);
}

QByteArray DatagramText(QByteArrayView datagram)
{
    const qsizetype end = datagram.indexOf('\0');
    return (end < 0 ? datagram : datagram.first(end)).toByteArray();
}

bool IsPing(QByteArrayView text)
{
    return text.contains(QByteArrayView(kPingText));
}

void AnswerPing()
{
    WriteMailslot(kBroadcastMailslotPath, GetComputerName());
}

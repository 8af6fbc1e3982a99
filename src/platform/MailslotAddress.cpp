#include "platform/MailslotAddress.h"

#include <QtGlobal>

quint16 MailslotPort()
{
    bool bOk = false;
    const int nPort = qEnvironmentVariableIntValue("TELLWICK_MAILSLOT_PORT", &bOk);
    return bOk && nPort > 0 && nPort <= 65535 ? quint16(nPort) : kDefaultMailslotPort;
}

std::optional<QByteArray> MailslotComputer(QByteArrayView path)
{
    constexpr QByteArrayView kPrefix = "\\\\";
    constexpr QByteArrayView kName = "\\mailslot\\orvonet";
    if (!path.startsWith(kPrefix) || path.size() < kPrefix.size() + kName.size())
        return std::nullopt;
    const QByteArrayView name = path.last(kName.size());
    if (name.compare(kName, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QByteArrayView computer = path.sliced(kPrefix.size(), path.size() - kPrefix.size() - kName.size());
    if (computer.isEmpty() || computer.contains('\\'))
        return std::nullopt;
    return computer.toByteArray();
}

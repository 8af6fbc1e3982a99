#include "platform/mailslot/MailslotAddress.h"

#include "platform/mailslot/MailslotTransport.h"

#include <QtGlobal>

#include <algorithm>

quint16 MailslotPort()
{
    bool bOk = false;
    const int nPort = qEnvironmentVariableIntValue("TELLWICK_MAILSLOT_PORT", &bOk);
    if (bOk && nPort > 0 && nPort <= 65535)
        return quint16(nPort);
    return MailslotTransport().DefaultPort();
}

std::optional<QByteArrayView> MailslotComputer(QByteArrayView path)
{
    constexpr QByteArrayView kPrefix = "\\\\";
    constexpr QByteArrayView kName = "\\mailslot\\orvonet";
    if (!path.startsWith(kPrefix) || path.size() < kPrefix.size() + kName.size())
        return std::nullopt;
    // The usual spelling is compared first: a comparison without regard to case costs more.
    const QByteArrayView name = path.last(kName.size());
    if (name != kName && name.compare(kName, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QByteArrayView computer = path.sliced(kPrefix.size(), path.size() - kPrefix.size() - kName.size());
    if (computer.isEmpty() || computer.contains('\\'))
        return std::nullopt;
    return computer;
}

ComputerPort SplitComputerPort(QByteArrayView computer)
{
    constexpr qsizetype kMaxPortDigits = 5;
    const qsizetype colon = computer.lastIndexOf(':');
    const QByteArrayView digits = colon < 0 ? QByteArrayView() : computer.sliced(colon + 1);
    const bool bDigitsOnly =
        !digits.isEmpty() && digits.size() <= kMaxPortDigits &&
        std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (colon > 0 && bDigitsOnly) {
        const int nPort = digits.toInt();
        if (nPort > 0 && nPort <= 65535)
            return {computer.first(colon), quint16(nPort)};
    }
    return {computer, MailslotPort()};
}

QByteArray JoinComputerPort(QByteArrayView computer, quint16 nPort)
{
    QByteArray joined = computer.toByteArray();
    if (nPort != MailslotPort())
        joined.append(':').append(QByteArray::number(nPort));
    return joined;
}

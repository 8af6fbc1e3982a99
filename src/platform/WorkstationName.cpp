#include "platform/WorkstationName.h"

namespace {

constexpr qsizetype kMaxLabel = 63;
constexpr qsizetype kMaxHostName = 253;

bool IsHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

bool IsLabel(QByteArrayView label)
{
    if (label.isEmpty() || label.size() > kMaxLabel)
        return false;
    for (char c : label) {
        if (!IsHostChar(c))
            return false;
    }
    return true;
}

// Announcers append their hardware address in brackets; the computer's name comes before it.
QByteArrayView ComputerLabel(QByteArrayView serviceName)
{
    if (serviceName.endsWith(']')) {
        const qsizetype open = serviceName.lastIndexOf(QByteArrayView(" ["));
        if (open >= 0)
            return serviceName.first(open);
    }
    return serviceName;
}

} // namespace

QString WorkstationHostName(QByteArrayView serviceName, QByteArrayView domain)
{
    const QByteArrayView label = ComputerLabel(serviceName);
    if (!IsLabel(label))
        return {};
    if (domain.endsWith('.'))
        domain.chop(1);

    QByteArray hostName = label.toByteArray();
    if (!domain.isEmpty()) {
        qsizetype start = 0;
        while (start <= domain.size()) {
            qsizetype end = domain.indexOf('.', start);
            if (end < 0)
                end = domain.size();
            if (!IsLabel(domain.sliced(start, end - start)))
                return {};
            start = end + 1;
        }
        hostName.append('.').append(domain);
    }
    if (hostName.size() > kMaxHostName)
        return {};
    return QString::fromLatin1(hostName);
}

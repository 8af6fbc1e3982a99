#include "platform/discovery/WorkstationName.h"

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

// Labels joined by dots, each a valid label; empty names none.
bool IsDottedName(QByteArrayView name)
{
    qsizetype start = 0;
    while (start <= name.size()) {
        qsizetype end = name.indexOf('.', start);
        if (end < 0)
            end = name.size();
        if (!IsLabel(name.sliced(start, end - start)))
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

QString WorkstationHostName(QByteArrayView serviceName, QByteArrayView domain)
{
    const QByteArrayView label = ComputerLabel(serviceName);
    if (!IsLabel(label))
        return {};
    if (domain.endsWith('.'))
        domain.chop(1);
    if (!domain.isEmpty() && !IsDottedName(domain))
        return {};

    QByteArray hostName = label.toByteArray();
    if (!domain.isEmpty())
        hostName.append('.').append(domain);
    if (hostName.size() > kMaxHostName)
        return {};
    return QString::fromLatin1(hostName);
}

QString AnnouncedHostName(QByteArrayView hostName)
{
    if (hostName.endsWith('.'))
        hostName.chop(1);
    if (hostName.size() > kMaxHostName || !IsDottedName(hostName))
        return {};
    return QString::fromLatin1(hostName);
}

#include "platform/mailslot/ComputerName.h"

#include <unistd.h>

#include <array>

QByteArray GetComputerName()
{
    constexpr qsizetype kMaxComputerName = 15;
    std::array<char, 256> buffer{};
    if (gethostname(buffer.data(), buffer.size() - 1) != 0)
        return {};
    QByteArray name(buffer.data());
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    name.truncate(kMaxComputerName);
    return name;
}

#include "platform/MailslotAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(MailslotAddressTest, ComputerPartOfAPath)
{
    const struct
    {
        const char* path;
        std::optional<QByteArray> computer;
    } cases[] = {
        {"\\\\.\\mailslot\\orvonet", QByteArray(".")},
        {"\\\\*\\mailslot\\orvonet", QByteArray("*")},
        {"\\\\desk-7\\MailSlot\\OrvoNet", QByteArray("desk-7")},
        {"\\\\\\mailslot\\orvonet", std::nullopt},
        {"\\\\a\\b\\mailslot\\orvonet", std::nullopt},
        {"\\\\desk\\mailslot\\other", std::nullopt},
        {"\\desk\\mailslot\\orvonet", std::nullopt},
        {"\\\\", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MailslotComputer(c.path), c.computer) << c.path;
}

TEST(MailslotAddressTest, PortComesFromTheEnvironmentWhenValid)
{
    const QByteArray saved = qgetenv("TELLWICK_MAILSLOT_PORT");
    const struct
    {
        const char* value;
        quint16 port;
    } cases[] = {
        {"", kDefaultMailslotPort},     {"4000", 4000},  {"65535", 65535},
        {"0", kDefaultMailslotPort},    {"65536", kDefaultMailslotPort},
        {"-1", kDefaultMailslotPort},   {"port", kDefaultMailslotPort},
    };
    for (const auto& c : cases) {
        qputenv("TELLWICK_MAILSLOT_PORT", c.value);
        EXPECT_EQ(MailslotPort(), c.port) << c.value;
    }
    qputenv("TELLWICK_MAILSLOT_PORT", saved);
}

} // namespace

#include "platform/mailslot/MailslotAddress.h"

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

TEST(MailslotAddressTest, AnnouncedPortTravelsWithTheComputerName)
{
    const QByteArray saved = qgetenv("TELLWICK_MAILSLOT_PORT");
    qputenv("TELLWICK_MAILSLOT_PORT", "10138");
    const struct
    {
        const char* computer;
        ComputerPort target;
    } cases[] = {
        {"desk-7.local:20345", {"desk-7.local", 20345}},
        {"desk-7.local", {"desk-7.local", 10138}},
        {"10.0.0.5:1", {"10.0.0.5", 1}},
        {"*:65535", {"*", 65535}},
        // No port: left as typed, for the look-up to refuse.
        {"desk-7:0", {"desk-7:0", 10138}},
        {"desk-7:65536", {"desk-7:65536", 10138}},
        {"desk-7:123456", {"desk-7:123456", 10138}},
        {"desk-7:", {"desk-7:", 10138}},
        {"desk-7:+80", {"desk-7:+80", 10138}},
        {":80", {":80", 10138}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitComputerPort(c.computer), c.target) << c.computer;

    // The own port is never written, so a name from the list reads as a typed one would.
    EXPECT_EQ(JoinComputerPort("desk-7.local", 10138), QByteArray("desk-7.local"));
    EXPECT_EQ(JoinComputerPort("desk-7.local", 20345), QByteArray("desk-7.local:20345"));
    qputenv("TELLWICK_MAILSLOT_PORT", saved);
}

} // namespace

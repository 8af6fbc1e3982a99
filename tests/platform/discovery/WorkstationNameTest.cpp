#include "platform/discovery/WorkstationName.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkstationNameTest, AnnouncementsGiveTheHostNameOrNothing)
{
    const QByteArray longest(63, 'a');
    const QByteArray tooLong(64, 'a');
    const struct
    {
        QByteArray service;
        QByteArray domain;
        const char* hostName;
    } cases[] = {
        {"desk-7 [00:11:22:33:44:55]", "local", "desk-7.local"},
        {"desk-7", "local", "desk-7.local"},
        {"Build_Server [aa:bb]", "local.", "Build_Server.local"},
        {"desk-7 [00:11]", "", "desk-7"},
        {"desk-7 [00:11]", "office.example", "desk-7.office.example"},
        {longest, "local", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.local"},
        // Refused: nothing a message could be sent to safely.
        {tooLong, "local", ""},
        {"", "local", ""},
        {" [00:11]", "local", ""},
        {"my desk [00:11]", "local", ""},
        {"desk [00:11", "local", ""},
        {"*", "local", ""},
        {"a\\b", "local", ""},
        {"a.b", "local", ""},
        {QByteArray("de\0sk", 5), "local", ""},
        {"d\xc3\xa9sk", "local", ""},
        {"desk", "bad domain", ""},
        {"desk", "a..b", ""},
        {"desk", ".", "desk"},
        {"desk", "..", ""},
        {"desk", QByteArray(250, 'b'), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.service.toStdString() + " / " + c.domain.toStdString());
        EXPECT_EQ(WorkstationHostName(c.service, c.domain), QString::fromLatin1(c.hostName));
    }
}

TEST(WorkstationNameTest, ResolvedHostOfACopyIsAPlainHostName)
{
    const struct
    {
        QByteArray host;
        const char* hostName;
    } cases[] = {
        {"desk-7.local.", "desk-7.local"},
        {"desk-7.local", "desk-7.local"},
        {"desk-7", "desk-7"},
        {"", ""},
        {".", ""},
        {"desk 7.local", ""},
        {"desk-7..local", ""},
        {"desk-7.local:80", ""},
        {"\\\\desk\\mailslot", ""},
        {QByteArray(254, 'a'), ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AnnouncedHostName(c.host), QString::fromLatin1(c.hostName)) << c.host.data();
}

} // namespace

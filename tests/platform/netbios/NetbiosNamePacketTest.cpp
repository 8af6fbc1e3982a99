#include "platform/netbios/NetbiosNamePacket.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const NetbiosNameQuery kQuery{0x4A21, {"DESK-9", 0x00, {}}, true};
const NetbiosNameAnswer kAnswer{0x4A21, {"DESK-9", 0x00, {}}, {0xC0A80009}, 300000};

} // namespace

TEST(NetbiosNamePacketTest, WhatIsWrittenReadsBackTheSame)
{
    const NetbiosNameQuery queries[] = {kQuery, {1, {"DESK-9", 0x20, "corp.example"}, false}};
    for (const NetbiosNameQuery& query : queries) {
        const std::optional<QByteArray> bytes = EncodeNameQuery(query);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(DecodeNameQuery(*bytes), query);
        EXPECT_FALSE(DecodeNameAnswer(*bytes)) << "a question is no answer";
    }
    const NetbiosNameAnswer answers[] = {kAnswer, {2, {"WORKGROUP", 0x00, "corp"}, {0x0A000001, 0x0A000002}, 0}};
    for (const NetbiosNameAnswer& answer : answers) {
        const std::optional<QByteArray> bytes = EncodeNameAnswer(answer);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(DecodeNameAnswer(*bytes), answer);
        EXPECT_FALSE(DecodeNameQuery(*bytes)) << "an answer is no question";
    }
    EXPECT_FALSE(EncodeNameAnswer({1, {"DESK-9", 0, {}}, {}, 0})) << "an answer without an address";
}

TEST(NetbiosNamePacketTest, EveryShortenedPacketIsRefused)
{
    const QByteArray query = EncodeNameQuery(kQuery).value();
    for (qsizetype size = 0; size < query.size(); ++size)
        EXPECT_FALSE(DecodeNameQuery(query.first(size))) << size;
    const QByteArray answer = EncodeNameAnswer(kAnswer).value();
    for (qsizetype size = 0; size < answer.size(); ++size)
        EXPECT_FALSE(DecodeNameAnswer(answer.first(size))) << size;
}

TEST(NetbiosNamePacketTest, OtherPacketsAndMalformedOnesAreRefused)
{
    // Offsets in the packets of kQuery and kAnswer: the name starts at 12 and takes 34 bytes.
    const std::pair<const char*, std::function<void(QByteArray&)>> queries[] = {
        {"a registration", [](QByteArray& b) { b[2] = char(0x28); }},
        {"two questions", [](QByteArray& b) { b[5] = 2; }},
        {"a status query", [](QByteArray& b) { b[47] = 0x21; }},
        {"another class", [](QByteArray& b) { b[49] = 0x02; }},
    };
    for (const auto& [what, change] : queries) {
        QByteArray bytes = EncodeNameQuery(kQuery).value();
        change(bytes);
        EXPECT_FALSE(DecodeNameQuery(bytes)) << what;
    }
    const std::pair<const char*, std::function<void(QByteArray&)>> answers[] = {
        {"a negative answer (name not found)", [](QByteArray& b) { b[3] = char(quint8(b[3]) | 0x03); }},
        {"a status answer", [](QByteArray& b) { b[47] = 0x21; }},
        {"no answer counted", [](QByteArray& b) { b[7] = 0; }},
        {"an address cut in half", [](QByteArray& b) { b[55] = 9; }},
        {"addresses past the end", [](QByteArray& b) { b[55] = 12; }},
        {"no address", [](QByteArray& b) { b[55] = 0; }},
    };
    for (const auto& [what, change] : answers) {
        QByteArray bytes = EncodeNameAnswer(kAnswer).value();
        change(bytes);
        EXPECT_FALSE(DecodeNameAnswer(bytes)) << what;
    }
}

#include "messaging/ColorTags.h"

#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

struct TagCase
{
    const char* typed;
    QByteArray sent;
};

void PrintTo(const TagCase& c, std::ostream* os)
{
    *os << c.typed;
}

class TranslateColorTagsTest : public ::testing::TestWithParam<TagCase>
{
};

TEST_P(TranslateColorTagsTest, Translates)
{
    const TagCase& c = GetParam();
    EXPECT_EQ(Hex(TranslateColorTags(QByteArray(c.typed))), Hex(c.sent)) << c.typed;
}

INSTANTIATE_TEST_SUITE_P(
    Tags, TranslateColorTagsTest,
    ::testing::Values(
        TagCase{"hello", "hello"},
        TagCase{"", ""},
        TagCase{"<r>Alarm<w,r> now", "\x03" "04Alarm\x03" "00,04 now"},
        TagCase{"<Red>x", "\x03" "04x"},
        TagCase{"<blue>", "\x03" "01"},
        TagCase{"<l>", "\x03" "02"},
        TagCase{"<W><b><L><g><R><n><P><o><Y>",
                "\x03" "00\x03" "01\x03" "02\x03" "03\x03" "04\x03" "05\x03" "06\x03" "07\x03" "08"},
        TagCase{"<PING>", "\x03" "06"},
        TagCase{"<>", ""},
        TagCase{"<,,>", ""},
        TagCase{"<,r,,g,y>", "\x03" "04,03"},
        TagCase{"a < b", "a < b"},
        TagCase{"x>y", "x>y"},
        TagCase{"<a<b>", "\x03" "01"},
        TagCase{"a <note> b", "a \x03" "05 b"},
        TagCase{"<r,w>", "\x03" "04,00"},
        TagCase{"Hi<r> there", "Hi\x03" "04 there"},
        TagCase{"<r><r>", "\x03" "04\x03" "04"},
        TagCase{"<r", "<r"},
        TagCase{"<<r>", "\x03" "01"},
        TagCase{"<r> < x", "\x03" "04 < x"}));

TEST(TranslateColorTagsTest, ZeroBytesAndHighBytesPassThrough)
{
    const QByteArray typed("a\0<\xe9>\xff", 6);
    EXPECT_EQ(Hex(TranslateColorTags(typed)), Hex(Bytes("a\0\x03" "01\xff")));
}

} // namespace

#include "messaging/NotificationText.h"

#include <gtest/gtest.h>

namespace {

TEST(NotificationTextTest, PlainTextCutAtWholeCharacters)
{
    const QString twoHundred(kNotificationTextLength, QLatin1Char('a'));
    // U+1F600 is two UTF-16 units: a cut must never leave half of it.
    const QString smiles = QString(kNotificationTextLength + 5, QLatin1Char('x'))
                               .replace(QLatin1Char('x'), QString::fromUtf8("\xF0\x9F\x98\x80"));
    const struct
    {
        QByteArray text;
        QString shown;
    } cases[] = {
        {"hello", QStringLiteral("hello")},
        // As the view reads them: a code takes what its grammar takes, at least one character.
        {"\x03"
         "04,01red\x03"
         "1 plain",
         QStringLiteral("red plain")},
        {"\x03"
         "4x\x03"
         "12,",
         QStringLiteral("x")},
        {"\x03", QString()},
        {"\x03\xc3\xa9t\xc3\xa9", QString::fromUtf8("t\xc3\xa9")},
        {"a <b>&amp;</b>", QStringLiteral("a <b>&amp;</b>")},
        {QByteArray(kNotificationTextLength + 50, 'a'), twoHundred},
        // Codes take no room of the shown length.
        {QByteArray("\x03"
                    "01") +
             QByteArray(kNotificationTextLength, 'a') + "tail",
         twoHundred},
        {smiles.toUtf8(), smiles.left(2 * kNotificationTextLength)},
        // Nor do the other control characters, which are left out.
        {"one\r\ntwo\x1b[1m\x7f\tthree\x01", QStringLiteral("onetwo[1mthree")},
        {QByteArray(50, '\n') + QByteArray(kNotificationTextLength, 'a') + "tail", twoHundred},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NotificationText(c.text), c.shown) << c.text.left(40).toStdString();
}

} // namespace

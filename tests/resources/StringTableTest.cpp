#include "resources/StringTable.h"

#include "resources/resource.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <climits>

namespace {

// The value of every id resource.h names: a number, or a name plus a number.
QMap<QString, int> ResourceIds(const QString& strHeader)
{
    static const QRegularExpression declaration(
        QStringLiteral(R"(inline constexpr int (\w+) = (?:(\w+) \+ )?(\d+);)"));
    QMap<QString, int> ids;
    for (const QRegularExpressionMatch& m : declaration.globalMatch(strHeader)) {
        const int nBase = m.captured(2).isEmpty() ? 0 : ids.value(m.captured(2), -1);
        EXPECT_GE(nBase, 0) << m.captured(0).toStdString();
        ids.insert(m.captured(1), nBase + m.captured(3).toInt());
    }
    return ids;
}

QString ReadSource(const QString& strPath)
{
    QFile file(strPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << strPath.toStdString();
    return QString::fromUtf8(file.readAll());
}

// Every string id that the program's sources name, and every id they load a string for by
// name, has its text: found by reading the sources, so a new use cannot be forgotten here.
TEST(StringTableTest, EveryIdTheProgramLoadsHasItsString)
{
    const QDir src(QStringLiteral(TELLWICK_SOURCE_DIR));
    const QMap<QString, int> ids = ResourceIds(ReadSource(src.filePath(QStringLiteral("resources/resource.h"))));
    ASSERT_FALSE(ids.isEmpty());

    static const QRegularExpression use(
        QStringLiteral(R"(\bLoadResString\(([A-Z][A-Z0-9_]*)\)|\b((?:AFX_)?IDS_[A-Z0-9_]+)\b)"));
    QMap<QString, QString> used; // id name -> a file that uses it
    QDirIterator files(src.path(), {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString strPath = files.next();
        // The table itself and the id list name every id without using it.
        if (strPath.endsWith(QLatin1String("/resource.h")) || strPath.endsWith(QLatin1String("/StringTable.cpp")))
            continue;
        for (const QRegularExpressionMatch& m : use.globalMatch(ReadSource(strPath)))
            used.insert(m.captured(1).isEmpty() ? m.captured(2) : m.captured(1), src.relativeFilePath(strPath));
    }
    // The title, the idle prompt, the caption of the properties and the About box's texts at least.
    EXPECT_GE(used.size(), 8);
    for (auto it = used.cbegin(); it != used.cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString() + " in " + it.value().toStdString());
        ASSERT_TRUE(ids.contains(it.key()));
        EXPECT_TRUE(HasResString(ids.value(it.key())));
    }
}

// Dialogs register a tool for every control with a string, so these must have none.
TEST(StringTableTest, ControlsWithoutTipsHaveNoString)
{
    const int ids[] = {IDOK, IDCANCEL, IDC_COMPUTER, IDC_MESSAGE, IDC_FIND_COMPUTER, IDC_COLOR,
                       IDC_DESCRIPTION, IDC_ACTIVE, IDC_KEYWORD_LIST, IDC_TASK, IDC_ALERT_LIST,
                       IDC_CHECK_ALERTS, IDC_LOG_TO_FILE, IDC_LOG_FILE_NAME, IDC_MAX_LINES, ID_HIDE};
    for (int id : ids) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(HasResString(id));
    }
}

TEST(StringTableTest, UnknownIdGivesEmptyString)
{
    for (int id : {INT_MIN, -1, 0, 141, 228, 65535, INT_MAX}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(HasResString(id));
        EXPECT_TRUE(LoadResString(id).isEmpty());
        EXPECT_TRUE(LoadResString(id).isNull());
    }
}

// HasResString and LoadResString must agree over the whole id range, so no stored text is empty.
TEST(StringTableTest, PresenceMatchesNonEmptyText)
{
    for (int id = 0; id <= 0xFFFF; ++id) {
        ASSERT_EQ(HasResString(id), !LoadResString(id).isEmpty()) << id;
    }
}

} // namespace

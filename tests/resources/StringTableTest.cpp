#include "resources/StringTable.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Expected
{
    int id;
    const char* text;
};

// Texts that other code formats, splits at "\n" or shows, byte for byte.
const Expected kExact[] = {
    {IDS_ERROR_READING_MAILSLOT, "Error reading mailslot %u, 0x%08X"},
    {IDS_MAINFRAME, "Tellwick"},
    {AFX_IDS_APP_TITLE, "Tellwick"},
    {AFX_IDS_IDLEMESSAGE, "Ready"},
    {IDS_FREE_DISK_SPACE, "%lu KB Free on %s"},
    {ID_SEND_MESSAGE, "Send a message to another computer running Tellwick\nSend Message"},
    {ID_FAST_MARK, "Add a mark to the current display\nFast Mark"},
    // No tool-tip half: the button gets its prompt but no tip.
    {ID_ALWAYS_ON_TOP, "Show Tellwick on top of all other windows"},
    {IDC_TEST, "Test (F9)"},
    {IDC_BROWSE, "Browse for log file"},
};

TEST(StringTableTest, ExactTexts)
{
    for (const auto& e : kExact) {
        SCOPED_TRACE(e.id);
        EXPECT_TRUE(HasResString(e.id));
        EXPECT_EQ(LoadResString(e.id).toUtf8().toStdString(), e.text);
    }
}

// Every id stored in the table must be reachable; an entry out of order would be
// skipped by the binary search for some ids, whichever end of the table it sits at.
TEST(StringTableTest, EveryStoredIdIsFound)
{
    const int ids[] = {IDS_MAINFRAME, IDS_PROPERTIES_CAPTION, IDS_PHYSICAL_MEMORY, IDS_SOCKETS_INIT_FAILED,
                       IDS_FREE_DISK_SPACE, IDS_DISK_UNAVAILABLE, IDC_TEST, IDC_ADD, IDC_PROPERTIES, IDC_DELETE,
                       ID_ALWAYS_ON_TOP, ID_FONT, ID_CLEAR, ID_PROPERTIES, ID_FAST_MARK,
                       IDS_ERROR_READING_MAILSLOT, IDS_UNABLE_TO_CREATE_MAILSLOT, IDS_CANT_WRITE_MAILSLOT,
                       IDS_TASK_STARTS_SKIPPED,
                       IDC_BROWSE, ID_SEND_MESSAGE, AFX_IDS_APP_TITLE, AFX_IDS_IDLEMESSAGE};
    for (int id : ids) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(HasResString(id));
        EXPECT_FALSE(LoadResString(id).isEmpty());
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

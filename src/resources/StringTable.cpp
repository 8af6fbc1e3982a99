#include "resources/StringTable.h"

#include "resources/resource.h"

#include <algorithm>
#include <array>

namespace {

struct ResString
{
    int id;
    const char* text;
};

// Kept in ascending id order: lookups use a binary search.
// A string under a command or control id is "status-bar prompt\ntool tip".
constexpr std::array kStrings{
    ResString{IDS_MAINFRAME, "Tellwick"},
    ResString{IDS_PROPERTIES_CAPTION, "Tellwick Properties"},
    ResString{IDS_PHYSICAL_MEMORY, "%lu KB"},
    ResString{IDS_SOCKETS_INIT_FAILED, "Windows sockets initialization failed."},
    ResString{IDS_FREE_DISK_SPACE, "%lu KB Free on %s"},
    ResString{IDS_DISK_UNAVAILABLE, "Unavailable"},
    ResString{IDC_TEST, "Test (F9)"},
    ResString{IDC_ADD, "Add (Insert)"},
    ResString{IDC_PROPERTIES, "Properties (F2)"},
    ResString{IDC_DELETE, "Delete (Delete)"},
    ResString{ID_ALWAYS_ON_TOP, "Show Tellwick on top of all other windows"},
    ResString{ID_FONT, "Select the font used for text display"},
    ResString{ID_CLEAR, "Clears the current display\nClear"},
    ResString{ID_PROPERTIES, "Set the properties for Tellwick\nProperties"},
    ResString{ID_FAST_MARK, "Add a mark to the current display\nFast Mark"},
    ResString{IDS_ERROR_READING_MAILSLOT, "Error reading mailslot %u, 0x%08X"},
    ResString{IDS_UNABLE_TO_CREATE_MAILSLOT, "Unable to create mailslot"},
    ResString{IDS_CANT_WRITE_MAILSLOT, "Can't write to mailslot"},
    ResString{IDS_TASK_STARTS_SKIPPED, "Alert task starts skipped, still running: %d"},
    ResString{IDS_DATAGRAMS_DROPPED, "Messages lost, arriving faster than taken in: %llu"},
    ResString{IDS_TASK_STARTS_FAILED, "Alert task starts failed, program missing: %d"},
    ResString{IDC_BROWSE, "Browse for log file"},
    ResString{ID_SEND_MESSAGE, "Send a message to another computer running Tellwick\nSend Message"},
    ResString{AFX_IDS_APP_TITLE, "Tellwick"},
    ResString{AFX_IDS_IDLEMESSAGE, "Ready"},
};

constexpr bool StrictlyAscending()
{
    return std::adjacent_find(kStrings.begin(), kStrings.end(), [](const ResString& a, const ResString& b) {
               return a.id >= b.id;
           }) == kStrings.end();
}

// An entry out of order or a repeated id would make the binary search miss strings.
static_assert(StrictlyAscending(), "string table ids must be unique and in ascending order");

const ResString* Find(int id)
{
    const auto it = std::lower_bound(kStrings.begin(), kStrings.end(), id,
                                     [](const ResString& entry, int key) { return entry.id < key; });
    return (it != kStrings.end() && it->id == id) ? &*it : nullptr;
}

} // namespace

QString LoadResString(int id)
{
    const ResString* entry = Find(id);
    return entry ? QString::fromUtf8(entry->text) : QString();
}

bool HasResString(int id)
{
    return Find(id) != nullptr;
}

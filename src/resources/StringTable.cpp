#include "resources/StringTable.h"

#include "resources/resource.h"

#include <QCoreApplication>
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
// The program's name is never translated: it names the instance and the autostart entry.
constexpr std::array kStrings{
    ResString{IDS_MAINFRAME, "Tellwick"},
    ResString{IDS_PROPERTIES_CAPTION, QT_TRANSLATE_NOOP("StringTable", "Tellwick Properties")},
    ResString{IDS_PHYSICAL_MEMORY, QT_TRANSLATE_NOOP("StringTable", "%lu KB")},
    ResString{IDS_SOCKETS_INIT_FAILED,
              QT_TRANSLATE_NOOP("StringTable", "Windows sockets initialization failed.")},
    ResString{IDS_FREE_DISK_SPACE, QT_TRANSLATE_NOOP("StringTable", "%lu KB Free on %s")},
    ResString{IDS_DISK_UNAVAILABLE, QT_TRANSLATE_NOOP("StringTable", "Unavailable")},
    ResString{IDC_TEST, QT_TRANSLATE_NOOP("StringTable", "Test (F9)")},
    ResString{IDC_ADD, QT_TRANSLATE_NOOP("StringTable", "Add (Insert)")},
    ResString{IDC_PROPERTIES, QT_TRANSLATE_NOOP("StringTable", "Properties (F2)")},
    ResString{IDC_DELETE, QT_TRANSLATE_NOOP("StringTable", "Delete (Delete)")},
    ResString{ID_ALWAYS_ON_TOP,
              QT_TRANSLATE_NOOP("StringTable", "Show Tellwick on top of all other windows")},
    ResString{ID_FONT, QT_TRANSLATE_NOOP("StringTable", "Select the font used for text display")},
    ResString{ID_CLEAR, QT_TRANSLATE_NOOP("StringTable", "Clears the current display\nClear")},
    ResString{ID_PROPERTIES,
              QT_TRANSLATE_NOOP("StringTable", "Set the properties for Tellwick\nProperties")},
    ResString{ID_FAST_MARK,
              QT_TRANSLATE_NOOP("StringTable", "Add a mark to the current display\nFast Mark")},
    ResString{IDS_ERROR_READING_MAILSLOT,
              QT_TRANSLATE_NOOP("StringTable", "Error reading mailslot %u, 0x%08X")},
    ResString{IDS_UNABLE_TO_CREATE_MAILSLOT,
              QT_TRANSLATE_NOOP("StringTable", "Unable to create mailslot")},
    ResString{IDS_CANT_WRITE_MAILSLOT, QT_TRANSLATE_NOOP("StringTable", "Can't write to mailslot")},
    ResString{IDS_TASK_STARTS_SKIPPED,
              QT_TRANSLATE_NOOP("StringTable", "Alert task starts skipped, still running: %d")},
    ResString{
        IDS_DATAGRAMS_DROPPED,
        QT_TRANSLATE_NOOP("StringTable", "Messages lost, arriving faster than taken in: %llu")},
    ResString{IDS_TASK_STARTS_FAILED,
              QT_TRANSLATE_NOOP("StringTable", "Alert task starts failed, program missing: %d")},
    ResString{IDC_BROWSE, QT_TRANSLATE_NOOP("StringTable", "Browse for log file")},
    ResString{
        ID_SEND_MESSAGE,
        QT_TRANSLATE_NOOP("StringTable",
                          "Send a message to another computer running Tellwick\nSend Message")},
    ResString{AFX_IDS_APP_TITLE, "Tellwick"},
    ResString{AFX_IDS_IDLEMESSAGE, QT_TRANSLATE_NOOP("StringTable", "Ready")},
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
    return entry ? QCoreApplication::translate("StringTable", entry->text) : QString();
}

QString LoadResSourceString(int id)
{
    const ResString* entry = Find(id);
    return entry ? QString::fromUtf8(entry->text) : QString();
}

bool HasResString(int id)
{
    return Find(id) != nullptr;
}

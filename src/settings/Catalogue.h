#pragma once

#include "platform/registry/RegistryData.h"

#include <QByteArrayView>

// Every value Tellwick stores: where it lives, its type and its default when absent. No other
// place in the program spells a key, section or value name.

// The program's own key below HKEY_CURRENT_USER; the profile sections are sub-keys of it.
inline constexpr QByteArrayView kCompanyName("Orvosoft");
inline constexpr QByteArrayView kProgramKey("Software\\Orvosoft\\Tellwick");

// A value in the program's key (empty section) or in one of its profile sections.
struct DwordValue
{
    static constexpr quint32 kType = REG_DWORD;
    QByteArrayView section;
    QByteArrayView name;
    quint32 dwDefault;
};

struct StringValue
{
    static constexpr quint32 kType = REG_SZ;
    QByteArrayView section;
    QByteArrayView name;
    QByteArrayView defaultText; // a null view: no default, the caller's own behaviour applies
};

struct BinaryValue
{
    static constexpr quint32 kType = REG_BINARY;
    QByteArrayView section;
    QByteArrayView name;
};

// The General page's options, loaded and saved together by CSettings.
inline constexpr DwordValue kMaxLines{{}, "MaxLines", 150};
inline constexpr DwordValue kAddDateTime{{}, "AddDateTime", 1};
inline constexpr DwordValue kCheckAlerts{{}, "CheckAlerts", 1};
inline constexpr DwordValue kLogToFile{{}, "LogToFile", 1};
inline constexpr StringValue kLogFileName{{}, "LogFileName", "Tellwick.log"};
inline constexpr StringValue kFastMark{{}, "FastMark", "============================="};
inline constexpr DwordValue kFlashTrayIcon{{}, "FlashTrayIcon", 1};
inline constexpr DwordValue kMakeVisible{{}, "MakeVisible", 1};

// Read directly and never written by the program: the poll interval in milliseconds and the
// window in seconds within which a repeated message is dropped.
inline constexpr DwordValue kTimerMailWait{{}, "TimerMailWait", 2000};
inline constexpr DwordValue kDupMsgSeconds{{}, "DupMsgSeconds", 3};

// How copies reach each other: "udp", or "netbios" on networks with Windows copies; and the
// workgroup whose computers a message to every computer reaches over NetBIOS.
inline constexpr StringValue kTransport{{}, "Transport", "udp"};
inline constexpr StringValue kWorkgroup{{}, "Workgroup", "WORKGROUP"};

// Profile sections, sub-keys of the program's key.
inline constexpr QByteArrayView kSectionSystem("System");
inline constexpr QByteArrayView kSectionSettings("Settings");
inline constexpr QByteArrayView kSectionBarState("General");

// Exactly 1 means the caption and menu are hidden.
inline constexpr DwordValue kHideCaption{kSectionSystem, "HideCaption", 0};
// No default: the window opens where the desktop places it.
inline constexpr StringValue kWindowPos{kSectionSettings, "WindowPos", {}};
inline constexpr char kWindowPosFormat[] = "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d";
inline constexpr StringValue kViewFont{kSectionSettings, "ViewFont",
                                       "-11,0,0,0,400,0,0,0,0,1,2,1,34,MS Sans Serif"};
inline constexpr char kViewFontFormat[] = "%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%s";
// The main window's bar layout, as the window saves it.
inline constexpr BinaryValue kBarState{kSectionBarState, "State"};
// Whether the status bar is shown; the window's own layout record leaves it out.
inline constexpr DwordValue kStatusBarVisible{kSectionBarState, "StatusBar", 1};

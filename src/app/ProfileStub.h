#pragma once

// Stand-in for the profile functions and catalogue of the settings store, with the same names,
// kept in memory until the store is in place. Delete this file then.
#include <QByteArray>
#include <QByteArrayView>

struct DwordValue
{
    QByteArrayView section;
    QByteArrayView name;
    quint32 dwDefault;
};
struct StringValue
{
    QByteArrayView section;
    QByteArrayView name;
    QByteArrayView defaultText;
};
struct BinaryValue
{
    QByteArrayView section;
    QByteArrayView name;
};

inline constexpr QByteArrayView kCompanyName("Orvosoft");
inline constexpr QByteArrayView kSectionSystem("System");
inline constexpr QByteArrayView kSectionSettings("Settings");
inline constexpr QByteArrayView kSectionBarState("General");
inline constexpr DwordValue kHideCaption{kSectionSystem, "HideCaption", 0};
inline constexpr StringValue kWindowPos{kSectionSettings, "WindowPos", {}};
inline constexpr BinaryValue kBarState{kSectionBarState, "State"};
inline constexpr DwordValue kStatusBarVisible{kSectionBarState, "StatusBar", 1};

int GetProfileInt(QByteArrayView section, QByteArrayView entry, int nDefault);
bool WriteProfileInt(QByteArrayView section, QByteArrayView entry, int nValue);
QByteArray GetProfileString(QByteArrayView section, QByteArrayView entry,
                            QByteArrayView defaultText = {});
bool WriteProfileString(QByteArrayView section, QByteArrayView entry, QByteArrayView text);
bool GetProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArray& data);
bool WriteProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArrayView data);

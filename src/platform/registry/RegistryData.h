#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <map>

// Value types as the registry numbers them; any other number is stored and kept as it is.
inline constexpr quint32 REG_NONE = 0;
inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_EXPAND_SZ = 2;
inline constexpr quint32 REG_BINARY = 3;
inline constexpr quint32 REG_DWORD = 4;

// Key and value names compare without regard to ASCII letter case, as the registry compares
// them; a backslash sorts first so that every key is followed by its own sub-keys.
struct RegistryNameLess
{
    using is_transparent = void;
    bool operator()(QByteArrayView left, QByteArrayView right) const;
};

struct RegistryValue
{
    quint32 dwType = REG_NONE;
    QByteArray data; // exactly the stored bytes; its size is the value's size

    friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
};

// The whole content of the per-user store: every key (by its path below HKEY_CURRENT_USER, the
// root itself being the empty path) and its typed values. Names keep the case they were first
// given in.
class CRegistryData
{
public:
    using Values = std::map<QByteArray, RegistryValue, RegistryNameLess>;
    using Keys = std::map<QByteArray, Values, RegistryNameLess>;

    CRegistryData();

    const Keys& GetKeys() const { return m_keys; }
    // The key's entry, or nullptr when there is no such key.
    const Keys::value_type* FindKey(QByteArrayView path) const;
    Keys::value_type* FindKey(QByteArrayView path);
    // Creates the key and every missing key above it; returns the key's entry.
    Keys::value_type& CreateKey(QByteArrayView path);

    friend bool operator==(const CRegistryData&, const CRegistryData&) = default;

private:
    Keys m_keys;
};

// The longest key path, as the registry limits it; it also bounds how much a store file can
// grow when it is written back, since every key above a key is written too.
inline constexpr qsizetype kMaxRegistryPathLength = 255;

// Whether a path below a key is well formed: names separated by single backslashes, none
// empty, no line break or zero byte anywhere (the store file could not hold them), and not
// longer than kMaxRegistryPathLength. The empty path names the key itself.
bool IsValidRegistryPath(QByteArrayView path);
// Whether a value name can be stored: no line break or zero byte.
bool IsValidRegistryValueName(QByteArrayView name);

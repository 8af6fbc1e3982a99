#pragma once

#include "platform/registry/Registry.h"

#include <QByteArray>
#include <QByteArrayView>

// One open key of the per-user store. Every direct access to stored values goes through it.
// Each operation records the store's status code, the value type and the byte count of its
// call, for diagnosis.
class CRegistryKey
{
public:
    // Buffer sizes of the two fixed reads: a larger value fails to read.
    static constexpr quint32 kDwordSize = 4;
    static constexpr quint32 kStringBufferSize = 200;

    explicit CRegistryKey(const RegistryKeyHandle& hKey);
    virtual ~CRegistryKey();
    CRegistryKey(const CRegistryKey&) = delete;
    CRegistryKey& operator=(const CRegistryKey&) = delete;

    // Opens the key below the root in place of the held one and remembers its path.
    bool Open(const RegistryKeyHandle& hRoot, QByteArrayView path);
    // Opens like Open without remembering the path; a success leaves the status as it was.
    bool TryOpen(const RegistryKeyHandle& hRoot, QByteArrayView path);
    // Opens the key, creating it (and the keys above it) when it is missing.
    bool Create(const RegistryKeyHandle& hRoot, QByteArrayView path);
    void Close();

    // Takes any value of at most 4 bytes as its raw bytes (little-endian, zero-filled), whatever
    // its type; otherwise dwValue is left as it was.
    bool ReadDword(QByteArrayView name, quint32& dwValue);
    // Takes any value of at most 200 bytes as text up to its first zero byte.
    bool ReadString(QByteArrayView name, QByteArray& text);
    // As ReadString, but only a text (REG_SZ): a number or bytes stored under a text option's
    // name mean no text, and text is left as it was.
    bool ReadText(QByteArrayView name, QByteArray& text);
    bool WriteDword(QByteArrayView name, quint32 dwValue);
    // Stores the text as a REG_SZ with its terminating zero byte.
    bool WriteString(QByteArrayView name, QByteArrayView text);
    bool ValueExists(QByteArrayView name);
    bool DeleteValue(QByteArrayView name);

    // A whole value of any type and size, for the profile functions and binary state.
    bool ReadValue(QByteArrayView name, quint32& dwType, QByteArray& data);
    bool WriteValue(QByteArrayView name, quint32 dwType, QByteArrayView data);

    qint32 GetLastResult() const { return m_nLastResult; }
    quint32 GetLastType() const { return m_dwLastType; }
    quint32 GetLastSize() const { return m_dwLastSize; }
    const QByteArray& GetKeyPath() const { return m_strKeyPath; }

private:
    bool Record(qint32 nResult, quint32 dwType, quint32 dwSize);
    qint32 OpenHeld(const RegistryKeyHandle& hRoot, QByteArrayView path);

    qint32 m_nLastResult = ERROR_SUCCESS;
    quint32 m_dwLastType = 0;
    quint32 m_dwLastSize = 0;
    RegistryKeyHandle m_hKey;
    QByteArray m_strKeyPath;
};

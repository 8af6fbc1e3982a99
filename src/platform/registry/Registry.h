#pragma once

#include "platform/registry/RegistryFile.h"

#include <QByteArray>
#include <QByteArrayView>

// The registry calls the program makes, over the per-user store file. Only HKEY_CURRENT_USER
// holds anything; HKEY_LOCAL_MACHINE is there as an empty key that cannot be written.

enum class RegistryRoot
{
    None,
    CurrentUser,
    LocalMachine,
};

// A predefined root, or a key opened below HKEY_CURRENT_USER. An opened key reads the store as
// it was when the key was opened or last written through, so all values read through one
// handle come from one version of the file.
struct RegistryKeyHandle
{
    RegistryRoot root = RegistryRoot::None;
    QByteArray path; // below the root, spelled as stored
    CRegistryFile::Snapshot pSnapshot;
    const CRegistryData::Values* pValues = nullptr; // the key's values within pSnapshot

    bool IsValid() const { return root != RegistryRoot::None; }
    bool IsPredefined() const { return IsValid() && !pSnapshot; }
};

inline const RegistryKeyHandle HKEY_CURRENT_USER{RegistryRoot::CurrentUser, {}, {}, nullptr};
inline const RegistryKeyHandle HKEY_LOCAL_MACHINE{RegistryRoot::LocalMachine, {}, {}, nullptr};

// Each returns ERROR_SUCCESS or the reason it failed.
qint32 RegistryOpenKey(const RegistryKeyHandle& hParent, QByteArrayView subKey,
                       RegistryKeyHandle& hResult);
// Opens the key, creating it and every missing key above it first.
qint32 RegistryCreateKey(const RegistryKeyHandle& hParent, QByteArrayView subKey,
                         RegistryKeyHandle& hResult);
// Reads a value into a buffer of *pcbData bytes. *pdwType and *pcbData receive the value's
// type and size; a value larger than the buffer fails with ERROR_MORE_DATA and copies nothing.
// Without a buffer only type and size are returned; every pointer may be null.
qint32 RegistryQueryValue(const RegistryKeyHandle& hKey, QByteArrayView name, quint32* pdwType,
                          char* pData, quint32* pcbData);
qint32 RegistrySetValue(RegistryKeyHandle& hKey, QByteArrayView name, quint32 dwType,
                        QByteArrayView data);
qint32 RegistryDeleteValue(RegistryKeyHandle& hKey, QByteArrayView name);
qint32 RegistryCloseKey(RegistryKeyHandle& hKey);

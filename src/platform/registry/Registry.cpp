#include "platform/registry/Registry.h"

#include <cstring>

namespace {

QByteArray JoinPath(QByteArrayView parent, QByteArrayView sub)
{
    QByteArray path = parent.toByteArray();
    if (!parent.isEmpty() && !sub.isEmpty())
        path.append('\\');
    path.append(sub);
    return path;
}

RegistryKeyHandle HandleTo(const CRegistryFile::Snapshot& pSnapshot,
                           const CRegistryData::Keys::value_type& key)
{
    return RegistryKeyHandle{RegistryRoot::CurrentUser, key.first, pSnapshot, &key.second};
}

// The values of the key now: an opened key's as of its snapshot, the root's as stored now.
const CRegistryData::Values* ValuesOf(const RegistryKeyHandle& hKey,
                                      CRegistryFile::Snapshot& pHold)
{
    if (!hKey.IsPredefined())
        return hKey.pValues;
    pHold = CRegistryFile::User().Load();
    return &pHold->FindKey(QByteArrayView())->second;
}

// Writes a change to the key's values and moves the handle on to the written content.
qint32 UpdateValues(RegistryKeyHandle& hKey,
                    const std::function<qint32(CRegistryData::Values&)>& change)
{
    if (!hKey.IsValid())
        return ERROR_INVALID_HANDLE;
    if (hKey.root != RegistryRoot::CurrentUser)
        return ERROR_ACCESS_DENIED;
    CRegistryFile::Snapshot pWritten;
    const qint32 nResult = CRegistryFile::User().Update(
        [&](CRegistryData& data) {
            auto* pKey = data.FindKey(hKey.path);
            return pKey ? change(pKey->second) : ERROR_KEY_DELETED;
        },
        &pWritten);
    if (nResult == ERROR_SUCCESS && !hKey.IsPredefined()) {
        hKey.pSnapshot = pWritten;
        hKey.pValues = &pWritten->FindKey(hKey.path)->second;
    }
    return nResult;
}

} // namespace

qint32 RegistryOpenKey(const RegistryKeyHandle& hParent, QByteArrayView subKey,
                       RegistryKeyHandle& hResult)
{
    hResult = RegistryKeyHandle();
    if (!hParent.IsValid())
        return ERROR_INVALID_HANDLE;
    const QByteArray path = JoinPath(hParent.path, subKey);
    if (!IsValidRegistryPath(subKey) || !IsValidRegistryPath(path))
        return ERROR_BAD_PATHNAME;
    if (hParent.root == RegistryRoot::LocalMachine) {
        if (!subKey.isEmpty())
            return ERROR_FILE_NOT_FOUND;
        hResult = hParent;
        return ERROR_SUCCESS;
    }
    const CRegistryFile::Snapshot pSnapshot = CRegistryFile::User().Load();
    if (!pSnapshot->FindKey(hParent.path))
        return ERROR_KEY_DELETED;
    const auto* pKey = pSnapshot->FindKey(path);
    if (!pKey)
        return ERROR_FILE_NOT_FOUND;
    hResult = HandleTo(pSnapshot, *pKey);
    return ERROR_SUCCESS;
}

qint32 RegistryCreateKey(const RegistryKeyHandle& hParent, QByteArrayView subKey,
                         RegistryKeyHandle& hResult)
{
    const qint32 nResult = RegistryOpenKey(hParent, subKey, hResult);
    if (nResult != ERROR_FILE_NOT_FOUND)
        return nResult;
    if (hParent.root != RegistryRoot::CurrentUser)
        return ERROR_ACCESS_DENIED;
    const QByteArray path = JoinPath(hParent.path, subKey);
    CRegistryFile::Snapshot pWritten;
    const qint32 nCreated = CRegistryFile::User().Update(
        [&](CRegistryData& data) {
            if (!data.FindKey(hParent.path))
                return ERROR_KEY_DELETED;
            data.CreateKey(path);
            return ERROR_SUCCESS;
        },
        &pWritten);
    if (nCreated == ERROR_SUCCESS)
        hResult = HandleTo(pWritten, *pWritten->FindKey(path));
    return nCreated;
}

qint32 RegistryQueryValue(const RegistryKeyHandle& hKey, QByteArrayView name, quint32* pdwType,
                          char* pData, quint32* pcbData)
{
    if (pData && !pcbData)
        return ERROR_INVALID_PARAMETER;
    // Type and size of a value that cannot be read are reported as none.
    const quint32 cbBuffer = pcbData ? *pcbData : 0;
    if (pdwType)
        *pdwType = REG_NONE;
    if (pcbData)
        *pcbData = 0;
    if (!hKey.IsValid())
        return ERROR_INVALID_HANDLE;
    if (hKey.root != RegistryRoot::CurrentUser)
        return ERROR_FILE_NOT_FOUND;
    CRegistryFile::Snapshot pHold;
    const CRegistryData::Values* pValues = ValuesOf(hKey, pHold);
    const auto it = pValues->find(name);
    if (it == pValues->end())
        return ERROR_FILE_NOT_FOUND;
    const RegistryValue& value = it->second;
    const quint32 nSize = quint32(value.data.size());
    if (pdwType)
        *pdwType = value.dwType;
    qint32 nResult = ERROR_SUCCESS;
    if (pData) {
        if (nSize > cbBuffer)
            nResult = ERROR_MORE_DATA;
        else if (nSize > 0)
            std::memcpy(pData, value.data.constData(), nSize);
    }
    if (pcbData)
        *pcbData = nSize;
    return nResult;
}

qint32 RegistrySetValue(RegistryKeyHandle& hKey, QByteArrayView name, quint32 dwType,
                        QByteArrayView data)
{
    if (!IsValidRegistryValueName(name))
        return ERROR_INVALID_PARAMETER;
    return UpdateValues(hKey, [&](CRegistryData::Values& values) {
        // A value written under another letter case keeps the name it was first given.
        values.insert_or_assign(name.toByteArray(), RegistryValue{dwType, data.toByteArray()});
        return ERROR_SUCCESS;
    });
}

qint32 RegistryDeleteValue(RegistryKeyHandle& hKey, QByteArrayView name)
{
    return UpdateValues(hKey, [&](CRegistryData::Values& values) {
        const auto it = values.find(name);
        if (it == values.end())
            return ERROR_FILE_NOT_FOUND;
        values.erase(it);
        return ERROR_SUCCESS;
    });
}

qint32 RegistryCloseKey(RegistryKeyHandle& hKey)
{
    if (!hKey.IsValid())
        return ERROR_INVALID_HANDLE;
    hKey = RegistryKeyHandle();
    return ERROR_SUCCESS;
}

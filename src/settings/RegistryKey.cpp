#include "settings/RegistryKey.h"

#include <QtEndian>

CRegistryKey::CRegistryKey(const RegistryKeyHandle& hKey) : m_hKey(hKey) {}

CRegistryKey::~CRegistryKey()
{
    Close();
}

bool CRegistryKey::Record(qint32 nResult, quint32 dwType, quint32 dwSize)
{
    m_nLastResult = nResult;
    m_dwLastType = dwType;
    m_dwLastSize = dwSize;
    return nResult == ERROR_SUCCESS;
}

qint32 CRegistryKey::OpenHeld(const RegistryKeyHandle& hRoot, QByteArrayView path)
{
    Close();
    return RegistryOpenKey(hRoot, path, m_hKey);
}

bool CRegistryKey::Open(const RegistryKeyHandle& hRoot, QByteArrayView path)
{
    m_strKeyPath = path.toByteArray();
    return Record(OpenHeld(hRoot, path), 0, 0);
}

bool CRegistryKey::TryOpen(const RegistryKeyHandle& hRoot, QByteArrayView path)
{
    const qint32 nResult = OpenHeld(hRoot, path);
    if (nResult == ERROR_SUCCESS)
        return true;
    return Record(nResult, 0, 0);
}

bool CRegistryKey::Create(const RegistryKeyHandle& hRoot, QByteArrayView path)
{
    Close();
    return Record(RegistryCreateKey(hRoot, path, m_hKey), 0, 0);
}

void CRegistryKey::Close()
{
    if (m_hKey.IsValid())
        RegistryCloseKey(m_hKey);
}

bool CRegistryKey::ReadDword(QByteArrayView name, quint32& dwValue)
{
    // Zero-filled, so that a shorter value reads as its own bytes and nothing else.
    char buffer[kDwordSize] = {};
    quint32 dwType = 0;
    quint32 dwSize = sizeof buffer;
    const qint32 nResult = RegistryQueryValue(m_hKey, name, &dwType, buffer, &dwSize);
    if (!Record(nResult, dwType, dwSize))
        return false;
    dwValue = qFromLittleEndian<quint32>(buffer);
    return true;
}

bool CRegistryKey::ReadString(QByteArrayView name, QByteArray& text)
{
    char buffer[kStringBufferSize];
    quint32 dwType = 0;
    quint32 dwSize = sizeof buffer;
    const qint32 nResult = RegistryQueryValue(m_hKey, name, &dwType, buffer, &dwSize);
    if (!Record(nResult, dwType, dwSize))
        return false;
    const QByteArrayView data(buffer, qsizetype(dwSize));
    const qsizetype end = data.indexOf('\0');
    text = (end < 0 ? data : data.first(end)).toByteArray();
    return true;
}

bool CRegistryKey::ReadText(QByteArrayView name, QByteArray& text)
{
    QByteArray stored;
    if (!ReadString(name, stored) || m_dwLastType != REG_SZ)
        return false;
    text = stored;
    return true;
}

bool CRegistryKey::WriteDword(QByteArrayView name, quint32 dwValue)
{
    char bytes[kDwordSize];
    qToLittleEndian(dwValue, bytes);
    return Record(RegistrySetValue(m_hKey, name, REG_DWORD, QByteArrayView(bytes, kDwordSize)),
                  REG_DWORD, kDwordSize);
}

bool CRegistryKey::WriteString(QByteArrayView name, QByteArrayView text)
{
    QByteArray data = text.toByteArray();
    data.append('\0');
    return Record(RegistrySetValue(m_hKey, name, REG_SZ, data), REG_SZ, quint32(data.size()));
}

bool CRegistryKey::ValueExists(QByteArrayView name)
{
    return Record(RegistryQueryValue(m_hKey, name, nullptr, nullptr, nullptr), 0, 0);
}

bool CRegistryKey::DeleteValue(QByteArrayView name)
{
    return Record(RegistryDeleteValue(m_hKey, name), 0, 0);
}

bool CRegistryKey::ReadValue(QByteArrayView name, quint32& dwType, QByteArray& data)
{
    quint32 dwSize = 0;
    qint32 nResult = RegistryQueryValue(m_hKey, name, &dwType, nullptr, &dwSize);
    if (nResult == ERROR_SUCCESS) {
        // An opened key reads one version of the store, so the size just asked for holds.
        data.resize(qsizetype(dwSize));
        nResult = RegistryQueryValue(m_hKey, name, &dwType, data.data(), &dwSize);
    }
    return Record(nResult, nResult == ERROR_SUCCESS ? dwType : 0, dwSize);
}

bool CRegistryKey::WriteValue(QByteArrayView name, quint32 dwType, QByteArrayView data)
{
    return Record(RegistrySetValue(m_hKey, name, dwType, data), dwType, quint32(data.size()));
}

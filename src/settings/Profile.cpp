#include "settings/Profile.h"

#include "settings/Catalogue.h"
#include "settings/RegistryKey.h"

#include <QtEndian>

namespace {

QByteArray SectionPath(QByteArrayView section)
{
    QByteArray path = kProgramKey.toByteArray();
    if (!section.isEmpty()) {
        path.append('\\');
        path.append(section);
    }
    return path;
}

// The value when it is stored with the expected type; reading never creates the section.
bool ReadTyped(QByteArrayView section, QByteArrayView entry, quint32 dwExpected, QByteArray& data)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.Open(HKEY_CURRENT_USER, SectionPath(section)))
        return false;
    quint32 dwType = REG_NONE;
    return key.ReadValue(entry, dwType, data) && dwType == dwExpected;
}

bool CreateSection(CRegistryKey& key, QByteArrayView section)
{
    return key.Create(HKEY_CURRENT_USER, SectionPath(section));
}

} // namespace

int GetProfileInt(QByteArrayView section, QByteArrayView entry, int nDefault)
{
    QByteArray data;
    if (!ReadTyped(section, entry, REG_DWORD, data) || data.size() != 4)
        return nDefault;
    return qFromLittleEndian<qint32>(data.constData());
}

bool WriteProfileInt(QByteArrayView section, QByteArrayView entry, int nValue)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    return CreateSection(key, section) && key.WriteDword(entry, quint32(nValue));
}

QByteArray GetProfileString(QByteArrayView section, QByteArrayView entry,
                            QByteArrayView defaultText)
{
    QByteArray data;
    if (!ReadTyped(section, entry, REG_SZ, data))
        return defaultText.toByteArray();
    const qsizetype end = data.indexOf('\0');
    if (end >= 0)
        data.truncate(end);
    return data;
}

bool WriteProfileString(QByteArrayView section, QByteArrayView entry, QByteArrayView text)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    return CreateSection(key, section) && key.WriteString(entry, text);
}

bool GetProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArray& data)
{
    QByteArray stored;
    if (!ReadTyped(section, entry, REG_BINARY, stored))
        return false;
    data = stored;
    return true;
}

bool WriteProfileBinary(QByteArrayView section, QByteArrayView entry, QByteArrayView data)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    return CreateSection(key, section) && key.WriteValue(entry, REG_BINARY, data);
}

#include "settings/ProgramValue.h"

#include "settings/RegistryKey.h"

#include "platform/mailslot/MailslotTransport.h"

#include <utility>

quint32 ReadProgramDword(const DwordValue& value)
{
    quint32 dwValue = value.dwDefault;
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (key.Open(HKEY_CURRENT_USER, kProgramKey))
        key.ReadDword(value.name, dwValue);
    return dwValue;
}

void WriteProgramDword(const DwordValue& value, quint32 dwValue)
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.TryOpen(HKEY_CURRENT_USER, kProgramKey))
        key.Create(HKEY_CURRENT_USER, kProgramKey);
    if (key.Open(HKEY_CURRENT_USER, kProgramKey))
        key.WriteDword(value.name, dwValue);
}

QByteArray ReadProgramString(const StringValue& value)
{
    QByteArray text = value.defaultText.toByteArray();
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (key.Open(HKEY_CURRENT_USER, kProgramKey))
        key.ReadText(value.name, text);
    return text;
}

void SelectStoredMailslotTransport()
{
    // Read once: a program that binds its ports before its window has chosen already.
    static bool s_bSelected = false;
    if (std::exchange(s_bSelected, true))
        return;
    SelectMailslotTransport(ReadProgramString(kTransport), ReadProgramString(kWorkgroup));
}

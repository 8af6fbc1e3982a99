#include "settings/ProgramValue.h"

#include "settings/RegistryKey.h"

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

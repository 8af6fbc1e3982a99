#include "settings/Settings.h"

#include "settings/Catalogue.h"
#include "settings/RegistryKey.h"

CSettings::CSettings()
    : m_nMaxLines(int(kMaxLines.dwDefault)),
      m_bAddDateTime(kAddDateTime.dwDefault),
      m_bCheckAlerts(kCheckAlerts.dwDefault),
      m_strFastMark(kFastMark.defaultText.toByteArray()),
      m_bLogToFile(kLogToFile.dwDefault),
      m_strLogFileName(kLogFileName.defaultText.toByteArray()),
      m_bMakeVisible(kMakeVisible.dwDefault),
      m_bFlashTrayIcon(kFlashTrayIcon.dwDefault)
{
    Load();
}

CSettings::~CSettings() = default;

void CSettings::SetMaxLines(int n)
{
    if (n >= kMinMaxLines && n <= kMaxMaxLines)
        m_nMaxLines = n;
}

void CSettings::Load()
{
    // Each read leaves its field alone when the value is missing or does not fit.
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.Open(HKEY_CURRENT_USER, kProgramKey))
        return;
    quint32 dwMaxLines = quint32(m_nMaxLines);
    if (key.ReadDword(kMaxLines.name, dwMaxLines))
        SetMaxLines(int(dwMaxLines));
    key.ReadDword(kAddDateTime.name, m_bAddDateTime);
    key.ReadDword(kCheckAlerts.name, m_bCheckAlerts);
    key.ReadDword(kLogToFile.name, m_bLogToFile);
    key.ReadDword(kFlashTrayIcon.name, m_bFlashTrayIcon);
    key.ReadDword(kMakeVisible.name, m_bMakeVisible);
    key.ReadText(kLogFileName.name, m_strLogFileName);
    key.ReadText(kFastMark.name, m_strFastMark);
    key.Close();
}

void CSettings::Save()
{
    CRegistryKey key(HKEY_LOCAL_MACHINE);
    if (!key.TryOpen(HKEY_CURRENT_USER, kProgramKey))
        key.Create(HKEY_CURRENT_USER, kProgramKey);
    if (!key.Open(HKEY_CURRENT_USER, kProgramKey))
        return;
    // One failed write does not stop the others.
    key.WriteDword(kAddDateTime.name, m_bAddDateTime);
    key.WriteDword(kCheckAlerts.name, m_bCheckAlerts);
    key.WriteDword(kMaxLines.name, quint32(m_nMaxLines));
    key.WriteDword(kLogToFile.name, m_bLogToFile);
    key.WriteString(kLogFileName.name, m_strLogFileName);
    key.WriteString(kFastMark.name, m_strFastMark);
    key.WriteDword(kFlashTrayIcon.name, m_bFlashTrayIcon);
    key.WriteDword(kMakeVisible.name, m_bMakeVisible);
    key.Close();
}

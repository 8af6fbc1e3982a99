#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The options of the General page. Constructing one reads them afresh from the store (with
// their defaults where nothing usable is stored); Save writes them back. Nothing is kept
// between uses: each use constructs its own record.
class CSettings
{
public:
    // The line limit always lies in this range; other values are ignored.
    static constexpr int kMinMaxLines = 11;
    static constexpr int kMaxMaxLines = 99998;

    CSettings();
    virtual ~CSettings();

    // Writes all eight options to the program's key, creating it when it is missing. Failures
    // are not reported.
    void Save();

    int GetMaxLines() const { return m_nMaxLines; }
    // Stores n only when it lies in kMinMaxLines..kMaxMaxLines.
    void SetMaxLines(int n);
    bool GetAddDateTime() const { return m_bAddDateTime != 0; }
    void SetAddDateTime(bool bOn) { m_bAddDateTime = bOn; }
    QByteArray GetFastMark() const { return m_strFastMark; }
    void SetFastMark(QByteArrayView text) { m_strFastMark = text.toByteArray(); }
    bool GetLogToFile() const { return m_bLogToFile != 0; }
    void SetLogToFile(bool bOn) { m_bLogToFile = bOn; }
    QByteArray GetLogFileName() const { return m_strLogFileName; }
    void SetLogFileName(QByteArrayView name) { m_strLogFileName = name.toByteArray(); }
    bool GetFlashTrayIcon() const { return m_bFlashTrayIcon != 0; }
    void SetFlashTrayIcon(bool bOn) { m_bFlashTrayIcon = bOn; }
    bool GetMakeVisible() const { return m_bMakeVisible != 0; }
    void SetMakeVisible(bool bOn) { m_bMakeVisible = bOn; }

private:
    void Load();

    // The switches keep whatever 32-bit value was stored, so a save writes it back unchanged.
    int m_nMaxLines;
    quint32 m_bAddDateTime;
    // Read directly by its users; loaded and saved here only so that a save keeps it.
    quint32 m_bCheckAlerts;
    QByteArray m_strFastMark;
    quint32 m_bLogToFile;
    QByteArray m_strLogFileName;
    quint32 m_bMakeVisible;
    quint32 m_bFlashTrayIcon;
};

#pragma once

#include <QString>

// The per-user start-up entry that makes the desktop start a program when the user logs in:
// autostart/<name>.desktop in the configuration folder (UserConfigHome). Its presence alone,
// whatever it holds, is what counts.
class CAutostartEntry
{
public:
    explicit CAutostartEntry(const QString& strName);

    QString FilePath() const;
    bool Exists() const;
    // Writes a desktop entry that starts the executable (a full path) with no arguments and
    // shows the icon of the theme (none when empty), replacing any entry of the same name at
    // once, never leaving half a file. False when it could not be written.
    bool Write(const QString& strExecutable, const QString& strIcon = QString()) const;
    // False when an entry is left behind.
    bool Remove() const;

    // The Exec value that runs exactly this path, quoted and escaped for a desktop entry.
    static QString ExecValue(const QString& strExecutable);

private:
    QString m_strName;
};

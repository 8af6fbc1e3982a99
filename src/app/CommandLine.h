#pragma once

#include <QString>
#include <QStringList>

// tellwick's command line, read before a display is opened: --help and --version answer from a
// terminal without a desktop, and a wrong option ends the program before anything starts.
// Qt's own options (-platform, -display, -session, -style, ...) are let through to Qt.
class CCommandLine
{
public:
    // The arguments with the program name first, as argv has them. bDisplayInEnvironment: the
    // environment names a display or a Qt platform; without it, or -display or -platform, Qt
    // would abort with a core dump, so the program ends with a line saying why.
    CCommandLine(const QStringList& arguments, const QString& strVersion, bool bDisplayInEnvironment);

    // True when the program is to start; else it prints Output() and Errors() and ends with
    // ExitStatus().
    bool ShouldRun() const { return m_bRun; }
    int ExitStatus() const { return m_nExitStatus; }
    const QString& Output() const { return m_strOutput; }
    const QString& Errors() const { return m_strErrors; }

    static constexpr int kExitUsage = 2;
    static constexpr int kExitNoDesktop = 1;

private:
    bool m_bRun = true;
    int m_nExitStatus = 0;
    QString m_strOutput;
    QString m_strErrors;
};

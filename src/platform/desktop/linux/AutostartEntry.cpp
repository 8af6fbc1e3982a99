#include "platform/desktop/AutostartEntry.h"

#include "platform/files/ConfigHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

CAutostartEntry::CAutostartEntry(const QString& strName) : m_strName(strName) {}

QString CAutostartEntry::FilePath() const
{
    return QFile::decodeName(UserConfigHome()) + QStringLiteral("/autostart/") + m_strName +
           QStringLiteral(".desktop");
}

bool CAutostartEntry::Exists() const
{
    // A dangling link or an entry that cannot be read is still the user's entry.
    return QFileInfo(FilePath()).isSymLink() || QFileInfo::exists(FilePath());
}

bool CAutostartEntry::Write(const QString& strExecutable, const QString& strIcon) const
{
    const QString strPath = FilePath();
    if (!QDir().mkpath(QFileInfo(strPath).path()))
        return false;
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString strEntry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") + m_strName +
                       QStringLiteral("\nExec=") + ExecValue(strExecutable) +
                       QStringLiteral("\nTerminal=false\n");
    if (!strIcon.isEmpty())
        strEntry += QStringLiteral("Icon=") + strIcon + u'\n';
    file.write(strEntry.toUtf8());
    return file.commit();
}

bool CAutostartEntry::Remove() const
{
    return !Exists() || QFile::remove(FilePath());
}

QString CAutostartEntry::ExecValue(const QString& strExecutable)
{
    // Inside the quotes ", `, $ and \ take a backslash; then the whole value is a string, whose
    // own escapes double every backslash and spell out line breaks and tabs. A % would start
    // a field code.
    QString strQuoted;
    for (const QChar c : strExecutable) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            strQuoted += u'\\';
        strQuoted += c;
    }
    QString strValue = QStringLiteral("\"");
    for (const QChar c : strQuoted) {
        switch (c.unicode()) {
        case u'\\': strValue += QStringLiteral("\\\\"); break;
        case u'\n': strValue += QStringLiteral("\\n"); break;
        case u'\t': strValue += QStringLiteral("\\t"); break;
        case u'\r': strValue += QStringLiteral("\\r"); break;
        case u'%': strValue += QStringLiteral("%%"); break;
        default: strValue += c; break;
        }
    }
    return strValue + u'"';
}

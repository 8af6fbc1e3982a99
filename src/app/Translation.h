#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>
#include <functional>

// The program's texts in the desktop's language: picks the language as the desktop asks for it
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) and installs the program's catalogue and Qt's own for it.
// English is the language of the source texts, so "C" and "en" install nothing.
class CTranslation
{
public:
    // The languages asked for, best first, without codeset or modifier ("de_DE.UTF-8" gives
    // "de_DE"). Empty when the locale is "C" or "POSIX", where LANGUAGE counts for nothing.
    static QStringList DesktopLanguages(const std::function<QString(const char*)>& getEnv);
    // The folder of the program's catalogues: <program folder>/../share/tellwick/translations
    // when installed, and the build tree's, laid out alike beside the programs.
    static QString CatalogueFolder();

    // Installs the catalogues of the first language asked for that has one, unless English comes
    // first; needs an application object. Returns that language, or an empty string.
    QString Install(const QStringList& languages, const QString& strFolder = CatalogueFolder());
    // Install() for the languages of the process's environment.
    QString InstallForDesktop();

private:
    QTranslator m_program;
    QTranslator m_qt;
};

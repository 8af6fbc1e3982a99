#include "app/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QRegularExpression>

namespace {

// "de_DE.UTF-8@euro" names the language "de_DE"; the catalogue's load falls back to "de".
QString LanguageOf(const QString& strLocale)
{
    const qsizetype nEnd = strLocale.indexOf(QRegularExpression(QStringLiteral("[.@]")));
    return nEnd < 0 ? strLocale : strLocale.left(nEnd);
}

bool IsSourceLanguage(const QString& strLanguage)
{
    return strLanguage == QLatin1String("C") || strLanguage == QLatin1String("POSIX") ||
           strLanguage == QLatin1String("en") || strLanguage.startsWith(QLatin1String("en_"));
}

} // namespace

QStringList CTranslation::DesktopLanguages(const std::function<QString(const char*)>& getEnv)
{
    // The locale of messages as the C library picks it; LANGUAGE refines it, as gettext reads it,
    // only where the locale is not the C one.
    QString strLocale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        strLocale = getEnv(name);
        if (!strLocale.isEmpty())
            break;
    }
    const QString strLocaleLanguage = LanguageOf(strLocale);
    if (strLocaleLanguage.isEmpty() || strLocaleLanguage == QLatin1String("C") ||
        strLocaleLanguage == QLatin1String("POSIX"))
        return {};
    QStringList languages;
    for (const QString& strEntry : getEnv("LANGUAGE").split(u':', Qt::SkipEmptyParts)) {
        const QString strLanguage = LanguageOf(strEntry);
        if (!strLanguage.isEmpty() && !languages.contains(strLanguage))
            languages.append(strLanguage);
    }
    if (!languages.contains(strLocaleLanguage))
        languages.append(strLocaleLanguage);
    return languages;
}

QString CTranslation::CatalogueFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QLatin1String("/" TELLWICK_DATA_FROM_BIN "/translations"));
}

QString CTranslation::Install(const QStringList& languages, const QString& strFolder)
{
    QCoreApplication::removeTranslator(&m_program);
    QCoreApplication::removeTranslator(&m_qt);
    for (const QString& strLanguage : languages) {
        if (IsSourceLanguage(strLanguage))
            return {};
        if (!m_program.load(QLatin1String("tellwick_") + strLanguage, strFolder))
            continue;
        QCoreApplication::installTranslator(&m_program);
        // Qt's own catalogue says the standard buttons and dialogs in the same language.
        if (m_qt.load(QLatin1String("qtbase_") + strLanguage,
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&m_qt);
        return strLanguage;
    }
    return {};
}

QString CTranslation::InstallForDesktop()
{
    return Install(DesktopLanguages([](const char* name) { return qEnvironmentVariable(name); }));
}

#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The options QGuiApplication, QApplication and the X11 platform take from the command line;
// Qt removes them itself, so they are only named here to be let through. A desktop restoring
// its session starts the program with -session.
constexpr const char* kQtOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name", "style",
    "stylesheet", "qmljsdebugger"};
constexpr const char* kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

constexpr char kDescription[] = QT_TRANSLATE_NOOP(
    "CCommandLine",
    "Shows the one-line messages that computers of the local network send to this one, and\n"
    "sends messages to them. Only one copy runs per user: starting it again brings the running\n"
    "copy's window to the front. See tellwick(1).");

QString Tr(const char* text)
{
    return QCoreApplication::translate("CCommandLine", text);
}

QCommandLineOption HiddenOption(const char* name, const QString& strValueName)
{
    QCommandLineOption option(QString::fromLatin1(name));
    option.setValueName(strValueName);
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    return option;
}

} // namespace

CCommandLine::CCommandLine(const QStringList& arguments, const QString& strVersion, bool bDisplayInEnvironment)
{
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform xcb), so every option is read that way.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(Tr(kDescription));
    // Qt's own --help-all would list options of Qt's that this program does not read.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        Tr(QT_TRANSLATE_NOOP("CCommandLine", "Shows this help and ends.")));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        Tr(QT_TRANSLATE_NOOP("CCommandLine", "Shows the version and ends.")));
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtOptionsWithValue)
        parser.addOption(HiddenOption(name, QStringLiteral("value")));
    for (const char* name : kQtFlags)
        parser.addOption(HiddenOption(name, QString()));

    const QString strProgram = QStringLiteral("tellwick");
    QString strError;
    if (!parser.parse(arguments))
        strError = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        strError = Tr(QT_TRANSLATE_NOOP("CCommandLine", "Unexpected argument '%1'."))
                       .arg(parser.positionalArguments().first());
    if (!strError.isEmpty()) {
        m_bRun = false;
        m_nExitStatus = kExitUsage;
        m_strErrors =
            strProgram + QStringLiteral(": ") + strError + u'\n' +
            Tr(QT_TRANSLATE_NOOP("CCommandLine", "Try 'tellwick --help' for more information.")) +
            u'\n';
        return;
    }
    if (parser.isSet(help)) {
        m_bRun = false;
        // The help text names the program as it was started; the usage line names it as installed.
        // Qt's catalogue may say "Usage: %1" in the user's language.
        static constexpr char kQtContext[] = "QCommandLineParser";
        const QString strUsage = QCoreApplication::translate(kQtContext, "Usage: %1");
        const QString strStarted = QCoreApplication::instance()
                                       ? QCoreApplication::arguments().constFirst()
                                       : QStringLiteral("<executable_name>");
        QString strHelp = parser.helpText();
        const QString strFirstLine = strUsage.arg(strStarted);
        if (strHelp.startsWith(strFirstLine))
            strHelp.replace(0, strFirstLine.size(), strUsage.arg(strProgram));
        m_strOutput = strHelp;
    } else if (parser.isSet(version)) {
        m_bRun = false;
        m_strOutput = QStringLiteral("Tellwick ") + strVersion + u'\n';
    } else if (!bDisplayInEnvironment && !parser.isSet(QStringLiteral("display")) &&
               !parser.isSet(QStringLiteral("platform"))) {
        // Started from an SSH shell or a cron job.
        m_bRun = false;
        m_nExitStatus = kExitNoDesktop;
        m_strErrors =
            strProgram + QStringLiteral(": ") +
            Tr(QT_TRANSLATE_NOOP("CCommandLine",
                                 "needs a desktop session (neither DISPLAY nor WAYLAND_DISPLAY "
                                 "is set); tellwick-send sends messages without one.")) +
            u'\n';
    }
}

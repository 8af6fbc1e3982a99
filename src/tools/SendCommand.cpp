#include "tools/SendCommand.h"

#include "about/ProgramVersion.h"
#include "messaging/ColorTags.h"
#include "messaging/LocaleText.h"
#include "messaging/Mailslot.h"
#include "platform/mailslot/MailslotInbox.h"
#include "settings/ProgramValue.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <array>
#include <climits>
#include <iostream>
#include <limits>
#include <string>

namespace {

constexpr int kExitSent = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The longest text the receiver shows whole; it cuts longer ones there.
constexpr qsizetype kLongestShown = CMailslotInbox::kReadSize - 1;

constexpr char kUsage[] = QT_TRANSLATE_NOOP(
    "SendCommand",
    "Usage: tellwick-send COMPUTER MESSAGE...\n"
    "       tellwick-send --help | --version\n"
    "Sends MESSAGE, its words joined by blanks, as one line to Tellwick on COMPUTER.\n"
    "Options are read before COMPUTER only: the words of MESSAGE are sent as they are.\n"
    "\n"
    "COMPUTER  a computer name or address; \"localhost\" or \"\" is this computer,\n"
    "          \"*\" every computer of the local network. A name as Tellwick's find dialog\n"
    "          gives it, such as desk-7.local:20345, reaches a copy on the port it announces.\n"
    "MESSAGE   text with optional colour tags: <w> white, <b> black, <l> blue, <g> green,\n"
    "          <r> red, <n> brown, <p> purple, <o> orange, <y> yellow; <w,r> is white on red.\n"
    "          A MESSAGE of \"-\" is read from standard input: every line is sent as a\n"
    "          message of its own, in order.\n"
    "\n"
    "A message longer than Tellwick shows (1999 bytes) is cut there, between two characters.\n"
    "Messages are not acknowledged: success means they were written, not that they were read.\n"
    "Environment: TELLWICK_MAILSLOT_PORT, the UDP port of the inboxes (default 10138);\n"
    "TELLWICK_TRANSPORT, \"udp\" or \"netbios\" (Windows copies), else the stored choice.\n"
    "Exit status: 0 written, 1 not written, 2 wrong arguments.\n"
    "See tellwick-send(1).\n");

// The help in the user's language, in the locale's encoding as the terminal shows it.
std::string Tr(const char* text)
{
    return QCoreApplication::translate("SendCommand", text).toLocal8Bit().toStdString();
}

// Of a line of standard input, what is kept: enough to cut it between two characters as the
// whole line would be cut. The rest is read and dropped, so an endless line costs no memory.
constexpr qsizetype kLineKept = kLongestShown + MB_LEN_MAX;

// Sends one message as the Send Message dialog would, cut to what the receiver shows rather
// than refused by the network for its size; bCutShort: the message lost its end already, as
// a line longer than kLineKept does. Returns the exit status.
int SendMessage(const QByteArray& computer, const QByteArray& typedMessage, std::ostream& err,
                bool bCutShort = false)
{
    QByteArray text = TranslateColorTags(typedMessage);
    if (text.size() > kLongestShown || bCutShort) {
        const qsizetype nCut = WholeCharactersPrefix(text, kLongestShown);
        err << "tellwick-send: warning: the message is ";
        if (bCutShort)
            err << "over " << kLineKept;
        else
            err << text.size();
        err << " bytes long; Tellwick shows " << kLongestShown << " of them, so it is cut to " << nCut << "\n";
        text.truncate(nCut);
    }
    text.append('\0');
    QString strWhy;
    switch (WriteMailslotDatagram(MailslotPath(ComputerPart(computer)), text, &strWhy)) {
    case MailslotWriteResult::Written:
        return kExitSent;
    case MailslotWriteResult::UnknownComputer:
        err << "tellwick-send: cannot find computer \"" << computer.constData() << "\"\n";
        return kExitFailed;
    case MailslotWriteResult::NotOneComputer:
        err << "tellwick-send: \"" << computer.constData() << "\" " << strWhy.toLocal8Bit().constData()
            << ", not to one computer; the message is not sent (\"*\" sends to every computer)\n";
        return kExitFailed;
    case MailslotWriteResult::WriteFailed:
        break;
    }
    err << "tellwick-send: cannot write the message to \"" << computer.constData() << "\"\n";
    return kExitFailed;
}

// Every line of the input is a message of its own, as logger takes them: one datagram holds
// one line, and the log one record per line. Sent as read, so a pipe that stays open works.
int SendLines(const QByteArray& computer, std::istream& in, std::ostream& err)
{
    std::array<char, kLineKept + 1> buffer;
    for (long nLine = 1;; ++nLine) {
        in.getline(buffer.data(), std::streamsize(buffer.size()));
        qsizetype nLength = qsizetype(in.gcount());
        if (in.bad())
            break;
        if (nLength == 0 && in.eof())
            return kExitSent;
        bool bCutShort = false;
        if (in.eof()) {
            // The last line, without its end.
        } else if (in.fail()) {
            // The buffer filled before the line ended: the rest of it is dropped.
            bCutShort = true;
            in.clear();
            in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
            if (in.bad())
                break;
        } else {
            --nLength; // the line's end, counted but not kept
        }
        QByteArray line(buffer.data(), nLength);
        if (!bCutShort && line.endsWith('\r'))
            line.chop(1);
        // The receiver ends a text at its first zero byte and would show only what comes before.
        if (line.contains('\0')) {
            err << "tellwick-send: line " << nLine << " holds a zero byte; it and the rest are not sent\n";
            return kExitFailed;
        }
        if (const int nStatus = SendMessage(computer, line, err, bCutShort); nStatus != kExitSent)
            return nStatus;
    }
    err << "tellwick-send: cannot read standard input\n";
    return kExitFailed;
}

// Help and version: a text that cannot be written is a failure, also when only the last
// flush tells.
int WriteText(std::ostream& out, std::ostream& err, const std::string& text)
{
    out << text;
    out.flush();
    if (out)
        return kExitSent;
    err << "tellwick-send: cannot write to standard output\n";
    return kExitFailed;
}

} // namespace

int RunSendCommand(const std::vector<QByteArray>& args, std::istream& in, std::ostream& out,
                   std::ostream& err)
{
    // Latin-1 maps every byte to one character and back, so the computer and the message keep
    // their bytes, whatever the locale, while the parser reads the options.
    QStringList arguments{QStringLiteral("tellwick-send")};
    for (const QByteArray& arg : args)
        arguments.append(QString::fromLatin1(arg));
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments)) {
        err << "tellwick-send: " << parser.errorText().toLatin1().constData() << "\n"
            << Tr(QT_TRANSLATE_NOOP("SendCommand",
                                    "Try 'tellwick-send --help' for more information."))
            << "\n";
        return kExitUsage;
    }
    if (parser.isSet(help))
        return WriteText(out, err, Tr(kUsage));
    if (parser.isSet(version))
        return WriteText(out, err, std::string("tellwick-send (Tellwick) ") + ProgramVersionText() + "\n");
    SelectStoredMailslotTransport();
    const QStringList words = parser.positionalArguments();
    if (words.size() < 2) {
        err << Tr(kUsage);
        return kExitUsage;
    }

    const QByteArray computer = words[0].toLatin1();
    if (words.size() == 2 && words[1] == u'-')
        return SendLines(computer, in, err);
    QByteArray message = words[1].toLatin1();
    for (qsizetype i = 2; i < words.size(); ++i)
        message.append(' ').append(words[i].toLatin1());
    return SendMessage(computer, message, err);
}

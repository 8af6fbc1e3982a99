#include "tools/SendCommand.h"

#include "messaging/ColorTags.h"
#include "messaging/Mailslot.h"
#include "platform/LocaleText.h"
#include "platform/MailslotInbox.h"

#include <iostream>
#include <string>

namespace {

constexpr int kExitSent = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// The longest text the receiver shows whole; it cuts longer ones there.
constexpr qsizetype kLongestShown = CMailslotInbox::kReadSize - 1;

constexpr char kUsage[] =
    "Usage: tellwick-send COMPUTER MESSAGE...\n"
    "Sends MESSAGE, its words joined by blanks, as one line to Tellwick on COMPUTER.\n"
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
    "Environment: TELLWICK_MAILSLOT_PORT, the UDP port of the inboxes (default 10138).\n"
    "Exit status: 0 written, 1 not written, 2 wrong arguments.\n";

// Sends one message as the Send Message dialog would, cut to what the receiver shows rather
// than refused by the network for its size. Returns the exit status.
int SendMessage(const QByteArray& computer, const QByteArray& typedMessage, std::ostream& err)
{
    QByteArray text = TranslateColorTags(typedMessage);
    if (text.size() > kLongestShown) {
        const qsizetype nCut = WholeCharactersPrefix(text, kLongestShown);
        err << "tellwick-send: warning: the message is " << text.size() << " bytes long; Tellwick shows "
            << kLongestShown << " of them, so it is cut to " << nCut << "\n";
        text.truncate(nCut);
    }
    text.append('\0');
    switch (WriteMailslotDatagram(MailslotPath(ComputerPart(computer)), text)) {
    case MailslotWriteResult::Written:
        return kExitSent;
    case MailslotWriteResult::UnknownComputer:
        err << "tellwick-send: cannot find computer \"" << computer.constData() << "\"\n";
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
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const int nStatus = SendMessage(computer, QByteArray::fromStdString(line), err);
            nStatus != kExitSent)
            return nStatus;
    }
    return kExitSent;
}

} // namespace

int RunSendCommand(const std::vector<QByteArray>& args, std::istream& in, std::ostream& out,
                   std::ostream& err)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return kExitSent;
    }
    if (args.size() < 2) {
        err << kUsage;
        return kExitUsage;
    }

    const QByteArray& computer = args[0];
    if (args.size() == 2 && args[1] == "-")
        return SendLines(computer, in, err);
    QByteArray message = args[1];
    for (size_t i = 2; i < args.size(); ++i)
        message.append(' ').append(args[i]);
    return SendMessage(computer, message, err);
}

#include "tools/SendCommand.h"

#include "messaging/ColorTags.h"
#include "messaging/Mailslot.h"
#include "platform/MailslotInbox.h"

#include <iostream>
#include <iterator>

namespace {

constexpr int kExitSent = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "Usage: tellwick-send COMPUTER MESSAGE...\n"
    "Sends MESSAGE, its words joined by blanks, as one line to Tellwick on COMPUTER.\n"
    "\n"
    "COMPUTER  a computer name or address; \"localhost\" or \"\" is this computer,\n"
    "          \"*\" every computer of the local network.\n"
    "MESSAGE   text with optional colour tags: <w> white, <b> black, <l> blue, <g> green,\n"
    "          <r> red, <n> brown, <p> purple, <o> orange, <y> yellow; <w,r> is white on red.\n"
    "          A MESSAGE of \"-\" is read from standard input.\n"
    "\n"
    "The message is not acknowledged: success means it was written, not that it was read.\n"
    "Environment: TELLWICK_MAILSLOT_PORT, the UDP port of the inboxes (default 10138).\n"
    "Exit status: 0 written, 1 not written, 2 wrong arguments.\n";

QByteArray ReadMessage(std::istream& in)
{
    QByteArray message = QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
    // A line from echo or a pipe ends with a line break that is no part of the message.
    while (message.endsWith('\n') || message.endsWith('\r'))
        message.chop(1);
    return message;
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
    QByteArray message;
    if (args.size() == 2 && args[1] == "-") {
        message = ReadMessage(in);
    } else {
        message = args[1];
        for (size_t i = 2; i < args.size(); ++i)
            message.append(' ').append(args[i]);
    }

    const qsizetype nLength = TranslateColorTags(message).size();
    if (nLength >= CMailslotInbox::kReadSize)
        err << "tellwick-send: warning: the message is " << nLength << " bytes long; Tellwick shows "
            << CMailslotInbox::kReadSize - 1 << " of them\n";

    switch (SendTypedMessage(computer, message)) {
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

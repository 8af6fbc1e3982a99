#include "app/Translation.h"
#include "platform/app/Logging.h"
#include "platform/process/StandardStreams.h"
#include "tools/SendCommand.h"

#include <QCoreApplication>
#include <iostream>

int main(int argc, char* argv[])
{
    // A closed standard input must not become the next file opened, and fails every read.
    const std::bitset<3> closed = ReserveClosedStandardStreams();
    // The streams' own buffers: those shared with C's stdio take a read error for the end of
    // the input, and a message would be lost unseen.
    std::ios::sync_with_stdio(false);
    if (closed[0])
        std::cin.setstate(std::ios::badbit);
    if (closed[1])
        std::cout.setstate(std::ios::badbit);
    qSetMessagePattern(QString::fromLatin1(kLogMessagePattern));
    QCoreApplication app(argc, argv);
    CTranslation translation;
    translation.InstallForDesktop();
    std::vector<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return RunSendCommand(args, std::cin, std::cout, std::cerr);
}

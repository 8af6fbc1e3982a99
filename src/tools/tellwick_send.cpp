#include "platform/Logging.h"
#include "tools/SendCommand.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    qSetMessagePattern(QString::fromLatin1(kLogMessagePattern));
    QCoreApplication app(argc, argv);
    std::vector<QByteArray> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    return RunSendCommand(args, std::cin, std::cout, std::cerr);
}

// tellwick's command line comes from whoever starts it: arguments separated by zero bytes.
#include "app/CommandLine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QStringList arguments{QStringLiteral("tellwick")};
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& argument : input.toByteArray().split('\0'))
        arguments.append(QString::fromLocal8Bit(argument));
    const CCommandLine line(arguments, QStringLiteral("1.0.0"), true);
    // It starts quietly, answers on standard output, or refuses on standard error with status 2.
    const bool bStarts = line.ShouldRun() && line.ExitStatus() == 0 && line.Output().isEmpty() &&
                         line.Errors().isEmpty();
    const bool bAnswers = !line.ShouldRun() && line.ExitStatus() == 0 && !line.Output().isEmpty() &&
                          line.Errors().isEmpty();
    const bool bRefuses = !line.ShouldRun() && line.ExitStatus() == CCommandLine::kExitUsage &&
                          line.Output().isEmpty() && !line.Errors().isEmpty();
    if (!bStarts && !bAnswers && !bRefuses)
        std::abort();
    return 0;
}

#include "support/TestEnvironment.h"
#include "support/TestInbox.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

// Every test program runs with its own configuration, runtime, temporary and working folders,
// so that no test reads or writes the real user's files, and with its own inbox port, so that
// no window it makes meets a running copy or another test program.
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    if (!PrepareTestEnvironment(home))
        return EXIT_FAILURE;

    QApplication app(argc, argv);
    UseFreeMailslotPort();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

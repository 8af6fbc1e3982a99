#include "support/TestEnvironment.h"
#include "support/TestInbox.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

// The main of the test programs that link only tellwick_core: without a widgets' application,
// so that they show the core builds and runs on its own. Folders as in TestMain.cpp.
int main(int argc, char* argv[])
{
    QTemporaryDir home;
    if (!PrepareTestEnvironment(home))
        return EXIT_FAILURE;

    QCoreApplication app(argc, argv);
    UseFreeMailslotPort();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform/discovery/ComputerBrowser.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

TEST(AvahiComputerBrowserTest, MissingDaemonIsReportedAtStart)
{
    if (QFile::exists(QStringLiteral("/run/avahi-daemon/pid")))
        GTEST_SKIP() << "an Avahi daemon runs on this machine";
    const std::unique_ptr<CComputerBrowser> pBrowser = CreateComputerBrowser();
    EXPECT_FALSE(pBrowser->Start());
    EXPECT_FALSE(pBrowser->Start());
}

} // namespace

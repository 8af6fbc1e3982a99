#include "platform/registry/RegistryText.h"
#include "settings/Profile.h"
#include "settings/Settings.h"

#include "support/TestStore.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// The second process is this test program again, running only the writer below.
constexpr char kWriterSection[] = "TELLWICK_TEST_WRITER_SECTION";
constexpr char kWriterConfig[] = "TELLWICK_TEST_WRITER_CONFIG";
constexpr char kReady[] = "writer ready";
constexpr int kWrites = 200;

QByteArray ValueName(int i)
{
    return QByteArray("Value").append(QByteArray::number(i));
}

// Writes values of its own section one at a time, saving the settings now and then; after
// every write its own value reads back and the file parses whole.
void RunWriter(const QByteArray& section)
{
    for (int i = 0; i < kWrites; ++i) {
        ASSERT_TRUE(WriteProfileInt(section, ValueName(i), i));
        ASSERT_EQ(GetProfileInt(section, ValueName(i), -1), i);
        if (i % 25 == 0) {
            CSettings settings;
            settings.SetMaxLines(100 + i);
            settings.Save();
        }
        ASSERT_EQ(ParseRegistryText(ReadStoreFile()).nSkippedLines, 0) << i;
    }
}

TEST(StoreConcurrencyTest, TwoProcessesWritingAtOnceLoseNothing)
{
    RemoveStoreFile();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kWriterSection), QStringLiteral("Child"));
    environment.insert(QLatin1String(kWriterConfig), qEnvironmentVariable("XDG_CONFIG_HOME"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=StoreConcurrencyTest.Writer"),
                 QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForStarted());
    QByteArray output;
    while (!output.contains(kReady) && child.waitForReadyRead(60000))
        output.append(child.readAllStandardOutput());
    ASSERT_TRUE(output.contains(kReady)) << output.constData();

    RunWriter("Parent");
    ASSERT_TRUE(child.waitForFinished(300000));
    output.append(child.readAllStandardOutput());
    ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(child.exitCode(), 0) << output.constData();
    ASSERT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();

    for (const char* section : {"Parent", "Child"}) {
        for (int i = 0; i < kWrites; ++i)
            EXPECT_EQ(GetProfileInt(section, ValueName(i), -1), i) << section << " " << i;
    }
    EXPECT_EQ(ParseRegistryText(ReadStoreFile()).nSkippedLines, 0);
}

TEST(StoreConcurrencyTest, Writer)
{
    const QByteArray section = qgetenv(kWriterSection);
    ASSERT_FALSE(section.isEmpty()) << "runs only as the second process of the test above";
    qputenv("XDG_CONFIG_HOME", qgetenv(kWriterConfig));
    std::printf("%s\n", kReady);
    std::fflush(stdout);
    RunWriter(section);
}

} // namespace

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CommandLineTest, WhatEachCommandLineDoes)
{
    const struct
    {
        std::vector<const char*> args; // after the program name
        bool bRun;
        int nStatus;
        const char* output; // contained in standard output, "" for none
        const char* errors; // contained in standard error, "" for none
    } cases[] = {
        {{}, true, 0, "", ""},
        {{"--version"}, false, 0, "Tellwick 9.8.7\n", ""},
        {{"-v"}, false, 0, "Tellwick 9.8.7\n", ""},
        {{"--help"}, false, 0, "Usage: tellwick [options]\n", ""},
        {{"-h"}, false, 0, "-v, --version", ""},
        // Qt's options reach Qt, with their values, in either spelling.
        {{"-platform", "offscreen", "-style=fusion", "-reverse"}, true, 0, "", ""},
        {{"--display", ":1", "-session", "1a2b3c"}, true, 0, "", ""},
        // Refused, with nothing started.
        {{"--bogus"}, false, 2, "", "tellwick: Unknown option 'bogus'.\nTry 'tellwick --help'"},
        {{"-x"}, false, 2, "", "Unknown option 'x'."},
        {{"--help", "--bogus"}, false, 2, "", "Unknown option 'bogus'."},
        {{"-platform"}, false, 2, "", "Missing value after '-platform'."},
        {{"notes.txt"}, false, 2, "", "tellwick: Unexpected argument 'notes.txt'."},
    };
    for (const auto& c : cases) {
        QStringList args{QStringLiteral("/usr/bin/tellwick")};
        for (const char* arg : c.args)
            args.append(QString::fromLatin1(arg));
        const CCommandLine line(args, QStringLiteral("9.8.7"), true);
        const std::string trace = args.join(u' ').toStdString();
        EXPECT_EQ(line.ShouldRun(), c.bRun) << trace;
        EXPECT_EQ(line.ExitStatus(), c.nStatus) << trace;
        EXPECT_EQ(line.Output().isEmpty(), !*c.output) << trace;
        EXPECT_TRUE(line.Output().contains(QLatin1String(c.output))) << trace << line.Output().toStdString();
        EXPECT_EQ(line.Errors().isEmpty(), !*c.errors) << trace;
        EXPECT_TRUE(line.Errors().contains(QLatin1String(c.errors))) << trace << line.Errors().toStdString();
    }
}

// Without a display in the environment only a command line naming one starts the program; the
// others end with one line, and answer what needs no display as before.
TEST(CommandLineTest, WithoutADisplayItSaysWhyAndEnds)
{
    const struct
    {
        std::vector<const char*> args; // after the program name
        bool bRun;
        int nStatus;
        const char* errors; // contained in standard error, "" for none
    } cases[] = {
        {{}, false, 1, "tellwick: needs a desktop session"},
        {{"-style", "fusion"}, false, 1, "tellwick-send sends messages without one.\n"},
        {{"-platform", "offscreen"}, true, 0, ""},
        {{"--display", ":1"}, true, 0, ""},
        {{"--version"}, false, 0, ""},
        {{"--bogus"}, false, 2, "Unknown option 'bogus'."},
    };
    for (const auto& c : cases) {
        QStringList args{QStringLiteral("tellwick")};
        for (const char* arg : c.args)
            args.append(QString::fromLatin1(arg));
        const CCommandLine line(args, QStringLiteral("9.8.7"), false);
        const std::string trace = args.join(u' ').toStdString();
        EXPECT_EQ(line.ShouldRun(), c.bRun) << trace;
        EXPECT_EQ(line.ExitStatus(), c.nStatus) << trace;
        EXPECT_EQ(line.Errors().isEmpty(), !*c.errors) << trace;
        EXPECT_TRUE(line.Errors().contains(QLatin1String(c.errors))) << trace << line.Errors().toStdString();
        if (c.nStatus == CCommandLine::kExitNoDesktop) {
            EXPECT_EQ(line.Errors().count(u'\n'), 1) << trace;
        }
    }
}

} // namespace

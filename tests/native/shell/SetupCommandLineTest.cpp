#include "shell/SetupCommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupCommandLine, AnythingButSwitchesIsIgnored) {
    for (const char* arguments :
         {"", "   ", "C:\\setup.inf", "-silent", "/unknown", "silent", "/silentx"}) {
        const SetupCommandLine line = ParseSetupCommandLine(arguments);
        EXPECT_EQ(line.mode, SetupMode::Wizard) << arguments;
        EXPECT_EQ(line.error, "") << arguments;
    }
}

TEST(SetupCommandLine, SilentRunWithEverySwitch) {
    const SetupCommandLine line = ParseSetupCommandLine(
        "  /SILENT /Answers:\"C:\\My answers\\a.ini\" /disks:D:\\;E:\\set\\  /log:C:\\run.log ");
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.mode, SetupMode::Silent);
    EXPECT_EQ(line.answersPath, "C:\\My answers\\a.ini");
    EXPECT_EQ(line.diskFolders, (std::vector<std::string>{"D:\\", "E:\\set\\"}));
    EXPECT_EQ(line.logPath, "C:\\run.log");
}

TEST(SetupCommandLine, RecordingRunOfTheWizard) {
    const SetupCommandLine line = ParseSetupCommandLine("/record:\"C:\\a b.ini\"");
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.mode, SetupMode::Record);
    EXPECT_EQ(line.recordPath, "C:\\a b.ini");
}

TEST(SetupCommandLine, SwitchesThatCannotGoTogetherAreErrors) {
    for (const char* arguments :
         {"/silent /silent", "/silent /record:a.ini", "/answers:a.ini", "/disks:D:\\",
          "/record:a.ini /log:x.log", "/silent /answers", "/silent /answers:", "/silent:yes",
          "/silent C:\\setup.inf", "/silent /log:\"unclosed", "/silent /log:\"a\"b"}) {
        EXPECT_NE(ParseSetupCommandLine(arguments).error, "") << arguments;
    }
}

} // namespace

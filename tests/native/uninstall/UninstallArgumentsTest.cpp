#include "uninstall/UninstallCommandLine.h"

#include <gtest/gtest.h>

TEST(UninstallArguments, WithoutSwitchesTheWholeLineIsThePath) {
    const UninstallArguments parsed =
        ParseUninstallArguments("  C:\\Program Files\\A B\\SETUP.INF ");
    EXPECT_FALSE(parsed.silent);
    EXPECT_FALSE(parsed.removeShared);
    EXPECT_FALSE(parsed.logPath);
    EXPECT_EQ(parsed.scriptPath, "C:\\Program Files\\A B\\SETUP.INF");
}

TEST(UninstallArguments, EachSwitchInAnyCaseBeforeAPathWithSpaces) {
    UninstallArguments parsed = ParseUninstallArguments("/SILENT C:\\A B\\SETUP.INF");
    EXPECT_TRUE(parsed.silent);
    EXPECT_FALSE(parsed.removeShared);
    EXPECT_EQ(parsed.scriptPath, "C:\\A B\\SETUP.INF");

    parsed = ParseUninstallArguments(
        "/RemoveShared  /silent\t/Log:C:\\TEMP\\RUN.LOG C:\\A B\\SETUP.INF");
    EXPECT_TRUE(parsed.silent);
    EXPECT_TRUE(parsed.removeShared);
    ASSERT_TRUE(parsed.logPath);
    EXPECT_EQ(*parsed.logPath, "C:\\TEMP\\RUN.LOG");
    EXPECT_EQ(parsed.scriptPath, "C:\\A B\\SETUP.INF");
}

TEST(UninstallArguments, QuotedLogPathKeepsItsBlanks) {
    const UninstallArguments parsed =
        ParseUninstallArguments("/log:\"C:\\My Logs\\run one.log\" /silent \"C:\\A B\\SETUP.INF\"");
    ASSERT_TRUE(parsed.logPath);
    EXPECT_EQ(*parsed.logPath, "C:\\My Logs\\run one.log");
    EXPECT_TRUE(parsed.silent);
    EXPECT_EQ(parsed.scriptPath, "C:\\A B\\SETUP.INF");
}

// What is not exactly a switch followed by a blank starts the path, as before switches existed.
TEST(UninstallArguments, AnythingElseStartsThePath) {
    EXPECT_EQ(ParseUninstallArguments("/quiet C:\\SETUP.INF").scriptPath, "/quiet C:\\SETUP.INF");
    EXPECT_EQ(ParseUninstallArguments("/silently C:\\SETUP.INF").scriptPath,
              "/silently C:\\SETUP.INF");
    EXPECT_EQ(ParseUninstallArguments("/silent").scriptPath, "/silent");
    EXPECT_FALSE(ParseUninstallArguments("/silent").silent);
    EXPECT_EQ(ParseUninstallArguments("/log: C:\\SETUP.INF").scriptPath, "/log: C:\\SETUP.INF");
    EXPECT_EQ(ParseUninstallArguments("/log:\"C:\\X C:\\SETUP.INF").scriptPath,
              "/log:\"C:\\X C:\\SETUP.INF");
    const UninstallArguments afterPath = ParseUninstallArguments("C:\\SETUP.INF /silent ");
    EXPECT_FALSE(afterPath.silent);
    EXPECT_EQ(afterPath.scriptPath, "C:\\SETUP.INF /silent");
}

TEST(UninstallArguments, ARepeatedSwitchStartsThePath) {
    UninstallArguments parsed = ParseUninstallArguments("/silent /SILENT C:\\SETUP.INF");
    EXPECT_TRUE(parsed.silent);
    EXPECT_EQ(parsed.scriptPath, "/SILENT C:\\SETUP.INF");

    parsed = ParseUninstallArguments("/log:A.LOG /log:B.LOG C:\\SETUP.INF");
    ASSERT_TRUE(parsed.logPath);
    EXPECT_EQ(*parsed.logPath, "A.LOG");
    EXPECT_EQ(parsed.scriptPath, "/log:B.LOG C:\\SETUP.INF");
}

TEST(UninstallArguments, QuietCommandIsTheCommandWithSilentBeforeThePath) {
    const std::string command = "C:\\WINDOWS\\KXUN32.EXE C:\\Program Files\\A B\\SETUP.INF";
    const std::string quiet = QuietCommandOf(command);
    EXPECT_EQ(quiet, "C:\\WINDOWS\\KXUN32.EXE /silent C:\\Program Files\\A B\\SETUP.INF");
    EXPECT_EQ(ScriptPathOfCommand(quiet), ScriptPathOfCommand(command));
    EXPECT_EQ(QuietCommandOf("C:\\WINDOWS\\NOTEPAD"), "");
}

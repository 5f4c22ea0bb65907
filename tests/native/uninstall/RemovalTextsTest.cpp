#include "uninstall/RemovalReport.h"
#include "uninstall/UninstallCommandLine.h"

#include <gtest/gtest.h>

// The registered command does not quote the script's path, and it holds spaces.
TEST(UninstallCommandLine, TheWholeRestIsTheScriptPath) {
    EXPECT_EQ(ScriptPathFromArguments("C:\\Program Files\\Trial Mines\\SETUP.INF"),
              "C:\\Program Files\\Trial Mines\\SETUP.INF");
    EXPECT_EQ(ScriptPathFromArguments("  C:\\A B\\SETUP.INF \r\n"), "C:\\A B\\SETUP.INF");
    EXPECT_EQ(ScriptPathFromArguments("\"C:\\A B\\SETUP.INF\""), "C:\\A B\\SETUP.INF");
    EXPECT_EQ(ScriptPathFromArguments("\""), "\"");
    EXPECT_EQ(ScriptPathFromArguments("   "), "");
}

TEST(RemovalMessage, SaysWhatStayedAndWhy) {
    RemovalOutcome outcome;
    EXPECT_EQ(RemovalMessage("Mines", outcome), "Mines was removed.");

    outcome.kept.push_back({"C:\\MINES\\MINES.EXE", KeptReason::InUse, 0});
    outcome.kept.push_back({"C:\\MINES", KeptReason::DirectoryNotEmpty, 0});
    outcome.kept.push_back({"C:\\MINES\\X", KeptReason::Failed, 5});
    outcome.kept.push_back({"C:\\WINDOWS\\SYSTEM\\M.DLL", KeptReason::ExistedBefore, 0});
    outcome.notUndone.push_back("EDITSYS: 3 changes made");
    EXPECT_EQ(RemovalMessage("Mines", outcome),
              "Mines was removed, except for:\r\n"
              "C:\\MINES\\MINES.EXE (in use)\r\n"
              "C:\\MINES (the directory is not empty)\r\n"
              "C:\\MINES\\X (error 5)\r\n"
              "C:\\WINDOWS\\SYSTEM\\M.DLL (it was there before the installation)\r\n\r\n"
              "What the installation did that is not undone:\r\n"
              "EDITSYS: 3 changes made");
}

TEST(RemovalMessage, LongListsAreCutAndAStopSaysToRunAgain) {
    RemovalOutcome outcome;
    outcome.stopped = true;
    for (int i = 0; i < 20; ++i) {
        outcome.kept.push_back({"F" + std::to_string(i), KeptReason::InUse, 0});
    }
    const std::string message = RemovalMessage("Mines", outcome);
    EXPECT_EQ(message.find("Mines was not removed completely"), 0u);
    EXPECT_NE(message.find("F14 (in use)\r\n(and 5 more)"), std::string::npos);
    EXPECT_EQ(message.find("F15"), std::string::npos);
}

#include "integration/UndoPlan.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view kDestination = "C:\\Program Files\\Mines";

// Product "Mines" in kDestination, with one of everything.
RemovalRecord MinesRecord() {
    RemovalRecord record;
    record.product = record.entry = "Mines";
    record.scriptPath = "C:\\Program Files\\Mines\\SETUP.INF";
    record.logPath = "C:\\Program Files\\Mines\\setuplog.txt";
    record.directories = {"C:\\Program Files", "C:\\Program Files\\Mines",
                          "C:\\Program Files\\Mines\\HELP", "C:\\"};
    record.files = {{"C:\\Program Files\\Mines\\SETUP.INF"},
                    {"C:\\Program Files\\Mines\\MINES.EXE"},
                    {"C:\\WINDOWS\\SYSTEM\\CTL3D.DLL", true, true},
                    {"C:\\Program Files\\Mines\\README.TXT", true},
                    {"\\\\?\\C:\\WINDOWS\\WIN.INI"},
                    {"\\\\other\\share\\X.DLL"},
                    {"C:\\Program Files\\Mines\\USER.INI", true, false, false}};
    record.sharedCounts = {"C:\\WINDOWS\\SYSTEM\\CTL3D.DLL"};
    record.keys = {{RegistryRoot::CurrentUser, "Software\\Maker"},
                   {RegistryRoot::CurrentUser, "Software\\Maker\\Mines"}};
    record.values = {
        {RegistryRoot::CurrentUser, "Software\\Maker\\Mines", "Path", 1, "x", false, 0, ""}};
    record.iniKeys = {{"WIN.INI", "Extensions", "mns", "x", false, "", true, true}};
    record.groups = {{"StartUp", false}, {"Games", true}, {"Bad)]", true}};
    record.items = {{"StartUp", "Mines"}, {"Games", "Mines"}, {"Games", "x\"y"}};
    return record;
}

// One line per step: its kind's number and its index.
std::string Steps(const UndoPlan& plan) {
    std::string text;
    for (const UndoStep& step : plan.steps) {
        text +=
            std::to_string(static_cast<int>(step.kind)) + ":" + std::to_string(step.index) + " ";
    }
    return text;
}

} // namespace

// One kind after the other, each in reverse order of the record; keys and directories deepest
// first; the script copy after the log, the destination after the directories, the entry last.
TEST(UndoPlan, EveryKindInItsOrder) {
    const UndoPlan plan = MakeUndoPlan(MinesRecord(), kDestination);
    EXPECT_EQ(Steps(plan),
              "0:0 1:0 2:1 2:0 3:1 3:0 4:1 5:0 6:3 6:1 7:0 6:0 8:0 9:2 9:1 9:0 10:0 11:0 ");
}

// Outside the destination a file that was there before stays; inside it the product's copy is
// the product's, but a file it found and kept is not. Device paths, other servers' shares and names
// that could end a program-manager command are never acted on.
TEST(UndoPlan, WhatIsNeverTouched) {
    const UndoPlan plan = MakeUndoPlan(MinesRecord(), kDestination);
    EXPECT_EQ(plan.filesThatExistedBefore, std::vector<std::size_t>{2});
    EXPECT_EQ(plan.refused,
              (std::vector<std::string>{"Games\\x\"y (an unsafe name)", "Bad)] (an unsafe name)",
                                        "\\\\other\\share\\X.DLL (not a full local path)",
                                        "\\\\?\\C:\\WINDOWS\\WIN.INI (not a full local path)"}));
}

TEST(UndoPlan, AbsolutePaths) {
    EXPECT_TRUE(IsAbsolutePath("C:\\APP\\A.TXT"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\A.TXT"));
    for (const char* path :
         {"APP\\A.TXT", "C:APP", "\\APP", "C:\\APP\\..\\WINDOWS", "C:\\.\\A", "\\\\?\\C:\\A",
          "\\\\.\\PhysicalDrive0", "\\\\server", "\\\\\\share", "C:\\A\tB"}) {
        EXPECT_FALSE(IsAbsolutePath(path)) << path;
    }
    EXPECT_TRUE(IsInside("C:\\APP\\\\RUNTIME\\M.DLL", "C:\\APP\\"));
    EXPECT_TRUE(IsInside("c:\\app\\A", "C:\\APP"));
    EXPECT_FALSE(IsInside("C:\\APPLE\\A", "C:\\APP"));
    EXPECT_FALSE(IsInside("C:\\APP", "C:\\APP"));
}

#include "integration/UndoPlan.h"

#include "support/InstallLogBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kScriptPath = "C:\\Program Files\\Mines\\SETUP.INF";

// Product "Mines" with an uninstall entry; directory 1 the destination, 2 the Windows system
// directory, resolved as at installation; MINES.EXE in the destination, CTL3D.DLL (shared) in
// the system directory.
SetupScript MinesScript() {
    SetupScript script;
    script.productName.Assign("Mines");
    script.uninstallName.Assign("Trial Mines");
    script.directories.resize(2);
    script.directories[0].path.Assign("C:\\Program Files\\Mines");
    script.directories[1].path.Assign("C:\\WINDOWS\\SYSTEM");
    const auto add = [&](std::uint8_t directory, std::string_view name, std::uint8_t shared) {
        InstallItem& item = script.installItems.emplace_back();
        item.action = static_cast<std::uint8_t>(ItemAction::Copy);
        item.dirIndex = directory;
        item.name.Assign(name);
        item.shared = shared;
    };
    add(1, "MINES.EXE", 0);
    add(2, "CTL3D.DLL", 1);
    return script;
}

UndoPlan Plan(const std::string& bytes, const SetupScript& script = MinesScript(),
              std::string_view scriptPath = kScriptPath) {
    return MakeUndoPlan(ReadInstallLog(std::span<const char>(bytes.data(), bytes.size())), script,
                        scriptPath);
}

// One line per step: its kind's number and what it names.
std::string Steps(const UndoPlan& plan) {
    std::string text;
    for (const UndoStep& step : plan.steps) {
        text += std::to_string(static_cast<int>(step.kind)) + " " + step.path + step.subKey +
                (step.section.empty() ? "" : "[" + step.section + "]") + step.group +
                (step.name.empty() ? "" : "/" + step.name) + "\n";
    }
    return text;
}

} // namespace

// A log as SETUP.EXE writes it is undone in reverse, one kind after the other; the script copy
// goes last, whatever its line says.
TEST(UndoPlan, CompleteLogIsUndoneInOrder) {
    const std::string log =
        LogBytes("Mines", {DirectoryLine("C:\\Program Files\\Mines"),
                           DirectoryLine("C:\\Program Files\\Mines\\Help"),
                           FileLine("C:\\Program Files\\Mines\\MINES.EXE"),
                           FileLine("C:\\PROGRAM FILES\\MINES\\setup.inf"),
                           FileLine("C:\\windows\\system\\ctl3d.dll"), DeletedLine("OLD.HLP"),
                           GroupLine("Games"), ItemLine("Mines"), ItemLine("Read Me"), "",
                           KeyLine("[HKEY_LOCAL_MACHINE\\Software\\Mines]"), ValueLine("Path"),
                           KeyLine("[HKEY_CLASSES_ROOT]"), ValueLine(".mns"),
                           IniLine("Mines", "Size", "9", "C:\\WINDOWS\\WIN.INI"),
                           IniLine("Old", "", "", "C:\\WINDOWS\\WIN.INI")});
    const UndoPlan plan = Plan(log);
    ASSERT_EQ(plan.refusal, "");
    EXPECT_EQ(Steps(plan), "0 C:\\WINDOWS\\WIN.INI[Mines]/Size\n"
                           "1 /.mns\n"
                           "1 Software\\Mines/Path\n"
                           "2 Software\\Mines\n"
                           "3 Games/Read Me\n"
                           "3 Games/Mines\n"
                           "4 Games\n"
                           "6 C:\\windows\\system\\ctl3d.dll\n"
                           "5 C:\\Program Files\\Mines\\MINES.EXE\n"
                           "7 C:\\Program Files\\Mines\\Help\n"
                           "8 Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mines\n"
                           "9 C:\\Program Files\\Mines\\setuplog.txt\n"
                           "10 C:\\Program Files\\Mines\\SETUP.INF\n"
                           "11 C:\\Program Files\\Mines\n");
    EXPECT_EQ(plan.steps[1].root, RegistryRoot::ClassesRoot);
    EXPECT_EQ(plan.steps[2].root, RegistryRoot::LocalMachine);
    EXPECT_EQ(plan.steps[8].root, RegistryRoot::LocalMachine);
    EXPECT_EQ(plan.steps[0].line, 18u);
    // Reported, not acted on: the INI entry that removed a section, the deleted file.
    ASSERT_EQ(plan.reported.size(), 2u);
    EXPECT_EQ(plan.reported[0].section, "Old");
    EXPECT_EQ(plan.reported[1].name, "OLD.HLP");
}

// Directories and keys go deepest first, whatever order the log gives them in, a key's parents
// below the root's own sub-keys with it (never Software itself); without an uninstall entry there is no entry step; a drive's root is never removed.
TEST(UndoPlan, DeepestFirstAndNoVolumeRoot) {
    SetupScript script = MinesScript();
    script.uninstallName.Assign("");
    const std::string log = LogBytes(
        "Mines", {DirectoryLine("C:\\A\\B"), DirectoryLine("C:\\A"), DirectoryLine("C:\\A\\B\\C"),
                  KeyLine("[HKEY_CURRENT_USER\\X\\Y]"), KeyLine("[HKEY_CURRENT_USER\\X]"),
                  KeyLine("[HKEY_CURRENT_USER\\Software\\Maker\\Mines\\Scores]")});
    const UndoPlan plan = Plan(log, script, "C:\\SETUP.INF");
    ASSERT_EQ(plan.refusal, "");
    EXPECT_EQ(Steps(plan), "2 Software\\Maker\\Mines\\Scores\n"
                           "2 Software\\Maker\\Mines\n"
                           "2 Software\\Maker\n"
                           "2 X\\Y\n"
                           "2 X\n"
                           "7 C:\\A\\B\\C\n"
                           "7 C:\\A\\B\n"
                           "7 C:\\A\n"
                           "9 C:\\setuplog.txt\n"
                           "10 C:\\SETUP.INF\n");
    EXPECT_EQ(Plan(log, script, "\\\\server\\share\\SETUP.INF").steps.back().kind,
              UndoStepKind::DeleteScriptCopy);
    EXPECT_EQ(Plan(log, script, "\\\\server\\share\\Mines\\SETUP.INF").steps.back().kind,
              UndoStepKind::RemoveDestination);
}

TEST(UndoPlan, RefusedLogScriptPathOrProductPlansNothing) {
    const std::string good = LogBytes("Mines", {FileLine("C:\\A.EXE")});
    ASSERT_EQ(Plan(good).steps.size(), 5u);
    for (const UndoPlan& plan :
         {Plan("Copied File C:\\A.EXE\r\n"), Plan(LogBytes("Bombs", {FileLine("C:\\A.EXE")})),
          Plan(good, MinesScript(), "Mines\\SETUP.INF")}) {
        EXPECT_NE(plan.refusal, "");
        EXPECT_TRUE(plan.steps.empty());
    }
}

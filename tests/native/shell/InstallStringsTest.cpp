#include "shell/InstallStrings.h"

#include <gtest/gtest.h>

namespace {

MacroValues Values() {
    MacroValues values;
    values.sourceDirectory = "A:\\";
    values.windowsDirectory = "C:\\WINDOWS";
    values.systemDirectory = "C:\\WINDOWS\\SYSTEM";
    values.destinationDirectory = "C:\\APP";
    values.programFilesDirectory = "C:\\Program Files";
    return values;
}

FixedText Text(std::string_view text) {
    return FixedText(text);
}

} // namespace

TEST(InstallStrings, ExpandsEveryTextTheRunAndCompletionUse) {
    SetupScript script;
    script.successCaption = Text("?D done");
    script.successText = Text("in ?D");
    script.diskPromptTitle = Text("?S");
    script.diskPromptText = Text("from ?S");
    script.programGroups = {Text("Group ?P1"), std::nullopt};
    ProgramItem program;
    program.name = Text("N?P");
    program.commandLine = Text("?D\\APP.EXE");
    program.iconPath = Text("?Y\\ICONS.DLL");
    program.workingDirectory = Text("?D");
    script.programItems = {program};
    InstallItem item;
    item.name = Text("?W\\OLD.INI");
    item.sourceSubdir = Text("?D"); // not an expanded text
    script.installItems = {item};
    FinalProgram final;
    final.commandLine = Text("?W\\NOTEPAD.EXE ?D\\README.TXT");
    final.workingDirectory = Text("?D");
    script.finalPrograms = {final};
    IniEntry ini;
    ini.file = Text("?W\\WIN.INI");
    ini.section = Text("S?P");
    ini.key = Text("K");
    ini.value = Text("?D");
    script.iniEntries = {ini};
    SystemFileChange change;
    change.changeType = 1;
    change.value = Text("DEVICE=?D\\X.SYS");
    script.systemChangesFirst = {change};
    change.value = Text("?Y");
    script.systemChangesSecond = {change};
    // Texts shown before the installation were expanded at start-up and stay as they are.
    script.welcomeText = Text("?D");
    script.failureText = Text("?D");

    ExpandInstallStrings(script, Values());

    EXPECT_EQ(script.successCaption.View(), "C:\\APP done");
    EXPECT_EQ(script.successText.View(), "in C:\\APP");
    EXPECT_EQ(script.diskPromptTitle.View(), "A:");
    EXPECT_EQ(script.diskPromptText.View(), "from A:");
    EXPECT_EQ(TextOf(script.programGroups[0]), "Group 1");
    EXPECT_FALSE(script.programGroups[1]);
    EXPECT_EQ(script.programItems[0].name.View(), "N");
    EXPECT_EQ(script.programItems[0].commandLine.View(), "C:\\APP\\APP.EXE");
    EXPECT_EQ(script.programItems[0].iconPath.View(), "C:\\WINDOWS\\SYSTEM\\ICONS.DLL");
    EXPECT_EQ(script.programItems[0].workingDirectory.View(), "C:\\APP");
    EXPECT_EQ(script.installItems[0].name.View(), "C:\\WINDOWS\\OLD.INI");
    EXPECT_EQ(script.installItems[0].sourceSubdir.View(), "?D");
    EXPECT_EQ(script.finalPrograms[0].commandLine.View(),
              "C:\\WINDOWS\\NOTEPAD.EXE C:\\APP\\README.TXT");
    EXPECT_EQ(script.finalPrograms[0].workingDirectory.View(), "C:\\APP");
    EXPECT_EQ(script.iniEntries[0].file.View(), "C:\\WINDOWS\\WIN.INI");
    EXPECT_EQ(script.iniEntries[0].section.View(), "S");
    EXPECT_EQ(script.iniEntries[0].value.View(), "C:\\APP");
    EXPECT_EQ(script.systemChangesFirst[0].value.View(), "DEVICE=C:\\APP\\X.SYS");
    EXPECT_EQ(script.systemChangesSecond[0].value.View(), "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(script.welcomeText.View(), "?D");
    EXPECT_EQ(script.failureText.View(), "?D");
}

TEST(InstallStrings, LongExpansionsAreCutToTheField) {
    SetupScript script;
    InstallItem item;
    item.name = Text(std::string(200, 'x') + "?D?D");
    script.installItems = {item};
    MacroValues values = Values();
    const std::string longDestination(100, 'd');
    values.destinationDirectory = longDestination;
    ExpandInstallStrings(script, values);
    EXPECT_EQ(script.installItems[0].name.View().size(), FixedText::kMaxLength);
}

#include "shell/InstallStrings.h"

void ExpandInstallStrings(SetupScript& script, const MacroValues& macros) {
    for (FixedText* text : {&script.successCaption, &script.successText, &script.diskPromptTitle,
                            &script.diskPromptText}) {
        ExpandMacros(*text, macros);
    }
    for (TextBlock& group : script.programGroups) {
        if (group) {
            ExpandMacros(*group, macros);
        }
    }
    for (ProgramItem& item : script.programItems) {
        for (FixedText* text :
             {&item.name, &item.commandLine, &item.iconPath, &item.workingDirectory}) {
            ExpandMacros(*text, macros);
        }
    }
    for (InstallItem& item : script.installItems) {
        ExpandMacros(item.name, macros);
    }
    for (FinalProgram& program : script.finalPrograms) {
        ExpandMacros(program.commandLine, macros);
        ExpandMacros(program.workingDirectory, macros);
    }
    for (IniEntry& entry : script.iniEntries) {
        for (FixedText* text : {&entry.file, &entry.section, &entry.key, &entry.value}) {
            ExpandMacros(*text, macros);
        }
    }
    for (auto* changes : {&script.systemChangesFirst, &script.systemChangesSecond}) {
        for (SystemFileChange& change : *changes) {
            ExpandMacros(change.value, macros);
        }
    }
}

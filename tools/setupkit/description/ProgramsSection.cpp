#include "DescriptionReader.h"
#include "TomlWriter.h"

// [program_groups], [[program_item]] and [[final_program]]: read and written, with the
// check of names the program manager cannot carry.

void DescriptionReader::ReadProgramGroups(const toml::table& root) {
    const toml::table* groups = Table(root, "", "program_groups");
    if (!groups) {
        return;
    }
    Keys(*groups, "program_groups", {"show_page", "ask_first", "names", "verbatim"});
    Script().showGroupPage = Flag(*groups, "program_groups", "show_page", 1);
    Script().askBeforeGroup = Flag(*groups, "program_groups", "ask_first", 1);
    const bool verbatim = Bool(*groups, "program_groups", "verbatim");
    for (const auto& [name, line] : Strings(*groups, "program_groups", "names", kByteCount)) {
        groupNames_.Add(name, Script().programGroups.size());
        const FixedText text = ToText(name, line, "program_groups.names");
        NoteProgramName("group", text, line, "program_groups.names", verbatim);
        Script().programGroups.push_back(Block(text));
    }
}

std::string DescriptionReader::ListBreakingNames(const std::vector<const BreakingName*>& names) {
    std::string list;
    for (const BreakingName* entry : names) {
        std::string shown;
        for (const char c : AnsiToUtf8(entry->name)) {
            shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
        }
        std::string characters;
        for (const char c : entry->characters) {
            characters += characters.empty() ? "" : ", ";
            characters += static_cast<unsigned char>(c) < 0x20
                              ? CodePointName(static_cast<unsigned char>(c))
                              : "'" + std::string(1, c) + "'";
        }
        list += list.empty() ? "" : "; ";
        list += entry->what + ' ' + Quoted(shown) + " (line " + std::to_string(entry->line) +
                ") holds " + characters;
    }
    return list;
}

void DescriptionReader::CheckProgramNames() {
    std::vector<const BreakingName*> refused;
    std::vector<const BreakingName*> kept;
    for (const BreakingName& entry : breakingNames_) {
        (entry.verbatim ? kept : refused).push_back(&entry);
    }
    const std::string rule =
        "program group and item names must not hold \" [ ] ( ) , or a control character, "
        "which would end the program manager's command: ";
    if (!refused.empty()) {
        Fail(refused.front()->line, refused.front()->field, rule + ListBreakingNames(refused));
    }
    if (!kept.empty()) {
        Unusable(kept.front()->line, kept.front()->field,
                 rule + ListBreakingNames(kept) + " (marked verbatim)");
    }
}

void DescriptionReader::ReadProgramItems(const toml::table& root) {
    for (const toml::table* table : Tables(root, "", "program_item", kByteCount)) {
        const std::string_view path = "program_item";
        Keys(*table, path,
             {"name", "group", "command", "working_directory", "icon", "icon_index", "verbatim"});
        ProgramItem item;
        item.name = Text(*table, path, "name");
        const bool verbatim = Bool(*table, path, "verbatim");
        if (const toml::node* name = table->get("name")) {
            NoteProgramName("item", item.name, LineOf(*name), "program_item.name", verbatim);
        }
        if (const toml::node* group = table->get("group")) {
            item.groupNumber = static_cast<std::uint8_t>(Reference(
                *group, "program_item.group", groupNames_, "program_groups.names", 1, kByteMax));
        } else {
            item.groupNumber = 1; // the first group; none when there is no group
        }
        item.commandLine = Text(*table, path, "command");
        item.workingDirectory = Text(*table, path, "working_directory");
        item.iconPath = Text(*table, path, "icon");
        item.iconIndex = static_cast<std::uint8_t>(
            OptionalInteger(*table, path, "icon_index", 0, kByteMax).value_or(0));
        Script().programItems.push_back(item);
    }
}

void DescriptionReader::ReadFinalPrograms(const toml::table& root) {
    const std::string_view path = "final_program";
    for (const toml::table* table : Tables(root, "", path, kByteCount)) {
        Keys(*table, path, {"command", "show", "working_directory"});
        FinalProgram program;
        program.commandLine = Text(*table, path, "command");
        program.showCommand =
            static_cast<std::uint16_t>(Enum(*table, path, "show", kShowCommands, kWordMax, 1));
        program.workingDirectory = Text(*table, path, "working_directory");
        Script().finalPrograms.push_back(program);
    }
}

void WritePrograms(TomlWriter& out, const SetupScript& s) {
    if (s.showGroupPage != 1 || s.askBeforeGroup != 1 || !s.programGroups.empty()) {
        out.Table("program_groups");
        out.Value("show_page", FlagValue(s.showGroupPage));
        out.Value("ask_first", FlagValue(s.askBeforeGroup));
        std::string names = "[";
        bool breaking = false;
        for (const TextBlock& group : s.programGroups) {
            names += (names.size() > 1 ? ", " : "") + TomlString(group);
            breaking = breaking || (group && !ProgramNameBreaks(group->Stored()).empty());
        }
        out.Value("names", names + "]");
        if (breaking) {
            out.Comment("The program manager's commands cannot carry these names as they are");
            out.Value("verbatim", "true");
        }
    }
    for (const ProgramItem& item : s.programItems) {
        out.ArrayTable("program_item");
        out.Text("name", item.name);
        if (!ProgramNameBreaks(item.name.Stored()).empty()) {
            out.Comment("The program manager's commands cannot carry this name as it is");
            out.Value("verbatim", "true");
        }
        out.Value("group", GroupReference(s, item.groupNumber));
        out.Text("command", item.commandLine);
        out.TextIfAny("working_directory", item.workingDirectory);
        out.TextIfAny("icon", item.iconPath);
        if (item.iconIndex != 0) {
            out.Value("icon_index", std::to_string(item.iconIndex));
        }
    }
}

void WriteFinalPrograms(TomlWriter& out, const SetupScript& s) {
    for (const FinalProgram& program : s.finalPrograms) {
        out.ArrayTable("final_program");
        out.Text("command", program.commandLine);
        out.Value("show", NamedOrNumber(kShowCommands, program.showCommand));
        out.TextIfAny("working_directory", program.workingDirectory);
    }
}

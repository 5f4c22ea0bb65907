#include "DescriptionReader.h"
#include "TomlWriter.h"

// [program_groups], [[program_item]] and [[final_program]]: read and written, with the
// check of names the program manager cannot carry.

namespace {

struct ProgramGroupsKeys {
    static constexpr std::string_view kShowPage = "show_page";
    static constexpr std::string_view kAskFirst = "ask_first";
    static constexpr std::string_view kNames = "names";
};

// The keys of [[program_item]] and [[final_program]].
struct ProgramKeys {
    static constexpr std::string_view kName = "name";
    static constexpr std::string_view kGroup = "group";
    static constexpr std::string_view kCommand = "command";
    static constexpr std::string_view kWorkingDirectory = "working_directory";
    static constexpr std::string_view kIcon = "icon";
    static constexpr std::string_view kIconIndex = "icon_index";
    static constexpr std::string_view kShow = "show";
};

std::string GroupNamesField() {
    return Join(TableNames::kProgramGroups, ProgramGroupsKeys::kNames);
}

} // namespace

void DescriptionReader::ReadProgramGroups(const toml::table& root) {
    using K = ProgramGroupsKeys;
    const std::string_view path = TableNames::kProgramGroups;
    const toml::table* groups = Table(root, "", path);
    if (!groups) {
        return;
    }
    Keys(*groups, path, {K::kShowPage, K::kAskFirst, K::kNames, SharedKeys::kVerbatim});
    Script().showGroupPage = Flag(*groups, path, K::kShowPage, 1);
    Script().askBeforeGroup = Flag(*groups, path, K::kAskFirst, 1);
    const bool verbatim = Bool(*groups, path, SharedKeys::kVerbatim);
    for (const auto& [name, line] : Strings(*groups, path, K::kNames, kByteCount)) {
        groupNames_.Add(name, Script().programGroups.size());
        const FixedText text = ToText(name, line, GroupNamesField());
        NoteProgramName("group", text, line, GroupNamesField(), verbatim);
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
    using K = ProgramKeys;
    for (const toml::table* table : Tables(root, "", TableNames::kProgramItem, kByteCount)) {
        const std::string_view path = TableNames::kProgramItem;
        Keys(*table, path,
             {K::kName, K::kGroup, K::kCommand, K::kWorkingDirectory, K::kIcon, K::kIconIndex,
              SharedKeys::kVerbatim});
        ProgramItem item;
        item.name = Text(*table, path, K::kName);
        const bool verbatim = Bool(*table, path, SharedKeys::kVerbatim);
        if (const toml::node* name = table->get(K::kName)) {
            NoteProgramName("item", item.name, LineOf(*name), Join(path, K::kName), verbatim);
        }
        if (const toml::node* group = table->get(K::kGroup)) {
            item.groupNumber = static_cast<std::uint8_t>(Reference(
                *group, Join(path, K::kGroup), groupNames_, GroupNamesField(), 1, kByteMax));
        } else {
            item.groupNumber = 1; // the first group; none when there is no group
        }
        item.commandLine = Text(*table, path, K::kCommand);
        item.workingDirectory = Text(*table, path, K::kWorkingDirectory);
        item.iconPath = Text(*table, path, K::kIcon);
        item.iconIndex = static_cast<std::uint8_t>(
            OptionalInteger(*table, path, K::kIconIndex, 0, kByteMax).value_or(0));
        Script().programItems.push_back(item);
    }
}

void DescriptionReader::ReadFinalPrograms(const toml::table& root) {
    using K = ProgramKeys;
    const std::string_view path = TableNames::kFinalProgram;
    for (const toml::table* table : Tables(root, "", path, kByteCount)) {
        Keys(*table, path, {K::kCommand, K::kShow, K::kWorkingDirectory});
        FinalProgram program;
        program.commandLine = Text(*table, path, K::kCommand);
        program.showCommand =
            static_cast<std::uint16_t>(Enum(*table, path, K::kShow, kShowCommands, kWordMax, 1));
        program.workingDirectory = Text(*table, path, K::kWorkingDirectory);
        Script().finalPrograms.push_back(program);
    }
}

void WritePrograms(TomlWriter& out, const SetupScript& s) {
    if (s.showGroupPage != 1 || s.askBeforeGroup != 1 || !s.programGroups.empty()) {
        out.Table(TableNames::kProgramGroups);
        out.Value(ProgramGroupsKeys::kShowPage, FlagValue(s.showGroupPage));
        out.Value(ProgramGroupsKeys::kAskFirst, FlagValue(s.askBeforeGroup));
        std::string names = "[";
        bool breaking = false;
        for (const TextBlock& group : s.programGroups) {
            names += (names.size() > 1 ? ", " : "") + TomlString(group);
            breaking = breaking || (group && !ProgramNameBreaks(group->Stored()).empty());
        }
        out.Value(ProgramGroupsKeys::kNames, names + "]");
        if (breaking) {
            out.Comment("The program manager's commands cannot carry these names as they are");
            out.Value(SharedKeys::kVerbatim, "true");
        }
    }
    for (const ProgramItem& item : s.programItems) {
        out.ArrayTable(TableNames::kProgramItem);
        out.Text(ProgramKeys::kName, item.name);
        if (!ProgramNameBreaks(item.name.Stored()).empty()) {
            out.Comment("The program manager's commands cannot carry this name as it is");
            out.Value(SharedKeys::kVerbatim, "true");
        }
        out.Value(ProgramKeys::kGroup, GroupReference(s, item.groupNumber));
        out.Text(ProgramKeys::kCommand, item.commandLine);
        out.TextIfAny(ProgramKeys::kWorkingDirectory, item.workingDirectory);
        out.TextIfAny(ProgramKeys::kIcon, item.iconPath);
        if (item.iconIndex != 0) {
            out.Value(ProgramKeys::kIconIndex, std::to_string(item.iconIndex));
        }
    }
}

void WriteFinalPrograms(TomlWriter& out, const SetupScript& s) {
    for (const FinalProgram& program : s.finalPrograms) {
        out.ArrayTable(TableNames::kFinalProgram);
        out.Text(ProgramKeys::kCommand, program.commandLine);
        out.Value(ProgramKeys::kShow, NamedOrNumber(kShowCommands, program.showCommand));
        out.TextIfAny(ProgramKeys::kWorkingDirectory, program.workingDirectory);
    }
}

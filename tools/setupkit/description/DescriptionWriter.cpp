#include "DescriptionWriter.h"

#include "Cp1252.h"
#include "DescriptionNames.h"
#include "ProgramNameCheck.h"
#include "RegistryKeyCheck.h"
#include "TextReferences.h"
#include "WindowsNames.h"

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

void AppendEscape(std::string& out, char32_t cp) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(cp));
    out += escape;
}

// A TOML string holding the ANSI text. Controls, the C1 code points of the undefined bytes and
// the invisible no-break space and soft hyphen are escaped so the dump shows every byte; a
// text with line breaks is written as a multi-line string.
std::string TomlString(std::string_view stored) {
    // The description reads ${...} as a reference; a script's own text keeps it as it is.
    const std::string ansi = EscapeReferences(stored);
    const bool multiline = ansi.find('\n') != std::string_view::npos;
    std::string out = multiline ? "\"\"\"\n" : "\"";
    for (char c : ansi) {
        const char32_t cp = CodePointOfAnsiByte(static_cast<std::uint8_t>(c));
        switch (cp) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += multiline ? "\n" : "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0xA0) || cp == 0xAD) {
                AppendEscape(out, cp);
            } else {
                AppendUtf8(out, cp);
            }
        }
    }
    out += multiline ? "\"\"\"" : "\"";
    return out;
}

std::string TomlString(const FixedText& text) {
    return TomlString(text.Stored());
}
std::string TomlString(const TextBlock& block) {
    return TomlString(block ? block->Stored() : std::string_view{});
}

std::string FlagValue(std::uint32_t value) {
    return value == 0 ? "false" : value == 1 ? "true" : std::to_string(value);
}

std::string NamedOrNumber(std::span<const NamedValue> names, std::uint32_t value) {
    if (const std::optional<std::string_view> name = NameOfValue(names, value)) {
        return '"' + std::string(*name) + '"';
    }
    return std::to_string(value);
}

class TomlWriter {
public:
    void Comment(std::string_view text) { out_ += "# " + std::string(text) + "\n"; }
    void Table(std::string_view name) { Header("[" + std::string(name) + "]"); }
    void ArrayTable(std::string_view name) { Header("[[" + std::string(name) + "]]"); }
    void Value(std::string_view key, const std::string& value) {
        out_ += std::string(key) + " = " + value + "\n";
    }
    void Text(std::string_view key, const FixedText& text) { Value(key, TomlString(text)); }
    void TextIfAny(std::string_view key, const FixedText& text) {
        if (!text.Stored().empty()) {
            Text(key, text);
        }
    }
    std::string Take() { return std::move(out_); }

private:
    void Header(const std::string& header) { out_ += "\n" + header + "\n"; }

    std::string out_;
};

// Component references to install items: the item's name where it is the only item of that
// name, else an id of its own.
class ItemReferences {
public:
    explicit ItemReferences(const SetupScript& s) : names_(s.installItems.size()) {
        std::map<std::string, int> nameCounts;
        for (std::size_t i = 0; i < s.installItems.size(); ++i) {
            names_[i] = std::string(s.installItems[i].name.Stored());
            ++nameCounts[names_[i]];
        }
        std::vector<bool> referenced(s.installItems.size());
        for (const Component& component : s.components) {
            for (std::uint32_t index : component.files) {
                if (index < referenced.size()) {
                    referenced[index] = true;
                }
            }
        }
        ids_.resize(s.installItems.size());
        std::set<std::string> taken;
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (!referenced[i] || (!names_[i].empty() && nameCounts[names_[i]] == 1)) {
                continue;
            }
            std::string id = "item" + std::to_string(i + 1);
            while (nameCounts.count(id) || taken.count(id)) {
                id += '_';
            }
            taken.insert(id);
            ids_[i] = id;
        }
    }

    // The explicit id an item needs; empty when its name serves.
    const std::string& Id(std::size_t index) const { return ids_[index]; }

    std::string Reference(std::uint32_t index) const {
        if (index >= names_.size()) {
            return std::to_string(index);
        }
        const std::string& key = ids_[index].empty() ? names_[index] : ids_[index];
        return TomlString(key);
    }

private:
    // ANSI, as stored; the description holds the same text in UTF-8.

    std::vector<std::string> names_;
    std::vector<std::string> ids_;
};

std::string DirectoryReference(const SetupScript& s, std::uint32_t number) {
    if (number >= 1 && number <= s.directories.size()) {
        return "\"dir" + std::to_string(number) + '"';
    }
    return std::to_string(number);
}

// A group by its name where that name is unique and not empty, else by number.
std::string GroupReference(const SetupScript& s, std::uint32_t number) {
    if (number >= 1 && number <= s.programGroups.size()) {
        const TextBlock& block = s.programGroups[number - 1];
        const std::string_view stored = block ? block->Stored() : std::string_view{};
        int same = 0;
        for (const TextBlock& other : s.programGroups) {
            same += (other ? other->Stored() : std::string_view{}) == stored ? 1 : 0;
        }
        if (!stored.empty() && same == 1) {
            return TomlString(stored);
        }
    }
    return std::to_string(number);
}

void WriteHeader(TomlWriter& out, const SetupScript& s) {
    out.Table("product");
    out.Text("name", s.productName);

    if (!s.unusedText1.Stored().empty() || s.unusedByte2 != 0 || !s.unusedText3.Stored().empty()) {
        out.Table("unused");
        out.TextIfAny("text1", s.unusedText1);
        if (s.unusedByte2 != 0) {
            out.Value("byte2", std::to_string(s.unusedByte2));
        }
        out.TextIfAny("text3", s.unusedText3);
    }

    const auto titled = [&](std::string_view table, std::string_view titleKey,
                            const FixedText& title, const FixedText& text) {
        if (title.Stored().empty() && text.Stored().empty()) {
            return;
        }
        out.Table(table);
        out.TextIfAny(titleKey, title);
        out.TextIfAny("text", text);
    };
    titled("welcome", "title", s.welcomeTitle, s.welcomeText);
    titled("destination", "title", s.destinationTitle, s.destinationText);
    titled("disk_prompt", "title", s.diskPromptTitle, s.diskPromptText);
    titled("success", "caption", s.successCaption, s.successText);
    titled("failure", "caption", s.failureCaption, s.failureText);
    titled("cancel", "caption", s.cancelCaption, s.cancelText);

    if (s.BackgroundStyle != 0 || !s.backgroundBitmap.Stored().empty()) {
        out.Table("background");
        out.Value("style", NamedOrNumber(kBackgroundStyles, s.BackgroundStyle));
        out.TextIfAny("file", s.backgroundBitmap);
    }
    if (!s.sideBitmap.Stored().empty()) {
        out.Table("side_bitmap");
        out.Text("file", s.sideBitmap);
    }
    if (!s.readmeFile.Stored().empty()) {
        out.Table("readme");
        out.Text("file", s.readmeFile);
    }
    if (s.completionFlags != 0) {
        out.Table("completion");
        if ((s.completionFlags & ~(kCompletionRestartWindows | kCompletionReboot)) != 0) {
            out.Value("flags", std::to_string(s.completionFlags));
        } else {
            if (s.completionFlags & kCompletionRestartWindows) {
                out.Value("restart_windows", "true");
            }
            if (s.completionFlags & kCompletionReboot) {
                out.Value("reboot", "true");
            }
        }
    }
}

void WriteLists(TomlWriter& out, const SetupScript& s) {
    if (!s.diskLabels.empty()) {
        out.Table("disks");
        std::string labels = "[";
        for (const TextBlock& label : s.diskLabels) {
            labels += (labels.size() > 1 ? ", " : "") + TomlString(label);
        }
        out.Value("labels", labels + "]");
    }
    for (std::size_t i = 0; i < s.directories.size(); ++i) {
        out.ArrayTable("directory");
        out.Value("id", "\"dir" + std::to_string(i + 1) + '"');
        out.Text("path", s.directories[i].templatePath);
    }
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

void WriteInstallItems(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    std::vector<bool> collided(s.installItems.size());
    for (const auto& [first, later] : CaseCollisions(s)) {
        collided[first] = collided[later] = true;
    }
    for (std::size_t i = 0; i < s.installItems.size(); ++i) {
        const InstallItem& item = s.installItems[i];
        out.ArrayTable("install");
        if (!references.Id(i).empty()) {
            out.Value("id", TomlString(references.Id(i)));
        }
        out.Text("name", item.name);
        if (collided[i] || ItemNameProblem(item)) {
            out.Comment("Windows cannot take this name as it is, or beside another one");
            out.Value("verbatim", "true");
        }
        out.Value("directory", DirectoryReference(s, item.dirIndex));
        if (item.diskNumber != 1) {
            out.Value("disk", std::to_string(item.diskNumber));
        }
        if (item.size != 0) {
            out.Value("size", std::to_string(item.size));
        }
        if (item.action != static_cast<std::uint8_t>(ItemAction::Copy)) {
            out.Value("action", NamedOrNumber(kItemActions, item.action));
        }
        if (item.overwriteMode != static_cast<std::uint8_t>(OverwriteMode::IfOlder)) {
            out.Value("overwrite", NamedOrNumber(kOverwriteModes, item.overwriteMode));
        }
        if (item.compressed != 0) {
            out.Value("compressed", FlagValue(item.compressed));
        }
        if (item.partCount != 0) {
            out.Value("parts", std::to_string(item.partCount));
        }
        if (item.readOnly != 0) {
            out.Value("read_only", FlagValue(item.readOnly));
        }
        if (item.shared != 0) {
            out.Value("shared", FlagValue(item.shared));
        }
        out.TextIfAny("source_subdir", item.sourceSubdir);
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

void WriteRegistry(TomlWriter& out, const SetupScript& s) {
    for (const RegistryKey& key : s.registryKeys) {
        out.ArrayTable("registry");
        out.Text("key", key.keyPath);
        if (RegistryKeyPathProblem(key.keyPath.Stored())) {
            out.Comment("SETUP.EXE cannot use this key path and skips the key");
            out.Value("verbatim", "true");
        }
        for (const RegistryValue& value : key.values) {
            out.ArrayTable("registry.value");
            out.Text("name", value.name);
            if (value.kind == RegistryValueKind::Text) {
                out.Value("text", TomlString(value.text));
                const std::uint8_t kind = value.storedKind != 0 ? value.storedKind : 1;
                if (kind != 1) {
                    out.Value("kind", std::to_string(kind));
                }
            } else {
                out.Value("number", std::to_string(value.number));
            }
        }
    }
}

void WriteComponents(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    for (const Component& component : s.components) {
        out.ArrayTable("component");
        out.Text("name", component.name);
        out.TextIfAny("description", component.description);
        out.Value("minimal", FlagValue(component.inMinimal));
        out.Value("typical", FlagValue(component.inTypical));
        std::string files = "[";
        for (std::uint32_t index : component.files) {
            files += (files.size() > 1 ? ", " : "") + references.Reference(index);
        }
        out.Value("files", files + "]");
    }
}

void WriteSetupTypes(TomlWriter& out, const SetupScript& s) {
    const bool anyType = s.typicalOffered || s.minimalOffered || s.customOffered ||
                         !s.typicalLabel.Stored().empty() || !s.minimalLabel.Stored().empty() ||
                         !s.customLabel.Stored().empty();
    if (!anyType) {
        return;
    }
    out.Table("setup_types");
    const auto type = [&](std::string_view key, std::uint32_t offered, const FixedText& label) {
        if (offered == 0 && label.Stored().empty()) {
            return;
        }
        std::string value = "{ offered = " + FlagValue(offered);
        if (!label.Stored().empty()) {
            value += ", label = " + TomlString(label);
        }
        out.Value(key, value + " }");
    };
    type("typical", s.typicalOffered, s.typicalLabel);
    type("minimal", s.minimalOffered, s.minimalLabel);
    type("custom", s.customOffered, s.customLabel);
}

void WriteIniAndSystemChanges(TomlWriter& out, const SetupScript& s) {
    for (const IniEntry& entry : s.iniEntries) {
        out.ArrayTable("ini");
        out.Text("file", entry.file);
        out.Text("section", entry.section);
        out.Text("key", entry.key);
        out.Text("value", entry.value);
    }
    const auto changes = [&](std::string_view name, const std::vector<SystemFileChange>& list) {
        for (const SystemFileChange& change : list) {
            out.ArrayTable(name);
            out.Value("code", std::to_string(change.changeType));
            out.Text("value", change.value);
        }
    };
    changes("system_changes.first", s.systemChangesFirst);
    changes("system_changes.second", s.systemChangesSecond);
}

void WriteUninstall(TomlWriter& out, const SetupScript& s) {
    const FixedText& stored = s.uninstallPresent ? s.uninstallName : s.uninstallNameAsStored;
    if (s.uninstallPresent != 0 || !stored.Stored().empty()) {
        out.Table("uninstall");
        if (s.uninstallPresent != 1) {
            out.Value("present", FlagValue(s.uninstallPresent));
        }
        out.Text("name", stored);
        // A built script holds the uninstaller's items already, written out above.
        out.Value("uninstaller", "false");
    }
}

void WriteTail(TomlWriter& out, const SetupScript& s, const ItemReferences& references) {
    WriteFinalPrograms(out, s);
    WriteRegistry(out, s);
    WriteComponents(out, s, references);
    WriteSetupTypes(out, s);
    WriteIniAndSystemChanges(out, s);
    WriteUninstall(out, s);
}

// Comments must be valid UTF-8 without controls; a file name is shown as plain ASCII.
std::string CommentSafe(std::string_view text) {
    std::string safe;
    for (char c : text) {
        safe += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return safe;
}

} // namespace

std::string WriteProductDescription(const SetupScript& script, std::string_view origin) {
    TomlWriter out;
    out.Comment(origin.empty() ? "Product description written by setupkit dump."
                               : "Product description of " + CommentSafe(origin) +
                                     ", written by setupkit dump.");
    out.Comment("setupkit compile turns it back into the same script, byte for byte.");
    const ItemReferences references(script);
    WriteHeader(out, script);
    WriteLists(out, script);
    WriteInstallItems(out, script, references);
    WriteTail(out, script, references);
    return out.Take();
}

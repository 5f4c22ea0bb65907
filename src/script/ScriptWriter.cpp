#include "script/ScriptWriter.h"

#include "script/ScriptChecksum.h"
#include "script/ScriptLoader.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace {

constexpr std::size_t kMaxByteCount = 0xFF;
constexpr std::size_t kMaxWordCount = 0xFFFF;

class ScriptBytes {
public:
    void Byte(std::uint32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value)); }
    void Word(std::uint32_t value) {
        Byte(value & 0xFF);
        Byte((value >> 8) & 0xFF);
    }
    void Dword(std::uint32_t value) {
        Word(value & 0xFFFF);
        Word(value >> 16);
    }
    void Text(const FixedText& text) {
        const std::string_view stored = text.Stored();
        Byte(static_cast<std::uint32_t>(stored.size()));
        bytes_.insert(bytes_.end(), stored.begin(), stored.end());
    }
    void Text(const TextBlock& block) { Text(block ? *block : FixedText{}); }

    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

template <typename List>
void CheckCount(std::vector<std::string>& problems, const List& list, std::size_t limit,
                const std::string& what) {
    if (list.size() > limit) {
        problems.push_back(what + ": " + std::to_string(list.size()) + " entries, at most " +
                           std::to_string(limit) + " fit");
    }
}

void WriteHeaderFields(ScriptBytes& out, const SetupScript& s) {
    out.Text(s.unusedText1);
    out.Byte(s.unusedByte2);
    out.Text(s.unusedText3);
    out.Text(s.productName);
    out.Text(s.welcomeTitle);
    out.Text(s.welcomeText);
    out.Text(s.destinationTitle);
    out.Text(s.destinationText);
    out.Text(s.backgroundBitmap);
    out.Byte(s.BackgroundStyle);
    out.Text(s.sideBitmap);
    out.Text(s.readmeFile);
    out.Text(s.diskPromptTitle);
    out.Text(s.diskPromptText);
    out.Text(s.successCaption);
    out.Text(s.successText);
    out.Text(s.failureCaption);
    out.Text(s.failureText);
    out.Text(s.cancelCaption);
    out.Text(s.cancelText);
    out.Byte(s.completionFlags);
}

void WriteSections(ScriptBytes& out, const SetupScript& s) {
    out.Byte(static_cast<std::uint32_t>(s.diskLabels.size()));
    for (const TextBlock& label : s.diskLabels) {
        out.Text(label);
    }
    out.Byte(static_cast<std::uint32_t>(s.directories.size()));
    for (const DirectoryEntry& entry : s.directories) {
        out.Text(entry.templatePath);
    }
    out.Byte(s.showGroupPage);
    out.Byte(s.askBeforeGroup);
    out.Byte(static_cast<std::uint32_t>(s.programGroups.size()));
    for (const TextBlock& group : s.programGroups) {
        out.Text(group);
    }
    out.Byte(static_cast<std::uint32_t>(s.programItems.size()));
    for (const ProgramItem& item : s.programItems) {
        out.Byte(item.groupNumber);
        out.Text(item.name);
        out.Text(item.commandLine);
        out.Text(item.workingDirectory);
        out.Text(item.iconPath);
        out.Byte(item.iconIndex);
    }
    out.Word(static_cast<std::uint32_t>(s.installItems.size()));
    for (const InstallItem& item : s.installItems) {
        out.Byte(item.diskNumber);
        out.Byte(item.dirIndex);
        out.Text(item.name);
        out.Byte(item.compressed);
        out.Byte(item.action);
        out.Byte(item.overwriteMode);
        out.Byte(item.readOnly);
        out.Byte(item.partCount);
        out.Dword(item.size);
        out.Text(item.sourceSubdir);
        out.Byte(item.shared);
    }
    out.Byte(static_cast<std::uint32_t>(s.finalPrograms.size()));
    for (const FinalProgram& program : s.finalPrograms) {
        out.Text(program.commandLine);
        out.Word(program.showCommand);
        out.Text(program.workingDirectory);
    }
    out.Word(static_cast<std::uint32_t>(s.registryKeys.size()));
    for (const RegistryKey& key : s.registryKeys) {
        out.Text(key.keyPath);
        out.Word(static_cast<std::uint32_t>(key.values.size()));
        for (const RegistryValue& value : key.values) {
            out.Text(value.name);
            if (value.kind == RegistryValueKind::Text) {
                out.Byte(value.storedKind != 0 ? value.storedKind : 1);
                out.Text(value.text);
            } else {
                out.Byte(0);
                out.Dword(value.number);
            }
        }
    }
    out.Byte(static_cast<std::uint32_t>(s.components.size()));
    for (const Component& component : s.components) {
        out.Text(component.name);
        out.Text(component.description);
        out.Byte(component.inMinimal);
        out.Byte(component.inTypical);
        out.Word(static_cast<std::uint32_t>(component.files.size()));
        for (std::uint32_t index : component.files) {
            out.Word(index);
        }
    }
    out.Byte(s.typicalOffered);
    out.Text(s.typicalLabel);
    out.Byte(s.minimalOffered);
    out.Text(s.minimalLabel);
    out.Byte(s.customOffered);
    out.Text(s.customLabel);
    out.Byte(static_cast<std::uint32_t>(s.iniEntries.size()));
    for (const IniEntry& entry : s.iniEntries) {
        out.Text(entry.file);
        out.Text(entry.section);
        out.Text(entry.key);
        out.Text(entry.value);
    }
    for (const auto* list : {&s.systemChangesFirst, &s.systemChangesSecond}) {
        out.Byte(static_cast<std::uint32_t>(list->size()));
        for (const SystemFileChange& change : *list) {
            out.Byte(change.changeType);
            out.Text(change.value);
        }
    }
    out.Byte(s.uninstallPresent);
    // A present entry writes the name in use; an absent one keeps whatever text was stored.
    out.Text(s.uninstallPresent ? s.uninstallName : s.uninstallNameAsStored);
}

} // namespace

std::vector<std::string> CheckScriptCounts(const SetupScript& s) {
    std::vector<std::string> problems;
    CheckCount(problems, s.diskLabels, kMaxByteCount, "disk labels");
    CheckCount(problems, s.directories, kMaxByteCount, "directories");
    CheckCount(problems, s.programGroups, kMaxByteCount, "program groups");
    CheckCount(problems, s.programItems, kMaxByteCount, "program items");
    CheckCount(problems, s.installItems, kMaxWordCount, "install items");
    CheckCount(problems, s.finalPrograms, kMaxByteCount, "final programs");
    CheckCount(problems, s.registryKeys, kMaxWordCount, "registry keys");
    for (const RegistryKey& key : s.registryKeys) {
        CheckCount(problems, key.values, kMaxWordCount,
                   "values of registry key " + key.keyPath.Str());
    }
    CheckCount(problems, s.components, kMaxByteCount, "components");
    for (const Component& component : s.components) {
        CheckCount(problems, component.files, kMaxWordCount,
                   "files of component " + component.name.Str());
        for (std::uint32_t index : component.files) {
            if (index > kMaxWordCount) {
                problems.push_back("component " + component.name.Str() + " names install item " +
                                   std::to_string(index) + ", beyond the format's range");
            }
        }
    }
    CheckCount(problems, s.iniEntries, kMaxByteCount, "INI entries");
    CheckCount(problems, s.systemChangesFirst, kMaxByteCount, "first system-file changes");
    CheckCount(problems, s.systemChangesSecond, kMaxByteCount, "second system-file changes");
    return problems;
}

std::vector<std::uint8_t> WriteSetupScript(const SetupScript& script) {
    const std::vector<std::string> problems = CheckScriptCounts(script);
    if (!problems.empty()) {
        throw std::length_error("the script cannot be written: " + problems.front());
    }
    ScriptBytes body;
    WriteHeaderFields(body, script);
    WriteSections(body, script);
    const std::vector<std::uint8_t> bytes = body.Take();

    ScriptBytes image;
    image.Dword(kScriptFormatVersion);
    image.Word(ScriptChecksum(bytes.data(), bytes.size()));
    std::vector<std::uint8_t> file = image.Take();
    file.reserve(file.size() + bytes.size());
    std::copy(bytes.begin(), bytes.end(), std::back_inserter(file));
    return file;
}

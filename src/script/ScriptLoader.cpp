#include "script/ScriptLoader.h"

#include "script/ScriptChecksum.h"
#include "script/ScriptReader.h"
#include "script/SetupError.h"

#include <string>

namespace {

// Reads count records into list. Records are appended as they are read, so a count that the
// image cannot back is refused at the end of the image instead of allocated up front.
template <typename T, typename ReadOne>
void ReadRecords(std::size_t count, std::vector<T>& list, ReadOne readOne) {
    list.clear();
    for (std::size_t i = 0; i < count; ++i) {
        readOne(list.emplace_back());
    }
}

void ReadHeaderFields(ScriptReader& in, SetupScript& s) {
    in.ReadText(s.unusedText1);
    s.unusedByte2 = in.ReadByte();
    in.ReadText(s.unusedText3);
    in.ReadText(s.productName);
    in.ReadText(s.welcomeTitle);
    in.ReadText(s.welcomeText);
    in.ReadText(s.destinationTitle);
    in.ReadText(s.destinationText);
    in.ReadText(s.backgroundBitmap);
    s.BackgroundStyle = in.ReadByte();
    in.ReadText(s.sideBitmap);
    in.ReadText(s.readmeFile);
    in.ReadText(s.diskPromptTitle);
    in.ReadText(s.diskPromptText);
    in.ReadText(s.successCaption);
    in.ReadText(s.successText);
    in.ReadText(s.failureCaption);
    in.ReadText(s.failureText);
    in.ReadText(s.cancelCaption);
    in.ReadText(s.cancelText);
    s.completionFlags = in.ReadByte();
}

void ReadTextBlocks(ScriptReader& in, std::vector<TextBlock>& list) {
    ReadRecords(in.ReadByte(), list, [&](TextBlock& block) { block = in.ReadTextAlloc(); });
}

void ReadDirectories(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadByte(), s.directories, [&](DirectoryEntry& entry) {
        in.ReadText(entry.path);
        entry.templatePath = entry.path;
    });
}

void ReadProgramItems(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadByte(), s.programItems, [&](ProgramItem& item) {
        item.groupNumber = in.ReadByte();
        in.ReadText(item.name);
        in.ReadText(item.commandLine);
        in.ReadText(item.workingDirectory);
        in.ReadText(item.iconPath);
        item.iconIndex = in.ReadByte();
    });
}

void ReadInstallItems(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadWord(), s.installItems, [&](InstallItem& item) {
        item.diskNumber = in.ReadByte();
        item.dirIndex = in.ReadByte();
        in.ReadText(item.name);
        item.compressed = in.ReadByte();
        item.action = in.ReadByte();
        item.overwriteMode = in.ReadByte();
        item.readOnly = in.ReadByte();
        item.partCount = in.ReadByte();
        item.size = in.ReadDword();
        in.ReadText(item.sourceSubdir);
        item.shared = in.ReadByte();
        item.installCount = kInstallAlways;
    });
}

void ReadFinalPrograms(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadByte(), s.finalPrograms, [&](FinalProgram& program) {
        in.ReadText(program.commandLine);
        program.showCommand = in.ReadWord();
        in.ReadText(program.workingDirectory);
    });
}

void ReadRegistryKeys(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadWord(), s.registryKeys, [&](RegistryKey& key) {
        in.ReadText(key.keyPath);
        ReadRecords(in.ReadWord(), key.values, [&](RegistryValue& value) {
            in.ReadText(value.name);
            value.storedKind = in.ReadByte();
            if (value.storedKind != 0) {
                value.kind = RegistryValueKind::Text;
                value.text = in.ReadTextAlloc();
            } else {
                value.kind = RegistryValueKind::Number;
                value.number = in.ReadDword();
            }
        });
    });
}

void ReadComponents(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadByte(), s.components, [&](Component& component) {
        // The record is already in the list: its size is the component's 1-based number.
        const std::size_t number = s.components.size();
        in.ReadText(component.name);
        in.ReadText(component.description);
        component.inMinimal = in.ReadByte();
        component.inTypical = in.ReadByte();
        component.selected = 1;
        component.totalSize = 0;
        ReadRecords(in.ReadWord(), component.files, [&](std::uint32_t& index) {
            index = in.ReadWord();
            if (index >= s.installItems.size()) {
                throw SetupError(kErrorBadScript,
                                 "component " + std::to_string(number) + " names install item " +
                                     std::to_string(index) + " but the script has only " +
                                     std::to_string(s.installItems.size()));
            }
            InstallItem& item = s.installItems[index];
            component.totalSize += item.size;
            if (item.installCount == kInstallAlways) {
                item.installCount = 0;
            }
            ++item.installCount;
        });
    });
    s.typicalOffered = in.ReadByte();
    in.ReadText(s.typicalLabel);
    s.minimalOffered = in.ReadByte();
    in.ReadText(s.minimalLabel);
    s.customOffered = in.ReadByte();
    in.ReadText(s.customLabel);
}

void ReadIniEntries(ScriptReader& in, SetupScript& s) {
    ReadRecords(in.ReadByte(), s.iniEntries, [&](IniEntry& entry) {
        in.ReadText(entry.file);
        in.ReadText(entry.section);
        in.ReadText(entry.key);
        in.ReadText(entry.value);
    });
}

void ReadSystemChanges(ScriptReader& in, std::vector<SystemFileChange>& list) {
    ReadRecords(in.ReadByte(), list, [&](SystemFileChange& change) {
        change.changeType = in.ReadByte();
        in.ReadText(change.value);
    });
}

void ReadUninstallEntry(ScriptReader& in, SetupScript& s) {
    s.uninstallPresent = in.ReadByte();
    in.ReadText(s.uninstallNameAsStored);
    s.uninstallName = s.uninstallPresent ? s.uninstallNameAsStored : FixedText{};
}

void VerifyHeader(ScriptReader& in, std::span<const std::uint8_t> image) {
    const std::uint32_t version = in.ReadDword();
    if (version != kScriptFormatVersion) {
        throw SetupError(kErrorBadScript,
                         "format version is " + std::to_string(version) + ", not 1");
    }
    const std::uint16_t stored = in.ReadWord();
    const std::uint16_t computed =
        ScriptChecksum(image.data() + kScriptHeaderSize, image.size() - kScriptHeaderSize);
    if (stored != computed) {
        throw SetupError(kErrorBadScript, "checksum mismatch (stored " + std::to_string(stored) +
                                              ", computed " + std::to_string(computed) + ")");
    }
}

std::size_t Parse(std::span<const std::uint8_t> image, SetupScript& s) {
    ScriptReader in(image);
    VerifyHeader(in, image);
    ReadHeaderFields(in, s);
    ReadTextBlocks(in, s.diskLabels);
    ReadDirectories(in, s);
    s.showGroupPage = in.ReadByte();
    s.askBeforeGroup = in.ReadByte();
    ReadTextBlocks(in, s.programGroups);
    ReadProgramItems(in, s);
    ReadInstallItems(in, s);
    ReadFinalPrograms(in, s);
    ReadRegistryKeys(in, s);
    ReadComponents(in, s);
    ReadIniEntries(in, s);
    ReadSystemChanges(in, s.systemChangesFirst);
    ReadSystemChanges(in, s.systemChangesSecond);
    ReadUninstallEntry(in, s);
    return in.Offset();
}

} // namespace

SetupScript ParseSetupScript(std::span<const std::uint8_t> image, std::size_t* parsedLength) {
    SetupScript script;
    const std::size_t length = Parse(image, script);
    if (parsedLength) {
        *parsedLength = length;
    }
    return script;
}

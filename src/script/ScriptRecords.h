#pragma once

#include "script/ScriptModel.h"

// The compiled script's records, field by field in the order the format stores them. One
// description serves both directions: the loader passes an Io that reads each field into place
// (Script is SetupScript), the writer one that writes it (Script is const SetupScript). Io has
// Byte, Word, Dword and Text for the fields, ByteList and WordList for counted lists (the count,
// then each element through the function given), and kReading. What only the running program
// keeps (counts, ticks, sizes of components) is worked out by the loader afterwards.

namespace script_records {

template <typename Io, typename Script> void Header(Io& io, Script& s) {
    io.Text(s.unusedText1);
    io.Byte(s.unusedByte2);
    io.Text(s.unusedText3);
    io.Text(s.productName);
    io.Text(s.welcomeTitle);
    io.Text(s.welcomeText);
    io.Text(s.destinationTitle);
    io.Text(s.destinationText);
    io.Text(s.backgroundBitmap);
    io.Byte(s.BackgroundStyle);
    io.Text(s.sideBitmap);
    io.Text(s.readmeFile);
    io.Text(s.diskPromptTitle);
    io.Text(s.diskPromptText);
    io.Text(s.successCaption);
    io.Text(s.successText);
    io.Text(s.failureCaption);
    io.Text(s.failureText);
    io.Text(s.cancelCaption);
    io.Text(s.cancelText);
    io.Byte(s.completionFlags);
}

// A directory is stored as its template (the path before macros and the destination root are
// applied); the loader starts the path from it.
template <typename Io, typename Entry> void Directory(Io& io, Entry& entry) {
    io.Text(entry.templatePath);
    if constexpr (Io::kReading) {
        entry.path = entry.templatePath;
    }
}

template <typename Io, typename Item> void ProgramItemRecord(Io& io, Item& item) {
    io.Byte(item.groupNumber);
    io.Text(item.name);
    io.Text(item.commandLine);
    io.Text(item.workingDirectory);
    io.Text(item.iconPath);
    io.Byte(item.iconIndex);
}

template <typename Io, typename Item> void InstallItemRecord(Io& io, Item& item) {
    io.Byte(item.diskNumber);
    io.Byte(item.dirIndex);
    io.Text(item.name);
    io.Byte(item.compressed);
    io.Byte(item.action);
    io.Byte(item.overwriteMode);
    io.Byte(item.readOnly);
    io.Byte(item.partCount);
    io.Dword(item.size);
    io.Text(item.sourceSubdir);
    io.Byte(item.shared);
}

template <typename Io, typename Program> void FinalProgramRecord(Io& io, Program& program) {
    io.Text(program.commandLine);
    io.Word(program.showCommand);
    io.Text(program.workingDirectory);
}

// The kind byte decides what follows: a text block (any non-zero kind) or a 32-bit number (0).
template <typename Io, typename Value> void RegistryValueRecord(Io& io, Value& value) {
    io.Text(value.name);
    if constexpr (Io::kReading) {
        io.Byte(value.storedKind);
        value.kind = value.storedKind != 0 ? RegistryValueKind::Text : RegistryValueKind::Number;
    } else {
        const std::uint8_t kind = value.kind == RegistryValueKind::Text
                                      ? (value.storedKind != 0 ? value.storedKind : 1)
                                      : 0;
        io.Byte(kind);
    }
    if (value.kind == RegistryValueKind::Text) {
        io.Text(value.text);
    } else {
        io.Dword(value.number);
    }
}

template <typename Io, typename Key> void RegistryKeyRecord(Io& io, Key& key) {
    io.Text(key.keyPath);
    io.WordList(key.values, [&](auto& value) { RegistryValueRecord(io, value); });
}

template <typename Io, typename Entry> void ComponentRecord(Io& io, Entry& component) {
    io.Text(component.name);
    io.Text(component.description);
    io.Byte(component.inMinimal);
    io.Byte(component.inTypical);
    io.WordList(component.files, [&](auto& index) { io.Word(index); });
}

template <typename Io, typename Entry> void IniEntryRecord(Io& io, Entry& entry) {
    io.Text(entry.file);
    io.Text(entry.section);
    io.Text(entry.key);
    io.Text(entry.value);
}

template <typename Io, typename Change> void SystemChangeRecord(Io& io, Change& change) {
    io.Byte(change.changeType);
    io.Text(change.value);
}

// A present entry stores the name in use; an absent one keeps whatever text was stored, which
// the program does not use.
template <typename Io, typename Script> void UninstallEntry(Io& io, Script& s) {
    io.Byte(s.uninstallPresent);
    if constexpr (Io::kReading) {
        io.Text(s.uninstallNameAsStored);
        s.uninstallName = s.uninstallPresent ? s.uninstallNameAsStored : FixedText{};
    } else {
        io.Text(s.uninstallPresent ? s.uninstallName : s.uninstallNameAsStored);
    }
}

// Everything after the version word and the checksum, in stored order.
template <typename Io, typename Script> void Body(Io& io, Script& s) {
    Header(io, s);
    io.ByteList(s.diskLabels, [&](auto& label) { io.Text(label); });
    io.ByteList(s.directories, [&](auto& entry) { Directory(io, entry); });
    io.Byte(s.showGroupPage);
    io.Byte(s.askBeforeGroup);
    io.ByteList(s.programGroups, [&](auto& group) { io.Text(group); });
    io.ByteList(s.programItems, [&](auto& item) { ProgramItemRecord(io, item); });
    io.WordList(s.installItems, [&](auto& item) { InstallItemRecord(io, item); });
    io.ByteList(s.finalPrograms, [&](auto& program) { FinalProgramRecord(io, program); });
    io.WordList(s.registryKeys, [&](auto& key) { RegistryKeyRecord(io, key); });
    io.ByteList(s.components, [&](auto& component) { ComponentRecord(io, component); });
    io.Byte(s.typicalOffered);
    io.Text(s.typicalLabel);
    io.Byte(s.minimalOffered);
    io.Text(s.minimalLabel);
    io.Byte(s.customOffered);
    io.Text(s.customLabel);
    io.ByteList(s.iniEntries, [&](auto& entry) { IniEntryRecord(io, entry); });
    io.ByteList(s.systemChangesFirst, [&](auto& change) { SystemChangeRecord(io, change); });
    io.ByteList(s.systemChangesSecond, [&](auto& change) { SystemChangeRecord(io, change); });
    UninstallEntry(io, s);
}

} // namespace script_records

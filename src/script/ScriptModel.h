#pragma once

#include "script/FixedText.h"

#include <cstdint>
#include <optional>
#include <vector>

// The compiled setup script in memory. Every section is an owning list created with the exact
// count read from the script; the lists keep the script's order and never gain or lose
// elements after loading. Script numbers are 1-based (directory d is directories[d - 1]);
// a component's file index k is installItems[k].

// A separately held text that may be absent. Absent and empty read the same to every user;
// a script stores both as length 0 and reads length 0 back as absent.
using TextBlock = std::optional<FixedText>;

inline std::string_view TextOf(const TextBlock& block) {
    return block ? block->View() : std::string_view{};
}

enum class ItemAction : std::uint8_t {
    Copy = 1,
    ShowBitmap = 2,
    Delete = 3,
    RunNormal = 4,
    RunMaximized = 5,
    RunMinimized = 6,
    HideBitmap = 7,
};

enum class OverwriteMode : std::uint8_t {
    IfOlder = 1,
    Never = 2,
    Ask = 3,
    Always = 4,
};

enum class RegistryValueKind : std::uint32_t {
    Text = 1,   // REG_SZ
    Number = 4, // REG_DWORD
};

struct DirectoryEntry {
    std::uint32_t created = 0;
    FixedText templatePath;
    FixedText path;
    std::uint32_t driveIndex = 0;
};

struct ProgramItem {
    FixedText name;
    std::uint8_t groupNumber = 0; // 1-based; 0 or above the group count: in no group
    FixedText commandLine;
    FixedText iconPath;
    FixedText workingDirectory;
    std::uint8_t iconIndex = 0;
};

// installCount: -1 when no component lists the item (always processed), otherwise the number
// of selected components that hold it; 0 means not processed. Held wider than a byte so that a
// file listed by many components never wraps to "not selected".
inline constexpr std::int32_t kInstallAlways = -1;

struct InstallItem {
    std::uint8_t dirIndex = 0;
    std::uint8_t diskNumber = 0;
    std::uint8_t compressed = 0;
    std::uint8_t action = 0;        // ItemAction code as stored
    std::uint8_t overwriteMode = 0; // OverwriteMode code as stored
    std::uint8_t readOnly = 0;
    std::uint8_t done = 0;
    std::uint8_t shared = 0;
    std::uint8_t partCount = 0; // 0 or 1: not split
    FixedText installedPath;
    FixedText name;
    FixedText sourceSubdir;
    std::uint32_t size = 0;
    std::int32_t installCount = kInstallAlways;
};

struct FinalProgram {
    FixedText commandLine;
    std::uint16_t showCommand = 0;
    FixedText workingDirectory;
};

struct RegistryValue {
    FixedText name;
    std::uint8_t storedKind = 0; // the kind byte as stored: non-zero text, 0 number
    RegistryValueKind kind = RegistryValueKind::Number;
    TextBlock text;           // kind Text
    std::uint32_t number = 0; // kind Number
};

struct RegistryKey {
    FixedText keyPath;
    std::vector<RegistryValue> values;
};

struct Component {
    FixedText name;
    FixedText description;
    std::uint8_t selected = 1;
    std::vector<std::uint32_t> files;
    std::uint32_t totalSize = 0;
    std::uint8_t inMinimal = 0;
    std::uint8_t inTypical = 0;
};

struct IniEntry {
    FixedText file;
    FixedText section;
    FixedText key;
    FixedText value;
};

struct SystemFileChange {
    std::uint32_t changeType = 0;
    FixedText value;
};

struct SetupScript {
    // Header fields the system reads and does not use; kept so a script is written back
    // unchanged.
    FixedText unusedText1;
    std::uint8_t unusedByte2 = 0;
    FixedText unusedText3;

    FixedText productName;
    FixedText welcomeTitle;
    FixedText welcomeText;
    FixedText destinationTitle;
    FixedText destinationText;
    FixedText backgroundBitmap;
    std::uint8_t BackgroundStyle = 0;
    FixedText sideBitmap;
    FixedText readmeFile;
    FixedText diskPromptTitle;
    FixedText diskPromptText;
    FixedText successCaption;
    FixedText successText;
    FixedText failureCaption;
    FixedText failureText;
    FixedText cancelCaption;
    FixedText cancelText;
    std::uint32_t completionFlags = 0;

    std::vector<TextBlock> diskLabels;
    std::vector<DirectoryEntry> directories;
    std::uint32_t showGroupPage = 1;
    std::uint32_t askBeforeGroup = 1;
    std::vector<TextBlock> programGroups;
    std::vector<ProgramItem> programItems;
    std::vector<InstallItem> installItems;
    std::vector<FinalProgram> finalPrograms;
    std::vector<RegistryKey> registryKeys;
    std::vector<Component> components;
    std::uint32_t typicalOffered = 0;
    FixedText typicalLabel;
    std::uint32_t minimalOffered = 0;
    FixedText minimalLabel;
    std::uint32_t customOffered = 0;
    FixedText customLabel;
    std::vector<IniEntry> iniEntries;
    std::vector<SystemFileChange> systemChangesFirst;
    std::vector<SystemFileChange> systemChangesSecond;

    std::uint8_t uninstallPresent = 0; // the stored byte; 0 = no uninstall entry
    FixedText uninstallName;           // empty when uninstallPresent is 0
    // The stored uninstall text, kept only so that a script whose byte is 0 but which
    // still stores a text is written back unchanged. Nothing else reads it.
    FixedText uninstallNameAsStored;
};

// Completion flag bits.
inline constexpr std::uint32_t kCompletionRestartWindows = 0x01;
inline constexpr std::uint32_t kCompletionReboot = 0x08;

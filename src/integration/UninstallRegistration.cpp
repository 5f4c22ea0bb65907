#include "integration/UninstallRegistration.h"

#include "common/Win32Handles.h"
#include "engine/PathOperations.h"
#include "integration/RecordPaths.h"
#include "integration/RegistryEntries.h"
#include "integration/RemovalRecordStore.h"
#include "integration/UninstallCommand.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace {

constexpr int kTextCapacity = 256;

UniqueRegKey OpenMachineKey(const char* path) {
    return OpenRegistryKey(HKEY_LOCAL_MACHINE, path, KEY_READ | KEY_WRITE);
}

void SetText(HKEY key, const char* name, const char* text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::char_traits<char>::length(text) + 1));
}

// The record made whole once the installation is complete: the files' sizes and times as it
// leaves them (a file gone since is no longer its), what an earlier installation of the same
// product made (when its record proves to be that installation's), the keys above the entry
// that registering creates (a product name with backslashes names nested keys), the names and
// the log.
void CompleteRecord(RemovalRecord& record, const std::string& entry, const std::string& scriptCopy,
                    const InstallLog& log) {
    std::erase_if(record.files, [](RecordedFile& file) {
        const std::optional<FileStamp> stamp = ReadFileStamp(file.path);
        if (stamp) {
            file.size = stamp->size;
            file.writeTime = stamp->writeTime;
        }
        return !stamp;
    });
    if (const std::optional<RemovalRecord> earlier = LoadEarlierRecord(entry)) {
        MergeEarlierRecord(record, *earlier);
    }
    const std::string entryPath = std::string(kUninstallKeyPath) + "\\" + entry;
    for (const std::string& level : MissingKeyLevels(HKEY_LOCAL_MACHINE, entryPath)) {
        if (level.size() > std::char_traits<char>::length(kUninstallKeyPath) + 1 &&
            level != entryPath) {
            record.keys.push_back({RegistryRoot::LocalMachine, level});
        }
    }
    record.product = entry;
    record.entry = entry;
    record.scriptPath = scriptCopy;
    record.logPath = log.Path();
    record.logDigest = log.Digest();
}

} // namespace

void RegisterUninstall(SetupScript& script, const MacroValues& macros, std::string_view scriptPath,
                       const InstallLog& log, RemovalRecord& record) {
    if (script.uninstallName.Empty()) {
        return;
    }
    ExpandMacros(script.uninstallName, macros);
    // Both texts go through a script-sized field, as every expanded text does.
    FixedText command(
        FormatResourceText(IDS_UNINSTALL_COMMAND, kTextCapacity, FileNamePart(scriptPath).c_str()));
    ExpandMacros(command, macros);
    FixedText uninstaller(LoadResourceText(IDS_UNINSTALLER, kTextCapacity));
    ExpandMacros(uninstaller, macros);

    // The uninstaller is counted once per installation, also when the script copies it as a
    // shared file.
    const bool counted = std::ranges::any_of(record.sharedCounts, [&](const std::string& path) {
        return SamePath(path, uninstaller.View());
    });
    const bool raised = !counted && IncrementSharedCount(uninstaller.View());
    if (raised) {
        record.sharedCounts.push_back(uninstaller.Str());
    }

    const std::string entry = script.productName.Str();
    const std::string destination(macros.destinationDirectory);
    CompleteRecord(record, entry, JoinPath(destination, FileNamePart(scriptPath)), log);
    const std::string recordPath = JoinPath(destination, RemovalRecordName(entry));
    const std::optional<std::string> digest =
        StoreRecordFile(recordPath, FormatRemovalRecord(record));
    // Without its record the entry only names the product (the uninstaller refuses it): no
    // removal would lower the count just raised.
    if (!digest && raised) {
        DecrementSharedCount(uninstaller.View());
    }

    if (const UniqueRegKey uninstall = OpenMachineKey(kUninstallKeyPath)) {
        HKEY product = nullptr;
        if (RegCreateKeyExA(uninstall.get(), entry.c_str(), 0, const_cast<char*>(""),
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &product,
                            nullptr) == ERROR_SUCCESS) {
            const UniqueRegKey owner(product);
            SetText(product, "DisplayName", script.uninstallName.CStr());
            SetText(product, kUninstallCommandValue, command.CStr());
            SetText(product, kQuietUninstallCommandValue, QuietCommandOf(command.View()).c_str());
            SetText(product, kRecordPathValue, digest ? recordPath.c_str() : "");
            SetText(product, kRecordDigestValue, digest ? digest->c_str() : "");
            RegDeleteValueA(product, kRemovalJournalValue);
        }
    }
}

namespace {

// The count stored under name in the open SharedDLLs key; nothing unless it is 4 bytes.
std::optional<std::uint32_t> ReadCount(const UniqueRegKey& shared, const std::string& name) {
    std::uint32_t count = 0;
    DWORD size = sizeof count;
    if (!shared ||
        RegQueryValueExA(shared.get(), name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS ||
        size != sizeof count) {
        return std::nullopt;
    }
    return count;
}

} // namespace

std::optional<std::uint32_t> SharedCount(std::string_view path) {
    return ReadCount(OpenMachineKey(kSharedDllsKeyPath), std::string(path));
}

bool IncrementSharedCount(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    const UniqueRegKey shared = OpenMachineKey(kSharedDllsKeyPath);
    if (!shared) {
        return false;
    }
    const std::string name(path);
    // A value that cannot be read into 4 bytes (missing, or longer) counts as 0; the buffer's
    // contents are undefined after a failed query.
    std::uint32_t count = 0;
    DWORD size = sizeof count;
    if (RegQueryValueExA(shared.get(), name.c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS) {
        count = 0;
    }
    ++count;
    return RegSetValueExA(shared.get(), name.c_str(), 0, REG_BINARY,
                          reinterpret_cast<const BYTE*>(&count), sizeof count) == ERROR_SUCCESS;
}

void DecrementSharedCount(std::string_view path) {
    const UniqueRegKey shared = OpenMachineKey(kSharedDllsKeyPath);
    const std::string name(path);
    const std::optional<std::uint32_t> count = ReadCount(shared, name);
    if (!count) {
        return;
    }
    if (*count > 1) {
        const std::uint32_t lowered = *count - 1;
        RegSetValueExA(shared.get(), name.c_str(), 0, REG_BINARY,
                       reinterpret_cast<const BYTE*>(&lowered), sizeof lowered);
    } else {
        RegDeleteValueA(shared.get(), name.c_str());
    }
}

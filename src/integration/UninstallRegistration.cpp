#include "integration/UninstallRegistration.h"

#include "common/Win32Handles.h"
#include "common/AsciiCase.h"
#include "engine/PathOperations.h"
#include "integration/RemovalRecordStore.h"
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
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS) {
        return {};
    }
    return UniqueRegKey(key);
}

void SetText(HKEY key, const char* name, const char* text) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::char_traits<char>::length(text) + 1));
}

// The record made whole once the installation is complete: the files' sizes and times as it
// leaves them (a file gone since is no longer its), what an earlier installation of the same
// product made (when its record proves to be that installation's), the names and the log.
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
    if (const std::optional<UninstallEntry> earlierEntry = ReadUninstallEntry(entry)) {
        std::string why;
        if (const std::optional<RemovalRecord> earlier = LoadProvenRecord(*earlierEntry, why)) {
            MergeEarlierRecord(record, *earlier);
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
        return AsciiUpper(path) == AsciiUpper(uninstaller.View());
    });
    if (!counted && IncrementSharedCount(uninstaller.View())) {
        record.sharedCounts.push_back(uninstaller.Str());
    }

    const std::string entry = script.productName.Str();
    const std::string destination(macros.destinationDirectory);
    CompleteRecord(record, entry, JoinPath(destination, FileNamePart(scriptPath)), log);
    const std::string recordPath = JoinPath(destination, RemovalRecordName(entry));
    const std::optional<std::string> digest =
        StoreRecordFile(recordPath, FormatRemovalRecord(record));

    if (const UniqueRegKey uninstall = OpenMachineKey(kUninstallKeyPath)) {
        HKEY product = nullptr;
        if (RegCreateKeyExA(uninstall.get(), entry.c_str(), 0, const_cast<char*>(""),
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &product,
                            nullptr) == ERROR_SUCCESS) {
            const UniqueRegKey owner(product);
            SetText(product, "DisplayName", script.uninstallName.CStr());
            SetText(product, "UninstallString", command.CStr());
            SetText(product, kRecordPathValue, digest ? recordPath.c_str() : "");
            SetText(product, kRecordDigestValue, digest ? digest->c_str() : "");
            RegDeleteValueA(product, kRemovalJournalValue);
        }
    }
}

std::uint32_t SharedCount(std::string_view path) {
    const UniqueRegKey shared = OpenMachineKey(kSharedDllsKeyPath);
    std::uint32_t count = 0;
    DWORD size = sizeof count;
    if (!shared || RegQueryValueExA(shared.get(), std::string(path).c_str(), nullptr, nullptr,
                                    reinterpret_cast<BYTE*>(&count), &size) != ERROR_SUCCESS) {
        return 0;
    }
    return count;
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

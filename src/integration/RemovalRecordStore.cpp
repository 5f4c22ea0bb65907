#include "integration/RemovalRecordStore.h"

#include "common/Win32Handles.h"
#include "engine/FileOperations.h"
#include "engine/PathRules.h"
#include "integration/RegistryEntries.h"
#include "integration/RemovalJournal.h"
#include "integration/Sha256.h"
#include "integration/UndoPlan.h"

#include <vector>

namespace {

constexpr std::size_t kLargestRecordFile = 64u << 20;

std::string EntryPath(const std::string& entry) {
    return entry.empty() ? kUninstallKeyPath : kUninstallKeyPath + ("\\" + entry);
}

UniqueRegKey OpenUninstallKey(const std::string& sub, REGSAM access = KEY_READ) {
    return OpenRegistryKey(HKEY_LOCAL_MACHINE, EntryPath(sub), access);
}

} // namespace

std::string ReadTextValue(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0) {
        return {};
    }
    std::string text(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS) {
        return {};
    }
    return text.data();
}

std::optional<UninstallEntry> ReadUninstallEntry(const std::string& keyName) {
    const UniqueRegKey key = OpenUninstallKey(keyName);
    if (!key || keyName.empty()) {
        return std::nullopt;
    }
    UninstallEntry entry;
    entry.keyName = keyName;
    entry.displayName = ReadTextValue(key.get(), "DisplayName");
    entry.uninstallString = ReadTextValue(key.get(), "UninstallString");
    entry.recordPath = ReadTextValue(key.get(), kRecordPathValue);
    entry.recordDigest = ReadTextValue(key.get(), kRecordDigestValue);
    return entry;
}

namespace {

// The entries below one key of the Uninstall key: a product name holding backslashes (a path
// that a macro put in it) names nested keys, so the keys are searched to some depth.
void ReadEntriesBelow(const std::string& prefix, int depth, std::vector<UninstallEntry>& entries) {
    const UniqueRegKey parent = OpenUninstallKey(prefix);
    if (!parent) {
        return;
    }
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        const LONG result =
            RegEnumKeyExA(parent.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) {
            return;
        }
        if (result != ERROR_SUCCESS) {
            continue;
        }
        const std::string keyName = prefix.empty() ? name : prefix + "\\" + name;
        if (std::optional<UninstallEntry> entry = ReadUninstallEntry(keyName);
            entry && !entry->uninstallString.empty()) {
            entries.push_back(std::move(*entry));
        }
        if (depth > 1) {
            ReadEntriesBelow(keyName, depth - 1, entries);
        }
    }
}

} // namespace

std::vector<UninstallEntry> ReadUninstallEntries() {
    constexpr int kDepth = 8;
    std::vector<UninstallEntry> entries;
    ReadEntriesBelow("", kDepth, entries);
    return entries;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            return bytes;
        }
        if (bytes.size() + read > kLargestRecordFile) {
            return std::nullopt;
        }
        bytes.append(buffer, read);
    }
}

std::optional<RemovalRecord> LoadProvenRecord(const UninstallEntry& entry, std::string& why) {
    if (entry.recordPath.empty() || entry.recordDigest.empty()) {
        why = "its uninstall entry names no removal record";
        return std::nullopt;
    }
    const std::optional<std::string> bytes = ReadFileBytes(entry.recordPath);
    if (!bytes) {
        why = "the removal record " + entry.recordPath + " cannot be read";
        return std::nullopt;
    }
    if (Sha256Hex(*bytes) != entry.recordDigest) {
        why = "the removal record " + entry.recordPath + " was changed after the installation";
        return std::nullopt;
    }
    std::optional<RemovalRecord> record = ParseRemovalRecord(*bytes, why);
    if (record && record->entry != entry.keyName) {
        why = "the removal record " + entry.recordPath + " belongs to another entry";
        return std::nullopt;
    }
    return record;
}

std::optional<std::string> StoreRecordFile(const std::string& path, const std::string& text) {
    if (!WriteWholeFile(path, text)) {
        return std::nullopt;
    }
    return Sha256Hex(text);
}

std::optional<FileStamp> ReadFileStamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.writeTime = static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                      data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

std::optional<RemovalRecord> LoadEarlierRecord(const std::string& entry) {
    const std::optional<UninstallEntry> earlierEntry = ReadUninstallEntry(entry);
    std::string why;
    std::optional<RemovalRecord> earlier =
        earlierEntry ? LoadProvenRecord(*earlierEntry, why) : std::nullopt;
    if (!earlier) {
        return std::nullopt;
    }
    // A journal of another plan cannot tell which counts went: none is carried, so that none
    // is lowered twice.
    const UndoPlan plan = MakeUndoPlan(*earlier, DirectoryPart(earlier->scriptPath));
    const RemovalJournal journal(entry, plan);
    std::vector<std::uint8_t> lowered(earlier->sharedCounts.size(), 0);
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        if (plan.steps[i].kind == UndoStepKind::LowerSharedCount &&
            (!journal.Matches() || journal.IsDone(i))) {
            lowered[plan.steps[i].index] = 1;
        }
    }
    std::vector<std::string> raised;
    for (std::size_t i = 0; i < lowered.size(); ++i) {
        if (!lowered[i]) {
            raised.push_back(earlier->sharedCounts[i]);
        }
    }
    earlier->sharedCounts = std::move(raised);
    return earlier;
}

ProductClaims ClaimsOfOtherProducts(const std::string& entry) {
    ProductClaims claims;
    for (const UninstallEntry& other : ReadUninstallEntries()) {
        std::string why;
        if (other.keyName == entry) {
            continue;
        }
        if (const std::optional<RemovalRecord> record = LoadProvenRecord(other, why)) {
            claims.Add(*record);
        }
    }
    return claims;
}

bool SetEntryText(const std::string& entry, const char* name, const std::string& text) {
    const UniqueRegKey key = OpenUninstallKey(entry, KEY_SET_VALUE);
    return key &&
           RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

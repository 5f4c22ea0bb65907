#include "integration/RemovalRecordStore.h"

#include "common/Win32Handles.h"
#include "integration/Sha256.h"

#include <vector>

namespace {

UniqueRegKey OpenUninstallKey(const std::string& sub) {
    HKEY key = nullptr;
    const std::string path = sub.empty() ? kUninstallKeyPath : kUninstallKeyPath + ("\\" + sub);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    return UniqueRegKey(key);
}

} // namespace

std::string ReadTextValue(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0) {
        return {};
    }
    std::vector<char> text(size + 1, '\0');
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

std::vector<UninstallEntry> ReadUninstallEntries() {
    std::vector<UninstallEntry> entries;
    const UniqueRegKey uninstall = OpenUninstallKey("");
    if (!uninstall) {
        return entries;
    }
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH] = {};
        DWORD length = MAX_PATH;
        const LONG result = RegEnumKeyExA(uninstall.get(), index, name, &length, nullptr, nullptr,
                                          nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) {
            return entries;
        }
        if (result != ERROR_SUCCESS) {
            continue;
        }
        if (std::optional<UninstallEntry> entry = ReadUninstallEntry(name)) {
            entries.push_back(std::move(*entry));
        }
    }
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
    const std::string temporary = path + ".new";
    {
        const UniqueFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (!file ||
            !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written,
                       nullptr) ||
            written != text.size() || !FlushFileBuffers(file.get())) {
            DeleteFileA(temporary.c_str());
            return std::nullopt;
        }
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
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

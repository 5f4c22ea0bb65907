#include "uninstall/UndoActions.h"

#include "common/AsciiCase.h"
#include "common/Win32Handles.h"
#include "integration/IniEntries.h"
#include "integration/RegistryEntries.h"
#include "integration/RemovalRecordStore.h"
#include "integration/UninstallRegistration.h"
#include "integration/Sha256.h"
#include "integration/UndoPlan.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <cstdint>
#include <vector>

namespace {

KeptObject Kept(std::string what, KeptReason reason, DWORD error = 0) {
    return KeptObject{std::move(what), reason, static_cast<std::uint32_t>(error)};
}

std::string KeyName(RegistryRoot root, const std::string& subKey) {
    const std::string& rootName = RegistryRootNames().at(static_cast<std::size_t>(root));
    return subKey.empty() ? rootName : rootName + "\\" + subKey;
}

bool IsGone(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// Nothing when the call succeeded or found its object gone; otherwise what failed, and why.
std::optional<KeptObject> KeptUnlessGone(std::string what, LONG result) {
    const auto error = static_cast<DWORD>(result);
    if (error == ERROR_SUCCESS || IsGone(error)) {
        return std::nullopt;
    }
    return Kept(std::move(what), KeptReason::Failed, error);
}

// An INI file left with nothing but blanks: it goes.
void DeleteIfBlank(const std::string& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (bytes && std::ranges::all_of(*bytes, [](char c) {
            return c == ' ' || c == '\t' || c == '\r' || c == '\n';
        })) {
        DeleteFileA(path.c_str());
    }
}

bool CountedByRecord(const RemovalRecord& record, const std::string& path) {
    return std::ranges::any_of(record.sharedCounts,
                               [&](const std::string& counted) { return SamePath(counted, path); });
}

} // namespace

std::optional<KeptObject> RestoreIniKey(const RecordedIniKey& key, const RemovalBounds& bounds) {
    const std::string what = "[" + key.section + "] " + key.key + " in " + key.file;
    const std::optional<std::string> current = ReadIniValue(key.file, key.section, key.key);
    if (!current) {
        return std::nullopt;
    }
    if (bounds.others.NamesIniKey(key)) {
        return Kept(what, KeptReason::UsedByOther);
    }
    if (*current != key.value) {
        return Kept(what, KeptReason::Changed);
    }
    if (key.existedBefore) {
        WritePrivateProfileStringA(key.section.c_str(), key.key.c_str(), key.valueBefore.c_str(),
                                   key.file.c_str());
        return std::nullopt;
    }
    if (!WritePrivateProfileStringA(key.section.c_str(), key.key.c_str(), nullptr,
                                    key.file.c_str())) {
        return KeptUnlessGone(what, static_cast<LONG>(GetLastError()));
    }
    if (!key.sectionExistedBefore && !IniSectionHasLines(key.file, key.section)) {
        WritePrivateProfileStringA(key.section.c_str(), nullptr, nullptr, key.file.c_str());
    }
    if (!key.fileExistedBefore) {
        // Written out first: the profile interface may hold the file's lines back.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, key.file.c_str());
        DeleteIfBlank(ProfileFilePath(key.file));
    }
    return std::nullopt;
}

std::optional<KeptObject> RestoreRegistryValue(const RecordedValue& value,
                                               const RemovalBounds& bounds) {
    const std::string what = KeyName(value.root, value.subKey) + " value " +
                             (value.name.empty() ? "(default)" : value.name);
    LONG result = ERROR_SUCCESS;
    HKEY root = PredefinedRootKey(value.root);
    UniqueRegKey opened;
    if (!value.subKey.empty()) {
        opened = OpenRegistryKey(root, value.subKey, KEY_QUERY_VALUE | KEY_SET_VALUE, &result);
        if (!opened) {
            return KeptUnlessGone(what, result);
        }
    }
    HKEY key = value.subKey.empty() ? root : opened.get();
    const std::optional<RegistryData> current = ReadRegistryValue(key, value.name.c_str());
    if (!current) {
        return std::nullopt;
    }
    if (bounds.others.NamesValue(value)) {
        return Kept(what, KeptReason::UsedByOther);
    }
    if (current->type != value.type || current->data != value.data) {
        return Kept(what, KeptReason::Changed);
    }
    if (value.existedBefore) {
        return KeptUnlessGone(what,
                              RegSetValueExA(key, value.name.c_str(), 0, value.typeBefore,
                                             reinterpret_cast<const BYTE*>(value.dataBefore.data()),
                                             static_cast<DWORD>(value.dataBefore.size())));
    }
    return KeptUnlessGone(what, RegDeleteValueA(key, value.name.c_str()));
}

std::optional<KeptObject> DeleteCreatedKey(const RecordedKey& key) {
    const std::string what = KeyName(key.root, key.subKey);
    HKEY root = PredefinedRootKey(key.root);
    LONG result = ERROR_SUCCESS;
    {
        const UniqueRegKey opened = OpenRegistryKey(root, key.subKey, KEY_READ, &result);
        if (!opened) {
            return KeptUnlessGone(what, result);
        }
        DWORD subKeys = 0;
        DWORD values = 0;
        result = RegQueryInfoKeyA(opened.get(), nullptr, nullptr, nullptr, &subKeys, nullptr,
                                  nullptr, &values, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            return Kept(what, KeptReason::Failed, static_cast<DWORD>(result));
        }
        if (subKeys != 0 || values != 0) {
            return Kept(what, KeptReason::KeyNotEmpty);
        }
    }
    return KeptUnlessGone(what, RegDeleteKeyA(root, key.subKey.c_str()));
}

std::optional<KeptObject> DeleteUninstallEntry(const std::string& keyName,
                                               const RemovalRecord& record) {
    const RecordedKey entry{RegistryRoot::LocalMachine,
                            std::string(kUninstallKeyPath) + "\\" + keyName};
    LONG result = ERROR_SUCCESS;
    {
        const UniqueRegKey key =
            OpenRegistryKey(HKEY_LOCAL_MACHINE, entry.subKey, KEY_READ | KEY_SET_VALUE, &result);
        if (!key) {
            return KeptUnlessGone(KeyName(entry.root, entry.subKey), result);
        }
        for (const char* name : kRegisteredEntryValues) {
            RegDeleteValueA(key.get(), name);
        }
    }
    std::optional<KeptObject> kept = DeleteCreatedKey(entry);
    std::vector<RecordedKey> above;
    std::ranges::copy_if(record.keys, std::back_inserter(above), IsUninstallEntryKey);
    std::ranges::sort(above, std::greater<>{},
                      [](const RecordedKey& key) { return key.subKey.size(); });
    for (const RecordedKey& key : above) {
        static_cast<void>(DeleteCreatedKey(key));
    }
    return kept;
}

std::optional<KeptObject> DeleteRecordedFile(const RecordedFile& file, const RemovalRecord& record,
                                             const RemovalBounds& bounds,
                                             RemovalQuestions& questions) {
    if (SamePath(file.path, bounds.ownPath)) {
        return std::nullopt; // the running uninstaller stays for the other products
    }
    const std::optional<FileStamp> stamp = ReadFileStamp(file.path);
    if (!stamp) {
        return std::nullopt;
    }
    const bool counted = file.shared && CountedByRecord(record, file.path);
    if (counted && SharedCount(file.path)) {
        return Kept(file.path, KeptReason::StillShared);
    }
    if (bounds.others.NamesFile(file.path)) {
        return Kept(file.path, KeptReason::UsedByOther);
    }
    if (stamp->size != file.size || stamp->writeTime != file.writeTime) {
        return Kept(file.path, KeptReason::Changed);
    }
    if (file.shared) {
        if (!counted) {
            return Kept(file.path, KeptReason::NoSharedCount);
        }
        if (!questions.AskDeleteSharedFile(file.path)) {
            return Kept(file.path, KeptReason::KeptByChoice);
        }
    }
    return DeleteInstalledFile(file.path, questions);
}

std::optional<KeptObject> DeleteInstallLog(const RemovalRecord& record,
                                           RemovalQuestions& questions) {
    const std::optional<std::string> bytes = ReadFileBytes(record.logPath);
    if (!bytes) {
        return std::nullopt;
    }
    if (Sha256Hex(*bytes) != record.logDigest) {
        return Kept(record.logPath, KeptReason::Changed);
    }
    return DeleteInstalledFile(record.logPath, questions);
}

std::optional<KeptObject> DeleteInstalledFile(const std::string& path,
                                              RemovalQuestions& questions) {
    const DWORD original = GetFileAttributesA(path.c_str());
    for (;;) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return KeptUnlessGone(path, static_cast<LONG>(GetLastError()));
        }
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            return Kept(path, KeptReason::NotAFile);
        }
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        }
        if (DeleteFileA(path.c_str())) {
            return std::nullopt;
        }
        const DWORD error = GetLastError();
        if (IsGone(error)) {
            return std::nullopt;
        }
        switch (questions.AskFileInUse(path)) {
        case IDABORT:
            return Kept(path, KeptReason::Stopped);
        case IDRETRY:
            continue;
        default:
            // A file that stays is left as it was.
            if (original != INVALID_FILE_ATTRIBUTES && (original & FILE_ATTRIBUTE_READONLY)) {
                SetFileAttributesA(path.c_str(), original);
            }
            return Kept(path, KeptReason::InUse);
        }
    }
}

std::optional<KeptObject> RemoveEmptyDirectory(const std::string& path) {
    if (RemoveDirectoryA(path.c_str())) {
        return std::nullopt;
    }
    const DWORD error = GetLastError();
    if (IsGone(error)) {
        return std::nullopt;
    }
    if (error == ERROR_DIR_NOT_EMPTY) {
        return Kept(path, KeptReason::DirectoryNotEmpty);
    }
    return Kept(path, KeptReason::Failed, error);
}

std::optional<KeptObject> RemoveDestination(const std::string& path) {
    std::optional<KeptObject> kept = RemoveEmptyDirectory(path);
    if (kept && kept->reason == KeptReason::DirectoryNotEmpty) {
        return std::nullopt;
    }
    return kept;
}

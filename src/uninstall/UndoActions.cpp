#include "uninstall/UndoActions.h"

#include "common/Win32Handles.h"
#include "engine/PathRules.h"
#include "integration/RegistryEntries.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

KeptObject Kept(std::string what, KeptReason reason, DWORD error = 0) {
    return KeptObject{std::move(what), reason, static_cast<std::uint32_t>(error)};
}

std::string KeyName(const UndoStep& step) {
    static const LogTexts texts;
    return texts.rootNames.at(static_cast<std::size_t>(step.root)) + "\\" + step.subKey;
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

UniqueRegKey OpenKey(HKEY root, const std::string& subKey, REGSAM access, LONG& result) {
    HKEY key = nullptr;
    result = RegOpenKeyExA(root, subKey.c_str(), 0, access, &key);
    return UniqueRegKey(result == ERROR_SUCCESS ? key : nullptr);
}

// Whether the section holds no line any more (or is missing).
bool SectionIsEmpty(const UndoStep& step) {
    std::array<char, 2> buffer{};
    const DWORD length = GetPrivateProfileSectionA(
        step.section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), step.path.c_str());
    return length == 0;
}

// Where the profile interface keeps a file named without a directory: the Windows directory.
std::string ProfilePath(const std::string& path) {
    if (path.find_first_of("\\/:") != std::string::npos) {
        return path;
    }
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? path : JoinPath(windows, path);
}

// An INI file left with nothing but blanks was the installation's own: it goes.
void DeleteIfBlank(const std::string& path) {
    constexpr DWORD kLargestBlank = 64;
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return;
    }
    std::array<char, kLargestBlank + 1> buffer{};
    DWORD read = 0;
    if (!ReadFile(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) ||
        read > kLargestBlank) {
        return;
    }
    for (DWORD i = 0; i < read; ++i) {
        if (buffer[i] != ' ' && buffer[i] != '\t' && buffer[i] != '\r' && buffer[i] != '\n') {
            return;
        }
    }
    file.reset();
    DeleteFileA(path.c_str());
}

} // namespace

std::optional<KeptObject> RemoveIniKey(const UndoStep& step) {
    const std::string what = "[" + step.section + "] " + step.name + " in " + step.path;
    if (!WritePrivateProfileStringA(step.section.c_str(), step.name.c_str(), nullptr,
                                    step.path.c_str())) {
        return KeptUnlessGone(what, static_cast<LONG>(GetLastError()));
    }
    if (SectionIsEmpty(step)) {
        WritePrivateProfileStringA(step.section.c_str(), nullptr, nullptr, step.path.c_str());
        DeleteIfBlank(ProfilePath(step.path));
    }
    return std::nullopt;
}

std::optional<KeptObject> DeleteRegistryValue(const UndoStep& step) {
    const std::string what =
        KeyName(step) + " value " + (step.name.empty() ? "(default)" : step.name);
    LONG result = ERROR_SUCCESS;
    UniqueRegKey key = OpenKey(PredefinedRootKey(step.root), step.subKey, KEY_SET_VALUE, result);
    if (!key) {
        return KeptUnlessGone(what, result);
    }
    return KeptUnlessGone(what, RegDeleteValueA(key.get(), step.name.c_str()));
}

std::optional<KeptObject> DeleteEmptyRegistryKey(const UndoStep& step) {
    LONG result = ERROR_SUCCESS;
    {
        UniqueRegKey key = OpenKey(PredefinedRootKey(step.root), step.subKey, KEY_READ, result);
        if (!key) {
            return KeptUnlessGone(KeyName(step), result);
        }
        DWORD subKeys = 0;
        DWORD values = 0;
        result = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                                  &values, nullptr, nullptr, nullptr, nullptr);
        if (result != ERROR_SUCCESS) {
            return Kept(KeyName(step), KeptReason::Failed, static_cast<DWORD>(result));
        }
        if (subKeys != 0 || values != 0) {
            return Kept(KeyName(step), KeptReason::KeyNotEmpty);
        }
    }
    return KeptUnlessGone(KeyName(step),
                          RegDeleteKeyA(PredefinedRootKey(step.root), step.subKey.c_str()));
}

std::optional<KeptObject> DeleteUninstallEntry(const UndoStep& step) {
    LONG result = ERROR_SUCCESS;
    {
        UniqueRegKey key =
            OpenKey(PredefinedRootKey(step.root), step.subKey, KEY_READ | KEY_SET_VALUE, result);
        if (!key) {
            return KeptUnlessGone(KeyName(step), result);
        }
        // The values the registration wrote; what else the entry holds keeps it.
        for (const char* name : {"DisplayName", "UninstallString"}) {
            RegDeleteValueA(key.get(), name);
        }
    }
    return DeleteEmptyRegistryKey(step);
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
            throw RemovalStopped{};
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

std::optional<KeptObject> LowerSharedCount(const std::string& path, const std::string& ownPath,
                                           RemovalQuestions& questions) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES && IsGone(GetLastError())) {
        return std::nullopt;
    }
    LONG result = ERROR_SUCCESS;
    UniqueRegKey key =
        OpenKey(HKEY_LOCAL_MACHINE, kSharedDllsKey, KEY_QUERY_VALUE | KEY_SET_VALUE, result);
    // The running uninstaller stays whatever its count says; only the count changes.
    const bool own = SamePathText(path, ownPath);
    const auto stays = [&](KeptReason reason) {
        return own ? std::nullopt : std::optional(Kept(path, reason));
    };
    std::uint32_t count = 0;
    DWORD size = sizeof count;
    if (!key ||
        RegQueryValueExA(key.get(), path.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&count),
                         &size) != ERROR_SUCCESS ||
        size != sizeof count) {
        return stays(KeptReason::NoSharedCount);
    }
    if (count > 1) {
        --count;
        RegSetValueExA(key.get(), path.c_str(), 0, REG_BINARY, reinterpret_cast<BYTE*>(&count),
                       sizeof count);
        return stays(KeptReason::StillShared);
    }
    RegDeleteValueA(key.get(), path.c_str());
    key.reset();
    if (own) {
        return std::nullopt;
    }
    if (!questions.AskDeleteSharedFile(path)) {
        return Kept(path, KeptReason::KeptByChoice);
    }
    return DeleteInstalledFile(path, questions);
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

#include "integration/IniEntries.h"

#include "integration/InstallLog.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include "engine/PathRules.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kTextCapacity = 256;
constexpr DWORD kValueCapacity = 4096;

// The profile interface reads a null key as "the whole section" and a null value as "remove
// the key"; an empty text stands for the null pointer.
const char* NullWhenEmpty(const FixedText& text) {
    return text.Empty() ? nullptr : text.CStr();
}

// The key as it stands before the entry is written, and whether its file exists.
RecordedIniKey KeyBefore(const IniEntry& entry) {
    RecordedIniKey key;
    key.file = entry.file.Str();
    key.section = entry.section.Str();
    key.key = entry.key.Str();
    key.value = entry.value.Str();
    // A default no value can hold tells a missing key from an empty one.
    constexpr const char* kMissing = "\x01missing\x01";
    std::vector<char> value(kValueCapacity, '\0');
    GetPrivateProfileStringA(entry.section.CStr(), entry.key.CStr(), kMissing, value.data(),
                             kValueCapacity, entry.file.CStr());
    key.existedBefore = std::string_view(value.data()) != kMissing;
    key.valueBefore = key.existedBefore ? value.data() : "";
    key.fileExistedBefore =
        GetFileAttributesA(ProfileFilePath(entry.file.View()).c_str()) != INVALID_FILE_ATTRIBUTES;
    return key;
}

} // namespace

std::string ProfileFilePath(std::string_view file) {
    if (file.find_first_of("\\/:") != std::string_view::npos) {
        return std::string(file);
    }
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string(file) : JoinPath(windows, file);
}

void WriteIniEntries(const SetupScript& script, InstallLog& log, RemovalRecord& record) {
    for (const IniEntry& entry : script.iniEntries) {
        const bool setsKey = !entry.key.Empty() && !entry.value.Empty();
        std::optional<RecordedIniKey> before;
        if (setsKey) {
            before = KeyBefore(entry);
        }
        WritePrivateProfileStringA(entry.section.CStr(), NullWhenEmpty(entry.key),
                                   NullWhenEmpty(entry.value), entry.file.CStr());
        std::string line =
            FormatResourceText(IDS_LOG_INI_ENTRY, kTextCapacity, entry.section.CStr(),
                               entry.key.CStr(), entry.value.CStr(), entry.file.CStr());
        if (before) {
            record.iniKeys.push_back(std::move(*before));
        } else {
            record.notes.push_back(line);
        }
        log.Line(line);
    }
    // The profile interface may keep the files' lines back: written out now, the files have
    // the sizes and times the removal record takes next.
    for (const IniEntry& entry : script.iniEntries) {
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, entry.file.CStr());
    }
}

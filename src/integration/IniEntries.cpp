#include "integration/IniEntries.h"

#include "integration/InstallLog.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include "engine/PathRules.h"

#include <windows.h>

#include <optional>
#include <string>

namespace {

constexpr int kTextCapacity = 256;
// The longest value or section read back; one longer reads as missing, and is then never
// restored or taken for empty.
constexpr DWORD kLargestIniText = 1u << 22;

// The profile interface reads a null key as "the whole section" and a null value as "remove
// the key"; an empty text stands for the null pointer.
const char* NullWhenEmpty(const FixedText& text) {
    return text.Empty() ? nullptr : text.CStr();
}

// The key as it stands before the entry is written, and whether its section and file exist.
RecordedIniKey KeyBefore(const IniEntry& entry) {
    RecordedIniKey key;
    key.file = entry.file.Str();
    key.section = entry.section.Str();
    key.key = entry.key.Str();
    key.value = entry.value.Str();
    const std::optional<std::string> before = ReadIniValue(key.file, key.section, key.key);
    key.existedBefore = before.has_value();
    key.valueBefore = before.value_or("");
    key.sectionExistedBefore = IniSectionHasLines(key.file, key.section);
    key.fileExistedBefore =
        GetFileAttributesA(ProfileFilePath(key.file).c_str()) != INVALID_FILE_ATTRIBUTES;
    return key;
}

} // namespace

std::optional<std::string> ReadIniValue(const std::string& file, const std::string& section,
                                        const std::string& key) {
    // A default no value can hold tells a missing key from an empty one; the buffer grows
    // until the value fits.
    constexpr const char* kMissing = "\x01missing\x01";
    for (DWORD size = 4096; size <= kLargestIniText; size *= 4) {
        std::string value(size, '\0');
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing,
                                                      value.data(), size, file.c_str());
        if (length + 1 < size) {
            const std::string text(value.data(), length);
            return text == kMissing ? std::nullopt : std::optional(text);
        }
    }
    return std::nullopt;
}

bool IniSectionHasLines(const std::string& file, const std::string& section) {
    // The profile interface returns size - 2 when the lines do not fit.
    for (DWORD size = 4096;; size *= 4) {
        std::string lines(size, '\0');
        const DWORD length =
            GetPrivateProfileSectionA(section.c_str(), lines.data(), size, file.c_str());
        if (length + 2 < size || size >= kLargestIniText) {
            return length != 0;
        }
    }
}

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

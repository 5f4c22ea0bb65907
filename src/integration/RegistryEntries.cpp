#include "integration/RegistryEntries.h"

#include "common/Win32Handles.h"
#include "integration/InstallLog.h"
#include "integration/RegistryPath.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kTextCapacity = 256;

// The predefined roots in the order of their names in the string table.
constexpr std::array<UINT, 6> kRootNameIds = {
    IDS_HKEY_CLASSES_ROOT, IDS_HKEY_CURRENT_USER,   IDS_HKEY_LOCAL_MACHINE,
    IDS_HKEY_USERS,        IDS_HKEY_CURRENT_CONFIG, IDS_HKEY_DYN_DATA,
};
const std::array<HKEY, 6> kRoots = {
    HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
    HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA,
};

// Where a value is written, for the removal record: the key's root and sub-key; no root when
// the path names none of the six.
struct ValueTarget {
    HKEY key = nullptr;
    std::optional<RegistryRoot> root;
    std::string subKey;
};

void WriteValue(const ValueTarget& target, RegistryValue& value, const MacroValues& macros,
                InstallLog& log, RemovalRecord& record) {
    ExpandMacros(value.name, macros);
    // A root outside the table leaves no key to write to; the value is still logged.
    if (target.key) {
        RecordedValue recorded;
        if (value.kind == RegistryValueKind::Text) {
            // A value without its text block is written as the empty text.
            FixedText empty;
            FixedText& text = value.text ? *value.text : empty;
            ExpandMacros(text, macros);
            recorded.type = REG_SZ;
            recorded.data.assign(text.CStr(), text.View().size() + 1);
        } else {
            const DWORD number = value.number;
            recorded.type = REG_DWORD;
            recorded.data.assign(reinterpret_cast<const char*>(&number), sizeof number);
        }
        LONG found = ERROR_SUCCESS;
        const std::optional<RegistryData> before =
            ReadRegistryValue(target.key, value.name.CStr(), &found);
        if (before) {
            recorded.existedBefore = true;
            recorded.typeBefore = before->type;
            recorded.dataBefore = before->data;
        }
        RegSetValueExA(target.key, value.name.CStr(), 0, recorded.type,
                       reinterpret_cast<const BYTE*>(recorded.data.data()),
                       static_cast<DWORD>(recorded.data.size()));
        // A value whose earlier state could not be read is never the removal's to touch.
        if (target.root && (before || found == ERROR_FILE_NOT_FOUND)) {
            recorded.root = *target.root;
            recorded.subKey = target.subKey;
            recorded.name = value.name.Str();
            record.values.push_back(std::move(recorded));
        }
    }
    log.Line(FormatResourceText(IDS_LOG_REGISTRY_VALUE, kTextCapacity, value.name.CStr()));
}

} // namespace

std::vector<std::string> MissingKeyLevels(HKEY root, const std::string& subKey) {
    std::vector<std::string> missing;
    for (std::size_t end = subKey.find('\\');; end = subKey.find('\\', end + 1)) {
        const std::string level = subKey.substr(0, end);
        LONG result = ERROR_SUCCESS;
        if (!level.empty() && !level.ends_with('\\') &&
            !OpenRegistryKey(root, level, KEY_READ, &result) && result == ERROR_FILE_NOT_FOUND) {
            missing.push_back(level);
        }
        if (end == std::string::npos) {
            return missing;
        }
    }
}

namespace {

void WriteKey(RegistryKey& key, const MacroValues& macros, InstallLog& log, RemovalRecord& record) {
    ParsedRegistryPath parsed;
    if (!ParseRegistryPath(key, macros, parsed)) {
        return;
    }
    UniqueRegKey created;
    ValueTarget target{parsed.root, FindPredefinedRoot(parsed.root), parsed.subKey};
    if (!parsed.subKey.empty()) {
        if (!parsed.root) {
            return;
        }
        const std::vector<std::string> missing = MissingKeyLevels(parsed.root, parsed.subKey);
        HKEY handle = nullptr;
        if (RegCreateKeyExA(parsed.root, parsed.subKey.c_str(), 0, const_cast<char*>(""),
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle,
                            nullptr) != ERROR_SUCCESS) {
            return;
        }
        created.reset(handle);
        target.key = handle;
        if (target.root) {
            for (const std::string& level : missing) {
                record.keys.push_back({*target.root, level});
            }
        }
    }
    log.Line(FormatResourceText(IDS_LOG_REGISTRY_KEY, kTextCapacity, key.keyPath.CStr()));
    for (RegistryValue& value : key.values) {
        WriteValue(target, value, macros, log, record);
    }
}

} // namespace

bool ParseRegistryPath(RegistryKey& key, const MacroValues& macros, ParsedRegistryPath& parsed) {
    ExpandMacros(key.keyPath, macros);
    const std::optional<RegistryPathParts> parts = SplitRegistryPath(key.keyPath.View());
    if (!parts) {
        return false;
    }
    std::array<std::string, kRootNameIds.size()> names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        names[i] = LoadResourceText(kRootNameIds[i], kTextCapacity);
    }
    const std::optional<std::size_t> root = FindRegistryRoot(parts->rootName, names);
    parsed.root = root ? kRoots[*root] : nullptr;
    parsed.subKey = parts->subKey;
    return true;
}

void WriteRegistryEntries(SetupScript& script, const MacroValues& macros, InstallLog& log,
                          RemovalRecord& record) {
    for (RegistryKey& key : script.registryKeys) {
        WriteKey(key, macros, log, record);
    }
}

HKEY PredefinedRootKey(RegistryRoot root) {
    return kRoots.at(static_cast<std::size_t>(root));
}

std::optional<RegistryRoot> FindPredefinedRoot(HKEY key) {
    const auto found = std::ranges::find(kRoots, key);
    if (key == nullptr || found == kRoots.end()) {
        return std::nullopt;
    }
    return static_cast<RegistryRoot>(std::distance(kRoots.begin(), found));
}

std::optional<RegistryData> ReadRegistryValue(HKEY key, const char* name, LONG* result) {
    LONG status = ERROR_SUCCESS;
    std::optional<RegistryData> value;
    // A value that grows between the two queries is asked for again.
    for (int attempt = 0; attempt < 4 && !value; ++attempt) {
        DWORD type = 0;
        DWORD size = 0;
        status = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS) {
            break;
        }
        RegistryData read;
        read.type = type;
        read.data.resize(size);
        status = size == 0 ? ERROR_SUCCESS
                           : RegQueryValueExA(key, name, nullptr, &type,
                                              reinterpret_cast<BYTE*>(read.data.data()), &size);
        if (status == ERROR_SUCCESS) {
            read.data.resize(size);
            value = std::move(read);
        } else if (status != ERROR_MORE_DATA) {
            break;
        }
    }
    if (result) {
        *result = status;
    }
    return value;
}

UniqueRegKey OpenRegistryKey(HKEY root, const std::string& path, REGSAM access, LONG* result) {
    HKEY key = nullptr;
    const LONG status = RegOpenKeyExA(root, path.c_str(), 0, access, &key);
    if (result) {
        *result = status;
    }
    return UniqueRegKey(status == ERROR_SUCCESS ? key : nullptr);
}

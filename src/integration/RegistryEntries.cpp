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
        if (const std::optional<RegistryData> before =
                ReadRegistryValue(target.key, value.name.CStr())) {
            recorded.existedBefore = true;
            recorded.typeBefore = before->type;
            recorded.dataBefore = before->data;
        }
        RegSetValueExA(target.key, value.name.CStr(), 0, recorded.type,
                       reinterpret_cast<const BYTE*>(recorded.data.data()),
                       static_cast<DWORD>(recorded.data.size()));
        if (target.root) {
            recorded.root = *target.root;
            recorded.subKey = target.subKey;
            recorded.name = value.name.Str();
            record.values.push_back(std::move(recorded));
        }
    }
    log.Line(FormatResourceText(IDS_LOG_REGISTRY_VALUE, kTextCapacity, value.name.CStr()));
}

// The levels of subKey below root that do not exist yet, parents first.
std::vector<std::string> MissingLevels(HKEY root, const std::string& subKey) {
    std::vector<std::string> missing;
    for (std::size_t end = subKey.find('\\');; end = subKey.find('\\', end + 1)) {
        const std::string level = subKey.substr(0, end);
        HKEY key = nullptr;
        if (!level.empty() && !level.ends_with('\\')) {
            if (RegOpenKeyExA(root, level.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
                RegCloseKey(key);
            } else {
                missing.push_back(level);
            }
        }
        if (end == std::string::npos) {
            return missing;
        }
    }
}

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
        const std::vector<std::string> missing = MissingLevels(parsed.root, parsed.subKey);
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

std::optional<RegistryData> ReadRegistryValue(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegistryData value;
    value.type = type;
    value.data.resize(size);
    if (size > 0 &&
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data.data()),
                         &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.data.resize(size);
    return value;
}

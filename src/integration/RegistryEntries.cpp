#include "integration/RegistryEntries.h"

#include "common/Win32Handles.h"
#include "integration/InstallLog.h"
#include "integration/RegistryPath.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include <array>

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

void WriteValue(HKEY target, RegistryValue& value, const MacroValues& macros, InstallLog& log) {
    ExpandMacros(value.name, macros);
    // A root outside the table leaves no key to write to; the value is still logged.
    if (target) {
        if (value.kind == RegistryValueKind::Text) {
            // A value without its text block is written as the empty text.
            FixedText empty;
            FixedText& text = value.text ? *value.text : empty;
            ExpandMacros(text, macros);
            const std::string_view data = text.View();
            RegSetValueExA(target, value.name.CStr(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(text.CStr()),
                           static_cast<DWORD>(data.size() + 1));
        } else {
            const DWORD number = value.number;
            RegSetValueExA(target, value.name.CStr(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&number), sizeof number);
        }
    }
    log.Line(FormatResourceText(IDS_LOG_REGISTRY_VALUE, kTextCapacity, value.name.CStr()));
}

void WriteKey(RegistryKey& key, const MacroValues& macros, InstallLog& log) {
    ParsedRegistryPath parsed;
    if (!ParseRegistryPath(key, macros, parsed)) {
        return;
    }
    UniqueRegKey created;
    HKEY target = parsed.root;
    if (!parsed.subKey.empty()) {
        HKEY handle = nullptr;
        if (!parsed.root ||
            RegCreateKeyExA(parsed.root, parsed.subKey.c_str(), 0, const_cast<char*>(""),
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &handle,
                            nullptr) != ERROR_SUCCESS) {
            return;
        }
        created.reset(handle);
        target = handle;
    }
    log.Line(FormatResourceText(IDS_LOG_REGISTRY_KEY, kTextCapacity, key.keyPath.CStr()));
    for (RegistryValue& value : key.values) {
        WriteValue(target, value, macros, log);
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

void WriteRegistryEntries(SetupScript& script, const MacroValues& macros, InstallLog& log) {
    for (RegistryKey& key : script.registryKeys) {
        WriteKey(key, macros, log);
    }
}

HKEY PredefinedRootKey(RegistryRoot root) { return kRoots.at(static_cast<std::size_t>(root)); }

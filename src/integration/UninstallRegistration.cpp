#include "integration/UninstallRegistration.h"

#include "common/Win32Handles.h"
#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kTextCapacity = 256;
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kSharedDllsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

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

} // namespace

void RegisterUninstall(SetupScript& script, const MacroValues& macros,
                       std::string_view scriptPath) {
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

    if (const UniqueRegKey uninstall = OpenMachineKey(kUninstallKey)) {
        HKEY product = nullptr;
        if (RegCreateKeyExA(uninstall.get(), script.productName.CStr(), 0, const_cast<char*>(""),
                            REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &product,
                            nullptr) == ERROR_SUCCESS) {
            const UniqueRegKey owner(product);
            SetText(product, "DisplayName", script.uninstallName.CStr());
            SetText(product, "UninstallString", command.CStr());
        }
    }
    IncrementSharedCount(uninstaller.View());
}

void IncrementSharedCount(std::string_view path) {
    if (path.empty()) {
        return;
    }
    const UniqueRegKey shared = OpenMachineKey(kSharedDllsKey);
    if (!shared) {
        return;
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
    RegSetValueExA(shared.get(), name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&count),
                   sizeof count);
}

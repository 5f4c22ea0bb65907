#include "CompletionTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Under Wine on a display without a window manager, hiding a framed window waits two seconds
// for a window manager to confirm it. An application default for this program alone has
// Wine's X11 driver leave its windows unmanaged; the driver reads it when the first window is
// made, so it is set before that. Windows ignores the key.
void LeaveWindowsUnmanagedUnderWine() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    const std::string keyPath = "Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
        RegCloseKey(key);
    }
}

// Wine's desktop process, which also answers the program manager's DDE, closes itself once
// the desktop has no users but its own threads. A program that was running before the desktop
// started (this one, when it is the first to open a window in a new prefix) does not count,
// so the desktop would close as soon as the last program started from it ended (the folder
// windows that ShowGroup opens, the final programs), taking the DDE server with it. A helper
// started after the desktop exists counts, and keeps it open until this program ends.
void KeepTheDesktopOpen() {
    GetDesktopWindow();
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION keeper{};
    std::string command = "\"" + ProgramDirectory() + "completion_probe.exe\" --keep " +
                          std::to_string(GetCurrentProcessId());
    if (CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &keeper)) {
        CloseHandle(keeper.hThread);
        CloseHandle(keeper.hProcess);
    }
}

} // namespace

int main(int argc, char** argv) {
    LeaveWindowsUnmanagedUnderWine();
    KeepTheDesktopOpen();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

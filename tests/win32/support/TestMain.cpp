#include "TestRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Under Wine on a display without a window manager, hiding a framed window waits two seconds
// for a window manager to confirm it, and the tests hide many. An application default for this
// program alone has Wine's X11 driver leave its windows unmanaged; the driver reads it when the
// first window is made, so it is set before that. Windows ignores the key.
void LeaveWindowsUnmanagedUnderWine() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    const std::string keyPath = "Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver";
    if (const UniqueRegKey key = CreateTestKey(HKEY_CURRENT_USER, keyPath, KEY_SET_VALUE)) {
        RegSetValueExA(key.get(), "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    }
}

} // namespace

// The one main of the Win32 tests. A program that needs more before its tests (a process, a
// key) adds a GoogleTest environment.
int main(int argc, char** argv) {
    LeaveWindowsUnmanagedUnderWine();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

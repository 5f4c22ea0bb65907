#include "script/LoadSetupScript.h"
#include "script/SetupError.h"

#include <windows.h>

#include <string>

namespace {

// The script beside the program: its own path with the extension replaced by "INF".
std::string OwnScriptPath() {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    std::string path = own;
    const std::size_t slash = path.find_last_of('\\');
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        path.resize(dot);
    }
    return path + ".INF";
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    try {
        const SetupScript script = LoadSetupScript(OwnScriptPath().c_str());
        MessageBoxA(nullptr, script.welcomeText.CStr(), script.productName.CStr(), MB_OK);
    } catch (const SetupError&) {
        MessageBoxA(nullptr, "Unable to read setup.inf", "Setup", MB_OK);
    }
    return 0;
}

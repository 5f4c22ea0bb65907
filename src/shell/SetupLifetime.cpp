#include "shell/SetupLifetime.h"

#include "shell/SetupState.h"

SetupLifetime::SetupLifetime() {
    // The instance and the main window exist before the lifetime starts; keep them.
    const HINSTANCE instance = g_setup.instance;
    const HWND mainWindow = g_setup.mainWindow;
    g_setup = SetupState{};
    g_setup.instance = instance;
    g_setup.mainWindow = mainWindow;
}

SetupLifetime::~SetupLifetime() {
    g_setup.installLog.Close();
    g_setup.script = SetupScript{};
    g_setup.scriptLoaded = false;
}

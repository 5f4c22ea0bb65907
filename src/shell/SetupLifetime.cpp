#include "shell/SetupLifetime.h"

#include "common/ResetInPlace.h"
#include "shell/SetupState.h"

SetupLifetime::SetupLifetime() {
    // The instance and the main window exist before the lifetime starts; keep them.
    const HINSTANCE instance = g_setup.instance;
    const HWND mainWindow = g_setup.mainWindow;
    ResetInPlace(g_setup);
    g_setup.instance = instance;
    g_setup.mainWindow = mainWindow;
}

SetupLifetime::~SetupLifetime() {
    g_setup.installLog.Close();
    ResetInPlace(g_setup.script);
    g_setup.scriptLoaded = false;
}

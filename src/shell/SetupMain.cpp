#include "engine/FileOperations.h"
#include "shell/FlowController.h"
#include "shell/MainWindow.h"
#include "shell/SetupLifetime.h"
#include "shell/SetupState.h"
#include "shell/UnattendedRun.h"
#include "ui/GuardedProcedures.h"
#include "ui/MessageBoxes.h"
#include "ui/SetupMessages.h"

#include <windows.h>

namespace {

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Only the one current page gets dialog keyboard handling (Tab, Enter, Esc).
        if (g_setup.currentPage && IsDialogMessageA(g_setup.currentPage, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR arguments, int) {
    const SetupCommandLine commandLine = ParseSetupCommandLine(arguments ? arguments : "");
    if (commandLine.mode == SetupMode::Silent || !commandLine.error.empty()) {
        return RunSilent(instance, commandLine);
    }
    g_setup.instance = instance;
    // What a window or dialog procedure lets out ends the run through the failure report.
    SetFailureReport(ReportSetupError);
    if (!previousInstance && !RegisterMainWindowClass(instance)) {
        return 0;
    }
    g_setup.mainWindow = CreateMainWindow(instance);
    if (!g_setup.mainWindow) {
        return 0;
    }
    SetupLifetime lifetime;
    g_setup.recordPath = commandLine.recordPath;
    SetFileInUsePrompt([](const char* path) {
        return FileInUsePrompt(g_setup.mainWindow, g_setup.LoadedScript(), path);
    });
    PostFlowMessage(WM_SETUP_START);
    return RunMessageLoop();
}

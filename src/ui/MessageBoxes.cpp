#include "ui/MessageBoxes.h"

#include "resources/ResourceIds.h"
#include "shell/SetupState.h"
#include "ui/ResourceText.h"

void RestoreMainWindow() {
    if (g_setup.mainWindow && IsIconic(g_setup.mainWindow)) {
        ShowWindow(g_setup.mainWindow, SW_RESTORE);
    }
}

int ResourceMessageBox(HWND owner, UINT textId, UINT captionId, UINT style) {
    RestoreMainWindow();
    const std::string caption = LoadResourceText(captionId, 256);
    return ResourceTextMessageBox(owner, textId, caption.c_str(), style);
}

int ResourceTextMessageBox(HWND owner, UINT textId, const char* caption, UINT style) {
    RestoreMainWindow();
    const std::string text = LoadResourceText(textId, 768);
    return MessageBoxA(owner, text.c_str(), caption, style);
}

int ConfirmCancel(HWND owner) {
    RestoreMainWindow();
    constexpr UINT kStyle = MB_YESNO | MB_ICONQUESTION;
    if (!g_setup.scriptLoaded) {
        return ResourceMessageBox(owner, IDS_SCRIPT_UNREADABLE, IDS_SETUP_CAPTION, kStyle);
    }
    return MessageBoxA(owner, g_setup.script.cancelText.CStr(), g_setup.script.cancelCaption.CStr(),
                       kStyle);
}

int FileInUsePrompt(const char* path) {
    RestoreMainWindow();
    const std::string text = FormatResourceText(IDS_FILE_IN_USE, 256, path);
    const int answer = MessageBoxA(g_setup.mainWindow, text.c_str(),
                                   g_setup.script.productName.CStr(), MB_ABORTRETRYIGNORE);
    if (answer == IDABORT && ConfirmCancel(g_setup.mainWindow) == IDNO) {
        return IDRETRY;
    }
    return answer;
}

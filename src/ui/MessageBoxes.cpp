#include "ui/MessageBoxes.h"

#include "resources/ResourceIds.h"
#include "resources/ResourceText.h"

int ConfirmCancel(HWND owner, const SetupScript* script) {
    RestoreMainWindow(owner);
    constexpr UINT kStyle = MB_YESNO | MB_ICONQUESTION;
    if (!script) {
        return ResourceMessageBox(owner, IDS_SCRIPT_UNREADABLE, IDS_SETUP_CAPTION, kStyle);
    }
    return SetupMessageBox(owner, script->cancelText.CStr(), script->cancelCaption.CStr(), kStyle);
}

int FileInUsePrompt(HWND owner, const SetupScript* script, const char* path) {
    RestoreMainWindow(owner);
    const std::string text = FormatResourceText(IDS_FILE_IN_USE, 256, path);
    const int answer = SetupMessageBox(
        owner, text.c_str(), script ? script->productName.CStr() : "", MB_ABORTRETRYIGNORE);
    if (answer == IDABORT && ConfirmCancel(owner, script) == IDNO) {
        return IDRETRY;
    }
    return answer;
}

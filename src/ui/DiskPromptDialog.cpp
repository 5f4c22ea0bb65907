#include "ui/DiskPromptDialog.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "shell/SetupState.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalDialog.h"
#include "ui/WindowPlacement.h"

#include <string>

namespace {

struct DiskPromptState : ModalDialogState {
    const char* diskLabel = nullptr;
};

// The source directory as the user reads it: without its trailing backslash, so that a drive
// root shows as "A:".
std::string ShownSourceDirectory() {
    std::string shown = g_setup.sourceDirectory.Str();
    if (!shown.empty() && shown.back() == '\\') {
        shown.pop_back();
    }
    return shown;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    const DiskPromptState& state = AttachDialogState<DiskPromptState>(dialog, parameter);
    SetWindowTextA(dialog, g_setup.script.diskPromptTitle.CStr());
    CentreOverParent(dialog, CentreVariant::Popup);
    SetDlgItemTextA(dialog, IDC_DISK_PROMPT_TEXT, g_setup.script.diskPromptText.CStr());
    SetDlgItemTextA(dialog, IDC_SOURCE_DIRECTORY, ShownSourceDirectory().c_str());
    SetDlgItemTextA(dialog, IDC_DISK_LABEL, state.diskLabel);
    return TRUE;
}

void OnOk(HWND dialog) {
    char typed[256] = {};
    GetDlgItemTextA(dialog, IDC_SOURCE_DIRECTORY, typed, sizeof typed);
    // Validated into a buffer of its own: a rejected path leaves sourceDirectory as it was.
    std::string fullPath;
    if (!ValidatePath(fullPath, typed)) {
        ResourceMessageBox(dialog, IDS_INVALID_PATH, IDS_SETUP_CAPTION, MB_OK);
        return;
    }
    g_setup.sourceDirectory.Assign(fullPath);
    EndDialog(dialog, IDOK);
}

void OnCancel(HWND dialog) {
    if (ConfirmCancel(dialog, g_setup.LoadedScript()) == IDYES) {
        EndDialog(dialog, IDCANCEL);
    }
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            OnCancel(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR DiskPromptDialog(const char* diskLabel) {
    RestoreMainWindow(g_setup.mainWindow);
    DiskPromptState state;
    state.diskLabel = diskLabel ? diskLabel : "";
    return RunModalDialog(IDD_DISK_PROMPT, g_setup.mainWindow, GuardedDialogProc<HandleMessage>,
                          state);
}

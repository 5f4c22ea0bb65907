#include "ui/DiskPromptDialog.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalDialog.h"
#include "ui/WindowPlacement.h"

#include <string>

namespace {

struct DiskPromptState : ModalDialogState {
    const SetupScript* script = nullptr;
    const char* diskLabel = nullptr;
    FixedText* sourceDirectory = nullptr;
};

// The source directory as the user reads it: without its trailing backslash, so that a drive
// root shows as "A:".
std::string ShownSourceDirectory(const FixedText& sourceDirectory) {
    std::string shown = sourceDirectory.Str();
    if (!shown.empty() && shown.back() == '\\') {
        shown.pop_back();
    }
    return shown;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    const DiskPromptState& state = AttachDialogState<DiskPromptState>(dialog, parameter);
    SetWindowTextA(dialog, state.script ? state.script->diskPromptTitle.CStr() : "");
    CentreOverParent(dialog, CentreVariant::Popup);
    SetDlgItemTextA(dialog, IDC_DISK_PROMPT_TEXT,
                    state.script ? state.script->diskPromptText.CStr() : "");
    SetDlgItemTextA(dialog, IDC_SOURCE_DIRECTORY,
                    ShownSourceDirectory(*state.sourceDirectory).c_str());
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
    DialogState<DiskPromptState>(dialog)->sourceDirectory->Assign(fullPath);
    EndDialog(dialog, IDOK);
}

void OnCancel(HWND dialog) {
    if (ConfirmCancel(dialog, DialogState<DiskPromptState>(dialog)->script) == IDYES) {
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

Failure DiskPromptDialog(HWND owner, const SetupScript* script, const char* diskLabel,
                         FixedText& sourceDirectory, INT_PTR& result) {
    RestoreMainWindow(owner);
    DiskPromptState state;
    state.script = script;
    state.diskLabel = diskLabel ? diskLabel : "";
    state.sourceDirectory = &sourceDirectory;
    return RunModalDialog(IDD_DISK_PROMPT, owner, GuardedDialogProc<HandleMessage>, state, result);
}

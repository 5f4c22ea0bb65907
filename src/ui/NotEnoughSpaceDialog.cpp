#include "ui/NotEnoughSpaceDialog.h"

#include "resources/ResourceIds.h"
#include "shell/SetupState.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalDialog.h"
#include "ui/WindowPlacement.h"

namespace {

struct NotEnoughSpaceState : ModalDialogState {
    const char* message = nullptr;
};

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    const NotEnoughSpaceState& state = AttachDialogState<NotEnoughSpaceState>(dialog, parameter);
    SetWindowTextA(dialog, g_setup.script.productName.CStr());
    SetDlgItemTextA(dialog, IDC_SPACE_MESSAGE, state.message);
    CentreOverParent(dialog, CentreVariant::Popup);
    return TRUE;
}

void OnExit(HWND dialog) {
    if (ConfirmCancel(dialog, g_setup.LoadedScript()) == IDYES) {
        EndDialog(dialog, IDABORT);
    }
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CONTINUE:
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDC_SPACE_BACK:
            EndDialog(dialog, IDC_SPACE_BACK);
            return TRUE;
        case IDC_EXIT:
            OnExit(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

INT_PTR NotEnoughSpaceDialog(const char* message) {
    RestoreMainWindow(g_setup.mainWindow);
    NotEnoughSpaceState state;
    state.message = message ? message : "";
    return RunModalDialog(IDD_NOT_ENOUGH_SPACE, g_setup.mainWindow,
                          GuardedDialogProc<HandleMessage>, state);
}

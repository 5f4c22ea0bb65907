#include "ui/NotEnoughSpaceDialog.h"

#include "resources/ResourceIds.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalDialog.h"
#include "ui/WindowPlacement.h"

namespace {

struct NotEnoughSpaceState : ModalDialogState {
    const SetupScript* script = nullptr;
    const char* message = nullptr;
};

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    const NotEnoughSpaceState& state = AttachDialogState<NotEnoughSpaceState>(dialog, parameter);
    SetWindowTextA(dialog, state.script ? state.script->productName.CStr() : "");
    SetDlgItemTextA(dialog, IDC_SPACE_MESSAGE, state.message);
    CentreOverParent(dialog, CentreVariant::Popup);
    return TRUE;
}

void OnExit(HWND dialog) {
    if (ConfirmCancel(dialog, DialogState<NotEnoughSpaceState>(dialog)->script) == IDYES) {
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

Failure NotEnoughSpaceDialog(HWND owner, const SetupScript* script, const char* message,
                             INT_PTR& result) {
    RestoreMainWindow(owner);
    NotEnoughSpaceState state;
    state.script = script;
    state.message = message ? message : "";
    return RunModalDialog(IDD_NOT_ENOUGH_SPACE, owner, GuardedDialogProc<HandleMessage>, state,
                          result);
}

#include "ui/ModalDialog.h"

Failure RunModalDialog(UINT templateId, HWND owner, DLGPROC procedure, ModalDialogState& state,
                       INT_PTR& result) {
    state.failure.reset();
    SetLastError(ERROR_SUCCESS);
    result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner,
                             procedure, reinterpret_cast<LPARAM>(&state));
    if (state.failure) {
        return state.failure;
    }
    if (result == -1) {
        const DWORD error = GetLastError();
        return SetupError(error != ERROR_SUCCESS ? error : ERROR_RESOURCE_NAME_NOT_FOUND,
                          "dialog cannot be created");
    }
    return std::nullopt;
}

void FailModalDialog(HWND dialog, SetupError failure) noexcept {
    if (auto* state = DialogState<ModalDialogState>(dialog)) {
        state->failure = std::move(failure);
    }
    EndDialog(dialog, -1);
}

#include "ui/ModalDialog.h"

#include "script/SetupError.h"

INT_PTR RunModalDialog(UINT templateId, HWND owner, DLGPROC procedure, ModalDialogState& state) {
    state.failure = nullptr;
    SetLastError(ERROR_SUCCESS);
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId),
                                           owner, procedure, reinterpret_cast<LPARAM>(&state));
    if (state.failure) {
        std::rethrow_exception(state.failure);
    }
    if (result == -1) {
        const DWORD error = GetLastError();
        throw SetupError(error != ERROR_SUCCESS ? error : ERROR_RESOURCE_NAME_NOT_FOUND,
                         "dialog cannot be created");
    }
    return result;
}

void FailModalDialog(HWND dialog) noexcept {
    if (auto* state = DialogState<ModalDialogState>(dialog)) {
        state->failure = std::current_exception();
    }
    EndDialog(dialog, -1);
}

#pragma once

#include "script/SetupError.h"

#include <windows.h>

// Modal dialogs of the setup carry a failure past user32: a dialog procedure whose step failed
// stores the failure in the dialog's state and ends the dialog (FailModalDialog), and
// RunModalDialog returns it once DialogBoxParamA has returned.

// The state that every modal dialog's parameter starts with.
struct ModalDialogState {
    Failure failure;
};

// Runs dialog template templateId modally over owner with &state as the WM_INITDIALOG
// parameter (the procedure may take it as its own state type derived from ModalDialogState).
// Sets result to the dialog's result; fails as the procedure's step failed, or with the system
// error code when the dialog cannot be created.
Failure RunModalDialog(UINT templateId, HWND owner, DLGPROC procedure, ModalDialogState& state,
                       INT_PTR& result);

// For WM_INITDIALOG: keeps the state pointer with the dialog and returns it.
template <typename State> State& AttachDialogState(HWND dialog, LPARAM parameter) {
    auto* base = reinterpret_cast<ModalDialogState*>(parameter);
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(base));
    return static_cast<State&>(*base);
}

// For every later message: the state that AttachDialogState kept, or null before it.
template <typename State> State* DialogState(HWND dialog) {
    auto* base = reinterpret_cast<ModalDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return static_cast<State*>(base);
}

// Stores failure in the dialog's state and ends the dialog.
void FailModalDialog(HWND dialog, SetupError failure) noexcept;

// The dialog procedure of a modal dialog whose messages Handle answers; a failed step ends the
// dialog through FailModalDialog.
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    return Handle(dialog, message, wParam, lParam);
}

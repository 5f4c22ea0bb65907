#pragma once

#include <windows.h>

#include <exception>

// Modal dialogs of the setup keep exceptions on their own side of user32: a dialog procedure
// that catches one stores it in the dialog's state and ends the dialog, and RunModalDialog
// throws it again once DialogBoxParamA has returned.

// The state that every modal dialog's parameter starts with.
struct ModalDialogState {
    std::exception_ptr failure;
};

// Runs dialog template templateId modally over owner with &state as the WM_INITDIALOG
// parameter (the procedure may take it as its own state type derived from ModalDialogState).
// Returns the dialog's result; rethrows what the procedure caught; throws SetupError with the
// system error code when the dialog cannot be created.
INT_PTR RunModalDialog(UINT templateId, HWND owner, DLGPROC procedure, ModalDialogState& state);

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

// Called in a dialog procedure's catch (...) block: stores the exception being handled and
// ends the dialog.
void FailModalDialog(HWND dialog) noexcept;

// The dialog procedure of a modal dialog whose messages Handle answers: an exception that
// Handle lets out ends the dialog and is rethrown by RunModalDialog.
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    try {
        return Handle(dialog, message, wParam, lParam);
    } catch (...) {
        FailModalDialog(dialog);
        return TRUE;
    }
}

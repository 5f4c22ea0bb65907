#pragma once

#include <windows.h>

#include <cstdint>

// No exception crosses user32. Every window and dialog procedure of the setup is one of these
// noexcept thunks around a handler: what the handler lets out is caught at the edge and handed
// to the failure report, which ends the run with the failure message. A SetupError gives its
// own code; any other exception gives kUnexpectedFailure. Modal dialogs have their own thunk,
// GuardedDialogProc (ui/ModalDialog.h), which carries the exception past DialogBoxParamA to
// the caller instead.

// The code reported for an exception that is not a SetupError: the system's "internal error".
inline constexpr std::uint32_t kUnexpectedFailure = 1359;

// The shell's report of a failure: shows it and ends the run.
using FailureReport = void (*)(std::uint32_t code);

// Sets the report the thunks call; returns the previous one. Without a report a caught
// exception ends the process with the failure message shown by itself.
FailureReport SetFailureReport(FailureReport report);

// Called inside a catch (...) block: reports the exception being handled. Never throws.
void ReportCaughtException() noexcept;

// Window procedures, MainWndProc and subclassed controls among them. A failed message returns
// 0.
template <LRESULT (*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK GuardedWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    try {
        return Handle(window, message, wParam, lParam);
    } catch (...) {
        ReportCaughtException();
        return 0;
    }
}

// Modeless page dialog procedures. A failed message counts as handled.
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return Handle(page, message, wParam, lParam);
    } catch (...) {
        ReportCaughtException();
        return TRUE;
    }
}

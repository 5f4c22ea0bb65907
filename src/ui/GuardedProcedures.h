#pragma once

#include <windows.h>

#include <cstdint>

// Every window and dialog procedure of the setup is one of these noexcept thunks around a
// handler. A handler whose step failed reports the failure (ReportFailure), which ends the run
// with the failure message, and returns. Modal dialogs have their own thunk, GuardedDialogProc
// (ui/ModalDialog.h), which carries the failure past DialogBoxParamA to the caller instead.

// The shell's report of a failure: shows it and ends the run.
using FailureReport = void (*)(std::uint32_t code);

// Sets the report that ReportFailure calls; returns the previous one.
FailureReport SetFailureReport(FailureReport report);

// Reports a failure with its code. Without a report the failure message is shown by itself
// and the process ends.
void ReportFailure(std::uint32_t code) noexcept;

// Window procedures, MainWndProc and subclassed controls among them.
template <LRESULT (*Handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK GuardedWindowProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    return Handle(window, message, wParam, lParam);
}

// Modeless page dialog procedures.
template <INT_PTR (*Handle)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK GuardedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return Handle(page, message, wParam, lParam);
}

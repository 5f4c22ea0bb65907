#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Looking at another process's windows the way a person sees them. Texts are read with
// WM_GETTEXT (marshalled across processes), with a time-out so that a hung program cannot hang
// the driver.

inline constexpr UINT kAnswerTimeoutMs = 3000;

// Top-level windows of the process, in z-order (topmost first), visible or not. Owned popups
// (modeless pages, message boxes, modal dialogs) are top-level windows too.
std::vector<HWND> ProcessWindows(DWORD processId);

// Visible top-level windows of every other process (for the record when something fails).
std::vector<HWND> OtherVisibleWindows(DWORD processId);

std::string WindowText(HWND window);
std::string WindowClass(HWND window);

// Descendants of a window in the order a dialog creates them, children before grandchildren.
std::vector<HWND> Descendants(HWND window);

// The check state of a check box or radio button; nothing for other controls.
std::optional<bool> CheckState(HWND control);

bool IsClass(HWND window, const char* className);
bool IsMessageBox(HWND window);

// The static control that holds a message box's text.
HWND MessageTextControl(HWND box);

// Entries of a list box or combo box, and the selected one (-1 when none).
std::vector<std::string> ListEntries(HWND control);
int ListSelection(HWND control);

// The control that has the keyboard focus in the thread that owns window, if any.
HWND FocusOf(HWND window);

// A multi-line description for the transcript: the window and, indented, each control with
// its id, class, text and state.
std::string DescribeWindow(HWND window, const char* indent = "    ");
std::string DescribeWindowBriefly(HWND window);

std::string Quoted(const std::string& text);

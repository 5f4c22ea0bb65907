#pragma once

#include "robot/Quoting.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace robot {

// Looking at another process's windows the way a person sees them. Control texts are read
// with WM_GETTEXT (marshalled across processes) under a time-out, so that a hung program
// cannot hang the driver; once the program has failed to answer, later questions wait only
// briefly until it answers again.

// The windows of the process that a person sees as windows, topmost first, visible or not:
// its top-level windows (the main window, modeless pages, message boxes and modal dialogs
// are all top-level, owned or not) and the dialogs with a title bar that live inside one of
// them as child windows (a progress dialog in the main window's corner).
std::vector<HWND> ProcessWindows(DWORD processId);

// Visible top-level windows of every other process (for the record when something fails).
std::vector<HWND> OtherVisibleWindows(DWORD processId);

// Visible and enabled, inside a top-level window that is enabled: what a person can act on.
bool IsUsable(HWND window);

// A top-level window's caption as its title bar shows it; a control's text.
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

// The entries of a list box or combo box. Owner-drawn lists without strings have entries but
// no texts (their item data is all there is); they are addressed by index.
struct ListContents {
    int count = 0;
    bool hasTexts = true;
    std::vector<std::string> texts;
    int selected = -1;
};
ListContents ReadList(HWND control);

// The control that has the keyboard focus in the thread that owns window, if any.
HWND FocusOf(HWND window);

// A multi-line description for the transcript: the window and, indented, each control with
// its id, class, text and state.
std::string DescribeWindow(HWND window, const char* indent = "    ");
std::string DescribeWindowBriefly(HWND window);

// The program's ANSI texts as UTF-16, for messages that carry text (see Ask in Windows.cpp).
std::wstring Widen(const std::string& narrow);

} // namespace robot

#pragma once

#include <windows.h>

inline constexpr char kMainWindowClass[] = "SC";

// Registers the class "SC"; false when registration fails.
[[nodiscard]] bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the maximised, untitled MainWindow and shows it; null on failure. An unattended run
// has it as a message-only window, which needs no display: it only owns what the run creates.
HWND CreateMainWindow(HINSTANCE instance, bool shown = true);

// Makes a newly created page the current page: centres it, shows it, and hides and destroys
// the page it replaces.
void ShowPage(HWND page);

// Creates a page from its template, owned by MainWindow, with a PageContext over the state as
// its creation parameter, and shows it with ShowPage.
void CreateAndShowPage(int templateId, DLGPROC procedure);

// Destroys the current page, if any.
void DestroyCurrentPage();

// Posts a flow message to MainWindow.
void PostFlowMessage(UINT message, WPARAM wParam = 0);

// MainWindow's window procedure.
extern const WNDPROC MainWndProc;

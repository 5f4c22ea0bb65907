#pragma once

#include <windows.h>

// What every wizard page shares.

// The cancel protocol: the one cancel question, owned by the page; on Yes the run ends
// without installing, on No the page stays as it is.
void OnPageCancel(HWND page);

// Lets control 1050 of the page paint the side picture.
void InstallSideBitmapProc(HWND page);

// The text of a page control, at most 255 characters.
void GetControlText(HWND page, int id, char (&text)[256]);

#pragma once

#include "ui/PageContext.h"

#include <windows.h>

// What every wizard page shares.

// Reports the user's answer on the page to the page's host.
void ReportAnswer(HWND page, WizardPage which, PageAnswer answer);

// The cancel protocol: the one cancel question, owned by the page; on Yes the page reports
// Cancel, on No the page stays as it is.
void OnPageCancel(HWND page, WizardPage which);

// Lets control 1050 of the page paint the context's side picture.
void InstallSideBitmapProc(HWND page);

// The text of a page control, at most 255 characters.
void GetControlText(HWND page, int id, char (&text)[256]);

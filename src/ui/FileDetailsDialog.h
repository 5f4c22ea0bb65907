#pragma once

#include "ui/FileExistsDialog.h"

#include <windows.h>

// The sizes and dates of both files, modal over owner at its template's own position. Only
// its OK button closes it; returns 1.
INT_PTR FileDetailsDialog(HWND owner, const FileExistsRecord& record);

#pragma once

#include "ui/FileExistsDialog.h"

#include <windows.h>

// The sizes and dates of both files, modal over owner at its template's own position. Only
// its OK button closes it; result 1. Fails as RunModalDialog does.
Failure FileDetailsDialog(HWND owner, const FileExistsRecord& record, INT_PTR& result);

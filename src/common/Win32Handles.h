#pragma once

#include "common/UniqueHandle.h"

#include <windows.h>

#include <ddeml.h>
#include <lzexpand.h>

// One owner type per kind of platform handle, each over the one template.

// Files opened with CreateFileA (INVALID_HANDLE_VALUE when empty).
using UniqueFile = UniqueHandle<HANDLE, &CloseHandle, AllBitsSetIsInvalid>;
// Processes, threads and other kernel objects that are null when empty.
using UniqueKernelObject = UniqueHandle<HANDLE, &CloseHandle>;
// FindFirstFileA searches.
using UniqueFind = UniqueHandle<HANDLE, &FindClose, AllBitsSetIsInvalid>;
// Registry keys that this program opened or created (never a predefined root).
using UniqueRegKey = UniqueHandle<HKEY, &RegCloseKey>;
// GDI objects: pens, brushes, fonts, bitmaps, palettes, regions.
template <typename Object> using UniqueGdi = UniqueHandle<Object, &DeleteObject>;
using UniqueGdiObject = UniqueGdi<HGDIOBJ>;
// Memory device contexts from CreateCompatibleDC (window DCs are released, not deleted).
using UniqueMemoryDC = UniqueHandle<HDC, &DeleteDC>;
// Libraries loaded with LoadLibraryA.
using UniqueModule = UniqueHandle<HMODULE, &FreeLibrary>;
// Movable global memory blocks.
using UniqueGlobal = UniqueHandle<HGLOBAL, &GlobalFree>;
// LZ file handles from LZInit / LZOpenFileA (negative values are LZ error codes).
using UniqueLzFile = UniqueHandle<INT, &LZClose, NegativeIsInvalid>;
// The DDE instance and one conversation.
using UniqueDdeInstance = UniqueHandle<DWORD, &DdeUninitialize>;
using UniqueDdeConversation = UniqueHandle<HCONV, &DdeDisconnect>;
// Windows this program created and destroys itself.
using UniqueWindow = UniqueHandle<HWND, &DestroyWindow>;

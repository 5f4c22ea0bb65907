#pragma once

#include "common/Win32Handles.h"

#include "script/SetupError.h"

#include <windows.h>

#include <cstdint>

// A picture read from a .bmp file (or a headerless DIB) with its palette. It is converted
// once, when loaded, into a device bitmap; painting only copies or stretches that bitmap.
// Empty (all handles null) until loaded; every handle is owned here.
struct BitmapImage {
    UniqueGdi<HBITMAP> deviceBitmap;
    std::int32_t width = 0;
    std::int32_t height = 0; // rows, also for a picture stored top-down
    UniqueGdi<HPALETTE> palette;
    UniqueGlobal headerBlock; // info header and colour table, as read
    UniqueGlobal dibBlock;    // info header, colour table and pixel bits, read a second time
};

// The whole picture at path into a movable block: info header, colour table and pixel bits.
// Null when the file is not a picture that can be shown (see ReadDib in ui/DibReader.h).
// Fails as OpenFileExclusive does when the file cannot be opened.
Failure ReadDib(const char* path, UniqueGlobal& block);

// The logical palette of a header block (see DibPaletteColours); null when the picture gets
// none.
[[nodiscard]] UniqueGdi<HPALETTE> CreateDibPalette(HGLOBAL headerBlock);

// A device bitmap compatible with the screen, made from a whole-picture block with palette
// realised on the screen's context; null on failure.
[[nodiscard]] UniqueGdi<HBITMAP> CreateBitmapFromDib(HGLOBAL dibBlock, HPALETTE palette);

// Loads the picture at path into image: size, palette, both blocks and the device bitmap.
// The device bitmap stays null when it cannot be shown: not a picture, a kind without palette
// (16- and 32-bit pictures without colour table), or no device bitmap could be made. A load
// that stops leaves what it had already set; FreeBitmapImage releases it. Fails as
// OpenFileExclusive does when the file cannot be opened (after the file-in-use question for a
// locked one).
Failure LoadBitmapFile(BitmapImage& image, const char* path);

// Deletes the palette and the device bitmap and frees both blocks.
void FreeBitmapImage(BitmapImage& image);

// The WM_PAINT handler of picture windows: stretches the image's device bitmap over the whole
// client area. False, with nothing painted and the window still to be validated by the
// caller, when there is no image or it has no device bitmap.
[[nodiscard]] bool PaintBitmapStretched(const BitmapImage* image, HWND window);

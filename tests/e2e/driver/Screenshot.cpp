#include "Screenshot.h"

#include "Handles.h"

#include <cstdio>

bool SaveScreenRect(const RECT& wanted, const std::string& path) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT rect;
    if (!IntersectRect(&rect, &wanted, &screen)) {
        return false;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;

    UniqueScreenDc screenDc(GetDC(nullptr));
    if (!screenDc) {
        return false;
    }
    UniqueMemoryDC memoryDc(CreateCompatibleDC(screenDc.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as .bmp files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueGdiObject bitmap(
        CreateDIBSection(screenDc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memoryDc || !bitmap || !bits) {
        return false;
    }
    const HGDIOBJ old = SelectObject(memoryDc.get(), bitmap.get());
    const bool copied = BitBlt(memoryDc.get(), 0, 0, width, height, screenDc.get(), rect.left,
                               rect.top, SRCCOPY | CAPTUREBLT);
    SelectObject(memoryDc.get(), old);
    GdiFlush();
    if (!copied) {
        return false;
    }

    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42; // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    UniqueStdioFile file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(&header, sizeof header, 1, file.get()) == 1 &&
                         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file.get()) == 1 &&
                         std::fwrite(bits, imageSize, 1, file.get()) == 1;
    return std::fclose(file.release()) == 0 && written;
}

bool SaveScreen(const std::string& path) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return SaveScreenRect(screen, path);
}

bool SaveWindow(HWND window, const std::string& path) {
    RECT rect;
    return GetWindowRect(window, &rect) && SaveScreenRect(rect, path);
}

#pragma once

#include "common/Win32Handles.h"

#include <cstdio>
#include <memory>
#include <type_traits>

// The driver holds platform handles through the product's owners (common/Win32Handles.h); what
// the product has no owner for is here.

// A screen DC from GetDC(NULL), released with ReleaseDC.
struct ScreenDcRelease {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using UniqueScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcRelease>;

// A C stream from std::fopen.
struct StdioFileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueStdioFile = std::unique_ptr<std::FILE, StdioFileClose>;

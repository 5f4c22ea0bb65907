#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>
#include <type_traits>

// One owner per handle: a unique_ptr over the handle's pointee with the matching release call.
template <auto Release> struct HandleDeleter {
    template <typename T> void operator()(T handle) const { Release(handle); }
};

template <typename Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Release>>;

using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, DeleteObject>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDC>;
using UniqueRegistryKey = UniqueHandle<HKEY, RegCloseKey>;

// A screen DC from GetDC(NULL), released with ReleaseDC.
struct ScreenDcRelease {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using UniqueScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, ScreenDcRelease>;

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileClose>;

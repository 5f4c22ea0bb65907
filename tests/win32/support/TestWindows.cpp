#include "TestWindows.h"

#include <windows.h>

const char* PlainTestWindowClass() {
    static constexpr const char* kClass = "SetupkitTestWindow";
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return RegisterClassA(&windowClass) != 0;
    }();
    static_cast<void>(registered);
    return kClass;
}

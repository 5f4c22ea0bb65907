#include "uninstall/RemovalProgress.h"

#include <commctrl.h>

namespace {

constexpr const char* kClassName = "KxunRemovalProgress";
constexpr int kWidth = 440;
constexpr int kHeight = 130;

LRESULT CALLBACK ProgressProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterProgressClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProgressProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_WAIT);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass); // fails harmlessly when registered already
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

RemovalProgress::RemovalProgress(HINSTANCE instance, const std::string& caption,
                                 std::size_t steps) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    RegisterProgressClass(instance);
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    window_.reset(CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, caption.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, x, y, kWidth, kHeight,
                                  nullptr, nullptr, instance, nullptr));
    if (!window_) {
        return;
    }
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    text_ = CreateWindowExA(
        0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS, 16, 14,
        kWidth - 40, 20, window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextId)),
        instance, nullptr);
    SendMessageA(text_, WM_SETFONT, font, FALSE);
    bar_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 16, 44, kWidth - 40, 20,
                           window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBarId)),
                           instance, nullptr);
    SendMessageA(bar_, PBM_SETRANGE32, 0, static_cast<LPARAM>(steps == 0 ? 1 : steps));
    ShowWindow(window_.get(), SW_SHOW);
    UpdateWindow(window_.get());
    PumpMessages();
}

void RemovalProgress::Show(const std::string& text, std::size_t done) {
    if (!window_) {
        return;
    }
    SetWindowTextA(text_, text.c_str());
    SendMessageA(bar_, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    PumpMessages();
}

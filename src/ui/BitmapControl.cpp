#include "ui/BitmapControl.h"

#include "ui/GuardedProcedures.h"
#include "ui/PictureGeometry.h"

namespace {

constexpr char kDynaBitmapClass[] = "DynaBitmap";

// The static class's procedure, which gets every message the control leaves alone, and the
// offset of the control pointer: right behind the static class's own extra bytes.
WNDPROC g_staticProc = nullptr;
int g_controlOffset = 0;
bool g_registered = false;

BitmapControl* ControlOf(HWND window) {
    return reinterpret_cast<BitmapControl*>(GetWindowLongPtrA(window, g_controlOffset));
}

LRESULT PassToStatic(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return g_staticProc ? CallWindowProcA(g_staticProc, window, message, wParam, lParam) : 0;
}

void OnNcDestroy(HWND window, BitmapControl* control) {
    SetWindowLongPtrA(window, g_controlOffset, 0);
    control->window = nullptr;
    if (control->ownedByWindow) {
        if (control->image) {
            FreeBitmapImage(*control->image);
        }
        delete control;
    }
}

LRESULT DynaBitmapMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<BitmapControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (!control) {
            return FALSE;
        }
        SetWindowLongPtrA(window, g_controlOffset, reinterpret_cast<LONG_PTR>(control));
        control->window = window;
        return PassToStatic(window, message, wParam, lParam);
    }
    BitmapControl* control = ControlOf(window);
    if (!control) {
        return PassToStatic(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_PAINT:
        // An empty picture leaves the painting, and the validation, to the static class.
        if (PaintBitmapStretched(control->image.get(), window)) {
            return 0;
        }
        break;
    case WM_NCDESTROY: {
        const LRESULT result = PassToStatic(window, message, wParam, lParam);
        OnNcDestroy(window, control);
        return result;
    }
    default:
        break;
    }
    return PassToStatic(window, message, wParam, lParam);
}

bool RegisterDynaBitmap() {
    if (g_registered) {
        return true;
    }
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(nullptr, "STATIC", &windowClass)) {
        return false;
    }
    g_staticProc = windowClass.lpfnWndProc;
    g_controlOffset = windowClass.cbWndExtra;
    windowClass.style &= ~CS_GLOBALCLASS;
    windowClass.lpfnWndProc = GuardedWindowProc<DynaBitmapMessage>;
    windowClass.cbWndExtra += sizeof(BitmapControl*);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kDynaBitmapClass;
    g_registered = RegisterClassA(&windowClass) != 0;
    return g_registered;
}

} // namespace

BitmapControl* CreateBitmapControl(HWND parent) {
    if (!RegisterDynaBitmap()) {
        return nullptr;
    }
    auto control = std::make_unique<BitmapControl>();
    control->parent = parent;
    control->image = std::make_unique<BitmapImage>();
    // Until creation has succeeded the control stays ours: a creation that fails after
    // WM_NCCREATE still sends WM_NCDESTROY, which must not free it.
    HWND window =
        CreateWindowExA(0, kDynaBitmapClass, "", WS_CHILD | WS_CLIPSIBLINGS | WS_DLGFRAME, 10, 10,
                        10, 10, parent, nullptr, GetModuleHandleA(nullptr), control.get());
    if (!window) {
        return nullptr;
    }
    control->window = window;
    control->ownedByWindow = true;
    return control.release();
}

Failure LoadBitmapIntoControl(BitmapControl& control, const char* path) {
    // The old picture goes first, so that nothing paints it while the new one is read (the
    // file-in-use question may be shown meanwhile).
    control.image = std::make_unique<BitmapImage>();
    auto loaded = std::make_unique<BitmapImage>();
    if (Failure failure = LoadBitmapFile(*loaded, path)) {
        return failure;
    }
    if (!loaded->deviceBitmap) {
        return std::nullopt;
    }
    control.image = std::move(loaded);
    MoveWindow(control.window, 0, 0, control.image->width, control.image->height, FALSE);
    return std::nullopt;
}

void CentreBitmapControl(const BitmapControl& control) {
    RECT client{};
    GetClientRect(control.parent, &client);
    const int width = control.image ? control.image->width : 0;
    const int height = control.image ? control.image->height : 0;
    const PicturePosition position =
        CentredPicturePosition(client.right, client.bottom, width, height);
    SetWindowPos(control.window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    InvalidateRect(control.window, nullptr, TRUE);
    UpdateWindow(control.window);
    UpdateWindow(control.parent);
}

Failure ShowBillboard(BitmapControl* control, const char* path) {
    if (!control) {
        return std::nullopt;
    }
    // A picture that did not load leaves the control empty.
    if (Failure failure = LoadBitmapIntoControl(*control, path)) {
        ShowWindow(control->window, SW_HIDE);
        return failure;
    }
    CentreBitmapControl(*control);
    ShowWindow(control->window, SW_SHOW);
    return std::nullopt;
}

void HideBillboard(BitmapControl* control) {
    if (control && control->window) {
        ShowWindow(control->window, SW_HIDE);
    }
}

#include "ui/WindowPlacement.h"

namespace {

WindowExtent ExtentOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

void CentreOverParent(HWND window, CentreVariant variant) {
    const bool child = (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0;
    HWND owner = child ? GetParent(window) : GetWindow(window, GW_OWNER);
    if (!owner) {
        return;
    }
    RECT ownerRect{};
    RECT windowRect{};
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(window, &windowRect);
    POINT clientOrigin{0, 0};
    ClientToScreen(owner, &clientOrigin);

    const WindowExtent screen{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const WindowPosition position =
        CentredPosition(variant, ExtentOf(ownerRect), ExtentOf(windowRect), screen,
                        {static_cast<int>(clientOrigin.x), static_cast<int>(clientOrigin.y)});
    SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

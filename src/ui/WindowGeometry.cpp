#include "ui/WindowGeometry.h"

namespace {

int ClampToScreen(int position, int size, int screenSize) {
    if (position < 0) {
        return 0;
    }
    if (position + size > screenSize) {
        return screenSize - size;
    }
    return position;
}

} // namespace

WindowPosition CentredPosition(CentreVariant variant, WindowExtent owner, WindowExtent window,
                               WindowExtent screen, WindowPosition ownerClientOrigin) {
    // Each half truncates on its own: W / 2 - w / 2, not (W - w) / 2.
    WindowPosition position{owner.width / 2 - window.width / 2,
                            owner.height / 2 - window.height / 2};
    position.x = ClampToScreen(position.x, window.width, screen.width);
    position.y = ClampToScreen(position.y, window.height, screen.height);
    if (variant == CentreVariant::Popup) {
        position.x += ownerClientOrigin.x;
        position.y += ownerClientOrigin.y;
    }
    return position;
}

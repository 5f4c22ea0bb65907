#pragma once

// Where a page or a modal dialog goes when it is centred over its owner.

enum class CentreVariant {
    Page,  // the position is used as it is (the owner is the maximised main window)
    Popup, // the position is taken relative to the owner's client area
};

struct WindowExtent {
    int width = 0;
    int height = 0;
};

struct WindowPosition {
    int x = 0;
    int y = 0;
};

// The centred position of a window of size `window` over an owner whose window rectangle has
// size `owner`, kept on a screen of size `screen`: a position below 0 becomes 0, otherwise one
// that would end past the screen's edge is moved back so that the window ends at the edge
// (even if that makes it negative). The popup variant then adds ownerClientOrigin, the screen
// position of the owner's client area; the page variant ignores it.
WindowPosition CentredPosition(CentreVariant variant, WindowExtent owner, WindowExtent window,
                               WindowExtent screen, WindowPosition ownerClientOrigin);

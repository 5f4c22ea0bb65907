#pragma once

#include "common/Win32Handles.h"

#include <windows.h>

#include <cstddef>
#include <string>

// The window that shows how far the removal has come: a line naming what is being removed and
// a progress bar over the steps. It owns the uninstaller's boxes while it is shown; its close
// box does nothing, since a removal half done is worse than one finished.
class RemovalProgress {
public:
    RemovalProgress(HINSTANCE instance, const std::string& caption, std::size_t steps);

    // Shows text and the number of steps done, and lets the window repaint.
    void Show(const std::string& text, std::size_t done);

    [[nodiscard]] HWND Window() const { return window_.get(); }

    // Control ids, for tests.
    static constexpr int kTextId = 100;
    static constexpr int kBarId = 101;

private:
    UniqueWindow window_;
    HWND text_ = nullptr;
    HWND bar_ = nullptr;
};

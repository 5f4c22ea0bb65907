#pragma once

#include "ui/ProgressGeometry.h"

#include <windows.h>

#include <cstdint>

// The "File Copy Progress" window: a modeless child of MainWindow in its lower right corner,
// showing the file being copied, a percent bar of finished items and a Cancel button. It lives
// for one copy pass; the pass drives it through a ProgressRecord and keeps it alive by
// draining the message queue at every step.

// The lParam of WM_PROGRESS_FILES: the two paths the window shows, borrowed for the call.
struct ProgressFiles {
    const char* source = nullptr;
    const char* destination = nullptr;
};

// One copy pass's progress. Construction starts it (creates, shows and draws the window);
// destruction ends it (hides and destroys the window). One record exists at a time: the
// window's procedures reach it through a global while it lives.
class ProgressRecord {
public:
    ProgressRecord(HWND owner, std::uint32_t total);
    ~ProgressRecord();
    ProgressRecord(const ProgressRecord&) = delete;
    ProgressRecord& operator=(const ProgressRecord&) = delete;

    // One more item finished: repaints the bar when that changes its picture (never past the
    // total), then dispatches every queued message (so Cancel, painting and MainWindow's moves
    // run here).
    void Step();

    // Whether the user pressed Cancel; the pass looks after each item.
    [[nodiscard]] bool Cancelled() const { return cancelled_; }

    // The window; null when it could not be created (the pass then runs without it).
    [[nodiscard]] HWND Window() const { return window_; }

    // For the window's procedures.
    void SetCancelled() { cancelled_ = true; }
    ProgressCounts& Counts() { return counts_; }

private:
    bool cancelled_ = false;
    HWND window_ = nullptr;
    ProgressCounts counts_;
};

// Shows source and destination in the progress window, if there is one (window may be null).
void NotifyProgressFiles(HWND window, const char* source, const char* destination);

// Puts window into the lower right corner of its parent (or owner); a window with neither
// stays where it is. MainWindow calls it on every move and size during the pass.
void PlaceProgressDialog(HWND window);

#include "ui/ProgressGeometry.h"

#include <algorithm>

ProgressBarLayout LayoutProgressBar(ProgressCounts& counts, int width, int height, int textHeight) {
    if (counts.total == 0) {
        counts.total = 1;
        counts.done = 0;
    }
    const std::uint64_t done = std::min(counts.done, counts.total);
    const std::uint64_t total = counts.total;

    ProgressBarLayout layout;
    layout.percent = static_cast<std::uint32_t>(done * 100 / total);
    layout.label = std::to_string(layout.percent) + "%";
    // Unsigned: done is at most total, so the fill is at most the width.
    const std::uint64_t fill = done * static_cast<std::uint32_t>(std::max(width, 0)) / total;
    layout.fillWidth = static_cast<int>(fill);
    // Both halvings truncate toward zero, as integer division does; a font taller than the bar
    // gives a label above its top.
    layout.labelX = width / 2;
    layout.labelY = (height - textHeight) / 2;
    return layout;
}

bool StepRepaintsBar(const ProgressCounts& before, const ProgressCounts& after, int width) {
    if (after.done > after.total) {
        return false;
    }
    ProgressCounts was = before;
    ProgressCounts now = after;
    const ProgressBarLayout old = LayoutProgressBar(was, width, 0, 0);
    const ProgressBarLayout next = LayoutProgressBar(now, width, 0, 0);
    return old.percent != next.percent || old.fillWidth != next.fillWidth;
}

ScreenPoint ProgressCornerPosition(const ScreenRect& ownerWindow, const ScreenRect& window,
                                   int frameWidth, int frameHeight) {
    return {ownerWindow.right - (window.right - window.left) - 8 * frameWidth,
            ownerWindow.bottom - (window.bottom - window.top) - 8 * frameHeight};
}

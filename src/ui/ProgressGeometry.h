#pragma once

#include <cstdint>
#include <string>

// The progress window's geometry: its place in the corner of the main window, and its percent
// bar, how much of it is filled and where the label goes.

// The counts of one copy pass: items finished and items in the pass.
struct ProgressCounts {
    std::uint32_t done = 0;
    std::uint32_t total = 0;
};

struct ProgressBarLayout {
    std::uint32_t percent = 0; // 0 to 100
    std::string label;         // "42%"
    int fillWidth = 0;         // the done part is 0 .. fillWidth, the rest fillWidth .. width
    int labelX = 0;            // centre of the label (text aligned centred, top)
    int labelY = 0;            // top of the label
};

// The layout of a bar of width x height whose font is textHeight high. A total of 0 is first
// corrected to a total of 1 with nothing done, in counts itself, so that the bar shows 0%.
// A done count past the total (steps beyond it) is shown as the total: the label never passes
// 100% and the fill never passes the bar. Products are formed in 64 bits.
[[nodiscard]] ProgressBarLayout LayoutProgressBar(ProgressCounts& counts, int width, int height,
                                                  int textHeight);

// Whether a step from `before` to `after` (one more item done) repaints a bar of this width:
// only while the count stays within the total, and only when the picture changes, that is
// when the percentage or the filled width does. With thousands of small files most steps
// change neither, and a repaint would only cost time.
[[nodiscard]] bool StepRepaintsBar(const ProgressCounts& before, const ProgressCounts& after,
                                   int width);

// Rectangles and points in screen coordinates.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// Where the progress window goes: its lower right corner eight dialog frames in from the lower
// right corner of ownerWindow (the owner's window rectangle), so that it sits inside the
// owner's border whatever the owner's size.
[[nodiscard]] ScreenPoint ProgressCornerPosition(const ScreenRect& ownerWindow,
                                                 const ScreenRect& window, int frameWidth,
                                                 int frameHeight);

#include "ui/WindowGeometry.h"

#include <gtest/gtest.h>

namespace {

constexpr WindowExtent kScreen{1024, 768};
constexpr WindowPosition kNoOffset{0, 0};

WindowPosition Page(WindowExtent owner, WindowExtent window) {
    return CentredPosition(CentreVariant::Page, owner, window, kScreen, {50, 60});
}

WindowPosition Popup(WindowExtent owner, WindowExtent window, WindowPosition clientOrigin) {
    return CentredPosition(CentreVariant::Popup, owner, window, kScreen, clientOrigin);
}

void ExpectAt(WindowPosition actual, int x, int y) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
}

} // namespace

TEST(CentredPosition, PageIsCentredOverTheOwnerAndIgnoresTheClientOrigin) {
    ExpectAt(Page({1024, 768}, {400, 300}), 312, 234);
    ExpectAt(Page({1032, 776}, {400, 300}), 316, 238);
}

TEST(CentredPosition, EachHalfTruncatesSeparately) {
    // 100 / 2 - 51 / 2 = 50 - 25, where (100 - 51) / 2 would give 24.
    ExpectAt(Page({100, 100}, {51, 51}), 25, 25);
    ExpectAt(Page({101, 101}, {50, 50}), 25, 25);
    ExpectAt(Page({99, 99}, {51, 51}), 24, 24);
}

TEST(CentredPosition, PopupAddsTheOwnersClientOrigin) {
    ExpectAt(Popup({1024, 768}, {400, 300}, {4, 23}), 316, 257);
    ExpectAt(Popup({600, 400}, {200, 100}, {300, 200}), 500, 350);
    ExpectAt(Popup({600, 400}, {200, 100}, kNoOffset), 200, 150);
}

TEST(CentredPosition, WindowLargerThanItsOwnerStartsAtTheLeftAndTopEdges) {
    ExpectAt(Page({300, 200}, {500, 150}), 0, 25);
    ExpectAt(Page({300, 200}, {100, 400}), 100, 0);
    // The clamp works before the popup offset, so the offset still applies.
    ExpectAt(Popup({300, 200}, {500, 400}, {10, 20}), 10, 20);
}

TEST(CentredPosition, WindowEndingPastTheRightOrBottomEdgeEndsAtTheEdge) {
    // An owner larger than the screen centres the window beyond its right and bottom edges.
    ExpectAt(Page({2000, 768}, {400, 300}), 624, 234);
    ExpectAt(Page({1024, 1600}, {400, 300}), 312, 468);
    ExpectAt(Page({2000, 1600}, {400, 300}), 624, 468);
    // Exactly at the edge is not past it.
    ExpectAt(Page({1648, 1236}, {400, 300}), 624, 468);
}

TEST(CentredPosition, WindowLargerThanTheScreen) {
    // Centred position negative: clamped to 0, the window hangs over the right and bottom.
    ExpectAt(Page({1024, 768}, {1200, 900}), 0, 0);
    // Centred position positive but past the edge: moved back to end at the edge, so it
    // becomes negative.
    ExpectAt(Page({3000, 2000}, {1200, 900}), -176, -132);
}

#include "ui/ProgressGeometry.h"

#include <gtest/gtest.h>

TEST(ProgressBar, EmptyPartialAndFull) {
    ProgressCounts start{0, 4};
    ProgressBarLayout layout = LayoutProgressBar(start, 200, 20, 16);
    EXPECT_EQ(layout.percent, 0u);
    EXPECT_EQ(layout.label, "0%");
    EXPECT_EQ(layout.fillWidth, 0);

    ProgressCounts partial{1, 3};
    layout = LayoutProgressBar(partial, 200, 20, 16);
    EXPECT_EQ(layout.percent, 33u);
    EXPECT_EQ(layout.label, "33%");
    EXPECT_EQ(layout.fillWidth, 66); // 200 / 3 truncated

    ProgressCounts full{1, 1};
    layout = LayoutProgressBar(full, 200, 20, 16);
    EXPECT_EQ(layout.percent, 100u);
    EXPECT_EQ(layout.label, "100%");
    EXPECT_EQ(layout.fillWidth, 200);
}

TEST(ProgressBar, ZeroTotalIsCorrectedToNothingOfOne) {
    ProgressCounts counts{7, 0};
    const ProgressBarLayout layout = LayoutProgressBar(counts, 200, 20, 16);
    EXPECT_EQ(counts.total, 1u);
    EXPECT_EQ(counts.done, 0u);
    EXPECT_EQ(layout.label, "0%");
    EXPECT_EQ(layout.fillWidth, 0);
}

TEST(ProgressBar, StepsRepaintOnlyWhenThePictureChanges) {
    // 2000 items on a bar 300 wide: the fill moves every 6 or 7 items, the label every 20.
    int repaints = 0;
    for (std::uint32_t done = 0; done < 2000; ++done) {
        repaints += StepRepaintsBar({done, 2000}, {done + 1, 2000}, 300);
    }
    EXPECT_EQ(repaints, 300);
    // Few items: every step changes the label.
    EXPECT_TRUE(StepRepaintsBar({0, 3}, {1, 3}, 300));
    EXPECT_TRUE(StepRepaintsBar({2, 3}, {3, 3}, 300));
    // A narrow bar still shows each new percentage.
    EXPECT_TRUE(StepRepaintsBar({0, 100}, {1, 100}, 10));
    EXPECT_FALSE(StepRepaintsBar({0, 1000}, {1, 1000}, 10));
}

TEST(ProgressBar, StepsBeyondTheTotalNeitherRepaintNorPassTheEnd) {
    EXPECT_TRUE(StepRepaintsBar({1, 2}, {2, 2}, 150));
    EXPECT_FALSE(StepRepaintsBar({2, 2}, {3, 2}, 150));
    // A repaint for another reason (the window was moved) still shows the end, not 150%.
    ProgressCounts counts{3, 2};
    const ProgressBarLayout layout = LayoutProgressBar(counts, 150, 20, 16);
    EXPECT_EQ(layout.label, "100%");
    EXPECT_EQ(layout.fillWidth, 150);
    EXPECT_EQ(counts.done, 3u); // the count itself still grows
}

TEST(ProgressBar, LargeCountsDoNotOverflow) {
    // done x 100 and done x width pass 32 bits here.
    ProgressCounts counts{3'000'000'000u, 4'000'000'000u};
    const ProgressBarLayout layout = LayoutProgressBar(counts, 1000, 20, 16);
    EXPECT_EQ(layout.percent, 75u);
    EXPECT_EQ(layout.fillWidth, 750);
}

TEST(ProgressBar, LabelIsCentredWithTruncatingHalves) {
    ProgressCounts counts{1, 2};
    ProgressBarLayout layout = LayoutProgressBar(counts, 201, 21, 16);
    EXPECT_EQ(layout.labelX, 100);
    EXPECT_EQ(layout.labelY, 2);
    // A font taller than the bar puts the label's top above it, truncated toward zero.
    layout = LayoutProgressBar(counts, 200, 11, 16);
    EXPECT_EQ(layout.labelY, -2);
}

TEST(ProgressWindow, SitsEightFramesInFromTheOwnersLowerRightCorner) {
    // A maximised owner on 1024 x 768 reaches past the screen by its frame.
    const ScreenPoint corner =
        ProgressCornerPosition({-4, -4, 1028, 772}, {100, 100, 378, 273}, 3, 3);
    EXPECT_EQ(corner.x, 1028 - 278 - 24);
    EXPECT_EQ(corner.y, 772 - 173 - 24);
    // Only the window's size counts, not where it is now.
    const ScreenPoint same =
        ProgressCornerPosition({-4, -4, 1028, 772}, {-500, 900, -222, 1073}, 3, 3);
    EXPECT_EQ(same.x, corner.x);
    EXPECT_EQ(same.y, corner.y);
}

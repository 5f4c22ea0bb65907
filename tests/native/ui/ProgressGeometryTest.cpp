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

TEST(ProgressBar, StepsBeyondTheTotalNeitherRepaintNorPassTheEnd) {
    ProgressCounts counts{2, 2};
    EXPECT_TRUE(StepRepaintsBar(counts));
    counts.done = 3;
    EXPECT_FALSE(StepRepaintsBar(counts));
    // A repaint for another reason (the window was moved) still shows the end, not 150%.
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

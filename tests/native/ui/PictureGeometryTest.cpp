#include "ui/PictureGeometry.h"

#include <gtest/gtest.h>

TEST(GradientBands, UnderSixtyThreeRowsEachRowIsABand) {
    const std::vector<GradientBand> bands = GradientBands(62);
    ASSERT_EQ(bands.size(), 62u);
    for (int row = 0; row < 62; ++row) {
        EXPECT_EQ(bands[row], (GradientBand{row, row + 1, 255 - 3 * row})) << "row " << row;
    }
    EXPECT_EQ(bands.back(), (GradientBand{61, 62, 72}));
}

TEST(GradientBands, SixtyThreeBandsOfHeightOverSixtyThree) {
    const std::vector<GradientBand> bands = GradientBands(630);
    ASSERT_EQ(bands.size(), 63u);
    for (int band = 0; band < 63; ++band) {
        EXPECT_EQ(bands[band], (GradientBand{band * 10, band * 10 + 10, 255 - 3 * band}))
            << "band " << band;
    }
    EXPECT_EQ(bands.back().blue, 69);
}

TEST(GradientBands, LastBandTakesTheRemainder) {
    const std::vector<GradientBand> bands = GradientBands(640);
    ASSERT_EQ(bands.size(), 63u);
    EXPECT_EQ(bands[61], (GradientBand{610, 620, 72}));
    EXPECT_EQ(bands.back(), (GradientBand{620, 640, 69}));
}

TEST(GradientBands, SmallestAreas) {
    EXPECT_TRUE(GradientBands(0).empty());
    EXPECT_TRUE(GradientBands(-5).empty());
    EXPECT_EQ(GradientBands(1), (std::vector<GradientBand>{{0, 1, 255}}));
    EXPECT_EQ(GradientBands(2), (std::vector<GradientBand>{{0, 1, 255}, {1, 2, 252}}));
    const std::vector<GradientBand> exact = GradientBands(63);
    ASSERT_EQ(exact.size(), 63u);
    EXPECT_EQ(exact.back(), (GradientBand{62, 63, 69}));
}

TEST(GradientBands, BandsCoverTheAreaWithoutGapsForEveryHeight) {
    for (int height = 1; height <= 1300; ++height) {
        const std::vector<GradientBand> bands = GradientBands(height);
        ASSERT_EQ(bands.size(), static_cast<std::size_t>(std::min(height, 63))) << height;
        int top = 0;
        for (std::size_t i = 0; i < bands.size(); ++i) {
            ASSERT_EQ(bands[i].top, top) << "height " << height << " band " << i;
            ASSERT_GT(bands[i].bottom, bands[i].top) << "height " << height << " band " << i;
            ASSERT_EQ(bands[i].blue, 255 - 3 * static_cast<int>(i));
            top = bands[i].bottom;
        }
        ASSERT_EQ(top, height);
        // All bands but the last are equally high; the last is at least as high.
        const int bandHeight = bands.front().bottom;
        EXPECT_EQ(bandHeight, std::max(height / 63, 1)) << height;
        EXPECT_GE(bands.back().bottom - bands.back().top, bandHeight) << height;
    }
}

TEST(TilesFor, EnoughCopiesToCoverTheArea) {
    const TileGrid grid = TilesFor(250, 120, 100, 100);
    EXPECT_EQ(grid.columns, 3);
    EXPECT_EQ(grid.rows, 2);
    EXPECT_EQ(grid.tileWidth, 100);
    EXPECT_EQ(grid.tileHeight, 100);

    const TileGrid exact = TilesFor(200, 300, 100, 100);
    EXPECT_EQ(exact.columns, 2);
    EXPECT_EQ(exact.rows, 3);

    const TileGrid larger = TilesFor(50, 40, 100, 100);
    EXPECT_EQ(larger.columns, 1);
    EXPECT_EQ(larger.rows, 1);

    const TileGrid empty = TilesFor(0, 0, 100, 100);
    EXPECT_EQ(empty.columns, 0);
    EXPECT_EQ(empty.rows, 0);
}

TEST(TilesFor, PictureSideOfZeroCountsAsOne) {
    const TileGrid grid = TilesFor(7, 3, 0, 0);
    EXPECT_EQ(grid.tileWidth, 1);
    EXPECT_EQ(grid.tileHeight, 1);
    EXPECT_EQ(grid.columns, 7);
    EXPECT_EQ(grid.rows, 3);
}

TEST(CentredPicturePosition, EachHalfTruncatesOnItsOwn) {
    const PicturePosition even = CentredPicturePosition(800, 600, 200, 100);
    EXPECT_EQ(even.x, 300);
    EXPECT_EQ(even.y, 250);
    // 801 / 2 - 201 / 2 = 400 - 100, not (801 - 201) / 2.
    const PicturePosition odd = CentredPicturePosition(801, 601, 201, 101);
    EXPECT_EQ(odd.x, 300);
    EXPECT_EQ(odd.y, 250);
}

TEST(CentredPicturePosition, LargerPictureGoesToNegativeCoordinates) {
    const PicturePosition position = CentredPicturePosition(400, 300, 1000, 701);
    EXPECT_EQ(position.x, -300);
    EXPECT_EQ(position.y, -200);
    // Truncation toward zero: 5 / 2 - 11 / 2 = 2 - 5.
    const PicturePosition small = CentredPicturePosition(5, 5, 11, 11);
    EXPECT_EQ(small.x, -3);
    EXPECT_EQ(small.y, -3);
}

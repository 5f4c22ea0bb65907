#include "ui/OptionListRules.h"

#include <gtest/gtest.h>

TEST(OptionListRules, ClickWithinFirstThirteenPixelsOfTheLineToggles) {
    const ListRect entry{0, 32, 290, 48}; // the third line of a list of 16-pixel lines
    EXPECT_TRUE(HitsCheckArea(entry, {0, 32}));
    EXPECT_TRUE(HitsCheckArea(entry, {6, 40}));
    EXPECT_TRUE(HitsCheckArea(entry, {12, 47}));
    // The 14th pixel and beyond is the text: the click only selects.
    EXPECT_FALSE(HitsCheckArea(entry, {13, 40}));
    EXPECT_FALSE(HitsCheckArea(entry, {100, 40}));
    // Another line's check box does not toggle this entry.
    EXPECT_FALSE(HitsCheckArea(entry, {6, 31}));
    EXPECT_FALSE(HitsCheckArea(entry, {6, 48}));
}

TEST(OptionListRules, RepaintAreaIsTheCheckColumnOfTheEntry) {
    EXPECT_EQ(CheckRepaintArea({0, 16, 290, 32}), (ListRect{0, 16, 12, 29}));
    EXPECT_EQ(CheckRepaintArea({0, 0, 290, 13}), (ListRect{0, 0, 12, 10}));
}

TEST(OptionListRules, FiguresCountKAsThousandBytesRoundedDown) {
    EXPECT_EQ(KiloFigure(0), "0 K");
    EXPECT_EQ(KiloFigure(999), "0 K");
    EXPECT_EQ(KiloFigure(1000), "1 K");
    EXPECT_EQ(KiloFigure(123456), "123 K");
    EXPECT_EQ(KiloFigure(4294967295u), "4294967 K");
}

TEST(OptionListRules, FiguresBeyondThirtyTwoBitsKeepTheirValue) {
    // Totals over several components and today's volumes pass 4 GB.
    EXPECT_EQ(KiloFigure(6'000'000'000ull), "6000000 K");
    EXPECT_EQ(KiloFigureOfK(80'000'000ull), "80000000 K");
    EXPECT_EQ(KiloFigureOfK(5'000'000'000ull), "5000000000 K");
    EXPECT_EQ(KiloFigureOfK(0), "0 K");
}

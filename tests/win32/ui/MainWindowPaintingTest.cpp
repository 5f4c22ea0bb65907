#include "ui/MainWindowPainting.h"

#include "PictureTestSupport.h"
#include "lz/SzddCompressor.h"
#include "script/SetupError.h"

#include <gtest/gtest.h>

#include <string>

// A window maximised as the program shows MainWindow, painted by the main window's painting
// for each background style; every pixel of its client area is compared with the colour the
// style's rule gives for it.

namespace {

using MainWindowPainting = MainWindowTest;

} // namespace

TEST_F(MainWindowPainting, GradientBandsFollowTheClientHeight) {
    UseBackground(4);
    const Capture shown = Repaint();
    const int height = shown.height;
    ExpectPixels(
        shown, [height](int, int y) { return GradientColour(y, height); }, "gradient");
    SaveCapture(shown, "gradient");
    // The bands' own rule, at the points where they change: 63 bands, the last one taking the
    // remainder of height / 63.
    const int band = height / 63;
    ASSERT_GT(band, 0);
    EXPECT_EQ(shown.At(0, band - 1), Colour(0, 0, 255));
    EXPECT_EQ(shown.At(0, band), Colour(0, 0, 252));
    EXPECT_EQ(shown.At(shown.width - 1, 62 * band - 1), Colour(0, 0, 72));
    EXPECT_EQ(shown.At(shown.width - 1, 62 * band), Colour(0, 0, 69));
    EXPECT_EQ(shown.At(0, height - 1), Colour(0, 0, 69));
}

TEST_F(MainWindowPainting, GradientOfLowClientAreas) {
    UseBackground(1);
    for (const int height : {62, 630, 640}) {
        SetClientSize(300, height);
        const Capture shown = Repaint();
        ExpectPixels(
            shown, [height](int, int y) { return GradientColour(y, height); },
            "height " + std::to_string(height));
    }
    // 62 rows: one band each, the last (y = 61) blue 258 - 3 x 62.
    SetClientSize(300, 62);
    EXPECT_EQ(Repaint().At(5, 61), Colour(0, 0, 72));
    // 640 rows: 10-row bands and a last one of 20 rows.
    SetClientSize(300, 640);
    const Capture tall = Repaint();
    EXPECT_EQ(tall.At(5, 619), Colour(0, 0, 72));
    EXPECT_EQ(tall.At(5, 620), Colour(0, 0, 69));
    EXPECT_EQ(tall.At(5, 639), Colour(0, 0, 69));
}

TEST_F(MainWindowPainting, ShadowedLetteringIsWhiteWithABlackShadowOverTheGradient) {
    const TestPicture lettering = LetteringPicture(60, 34);
    UseBackground(1, &lettering);
    const Capture shown = Repaint();
    const int height = shown.height;
    const auto black = [](int x, int y) {
        return x >= 0 && y >= 0 && x < 60 && y < 34 && LetteringIsBlack(x, y);
    };
    ExpectPixels(
        shown,
        [&](int x, int y) {
            if (black(x - 1, y - 1)) {
                return kWhite; // the letters, one pixel in from the corner
            }
            if (black(x - 3, y - 5)) {
                return kBlack; // their shadow, 2 right and 4 down of them
            }
            return GradientColour(y, height);
        },
        "style 1");
    SaveCapture(shown, "style1-shadowed");
}

TEST_F(MainWindowPainting, TiledPictureCoversTheClientArea) {
    const TestPicture tile = PatternPicture(37, 23);
    UseBackground(2, &tile);
    const Capture shown = Repaint();
    ExpectPixels(
        shown, [](int x, int y) { return PatternColour(x % 37, y % 23); }, "style 2");
    SaveCapture(shown, "style2-tiled");
}

TEST_F(MainWindowPainting, StretchedPictureFillsTheClientArea) {
    const TestPicture quarters = QuarterPicture(40, 30);
    UseBackground(3, &quarters);
    const Capture shown = Repaint();
    const RECT whole{0, 0, shown.width, shown.height};
    const int checked = ExpectStretchedQuarters(shown, whole, 40, 30, "style 3");
    EXPECT_GT(checked, shown.width * shown.height * 8 / 10);
    // The corners are the picture's corners: stretched over the whole area.
    EXPECT_EQ(shown.At(0, 0), QuarterColour(0));
    EXPECT_EQ(shown.At(shown.width - 1, 0), QuarterColour(1));
    EXPECT_EQ(shown.At(0, shown.height - 1), QuarterColour(2));
    EXPECT_EQ(shown.At(shown.width - 1, shown.height - 1), QuarterColour(3));
    SaveCapture(shown, "style3-stretched");
}

TEST_F(MainWindowPainting, GradientStylePutsThePictureAtItsOwnSize) {
    const TestPicture picture = PatternPicture(50, 40);
    UseBackground(4, &picture);
    const Capture shown = Repaint();
    const int height = shown.height;
    ExpectPixels(
        shown,
        [height](int x, int y) {
            return x < 50 && y < 40 ? PatternColour(x, y) : GradientColour(y, height);
        },
        "style 4");
    SaveCapture(shown, "style4-gradient");
}

TEST_F(MainWindowPainting, OtherStylesPutThePictureOnWhite) {
    const TestPicture picture = PatternPicture(33, 21);
    for (const std::uint8_t style : {0, 5, 255}) {
        UseBackground(style, &picture);
        const Capture shown = Repaint();
        ExpectPixels(
            shown, [](int x, int y) { return x < 33 && y < 21 ? PatternColour(x, y) : kWhite; },
            "style " + std::to_string(style));
    }
}

TEST_F(MainWindowPainting, WithoutPictureTheBackgroundAloneShows) {
    for (const std::uint8_t style : {1, 4}) {
        UseBackground(style);
        const Capture shown = Repaint();
        const int height = shown.height;
        ExpectPixels(
            shown, [height](int, int y) { return GradientColour(y, height); },
            "style " + std::to_string(style));
    }
    // Stretched and tiled without a picture: the white class background.
    for (const std::uint8_t style : {2, 3}) {
        UseBackground(style);
        ExpectPixels(
            Repaint(), [](int, int) { return kWhite; }, "style " + std::to_string(style));
    }
}

TEST_F(MainWindowPainting, PictureThatDidNotLoadIsNotShown) {
    // A named picture whose load failed: the background alone, for every style.
    script.backgroundBitmap.Assign("BROKEN.BMP");
    for (const std::uint8_t style : {1, 2, 3, 4, 0}) {
        script.BackgroundStyle = style;
        const Capture shown = Repaint();
        const int height = shown.height;
        const bool gradient = style == 1 || style == 4;
        ExpectPixels(
            shown,
            [height, gradient](int, int y) {
                return gradient ? GradientColour(y, height) : kWhite;
            },
            "style " + std::to_string(style));
    }
}

// LoadBackgroundImages at start-up, with the pictures on a disk under their compressed names.
class BackgroundLoading : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        disk = ScratchDirectory("background-disk");
        temp = ScratchDirectory("background-temp");
    }

    Failure LoadPictures() { return LoadBackgroundImages(window, script, {disk, temp}); }

    void PutOnDisk(const std::string& storedName, const std::vector<std::uint8_t>& bytes) {
        const std::vector<std::uint8_t> compressed = CompressSzdd(bytes, storedName.back());
        std::string onDisk = storedName;
        onDisk.back() = '_';
        WriteTestFile(disk + onDisk, compressed);
    }

    bool InTemp(const std::string& name) const {
        return GetFileAttributesA((temp + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::string disk;
    std::string temp;
};

TEST_F(BackgroundLoading, PicturesAreExpandedLoadedAndTheCopiesDeleted) {
    PutOnDisk("BACK.BMP", EncodeBmp(PatternPicture(31, 17), FileHeader::With));
    PutOnDisk("SIDE.BMP", EncodeBmp(QuarterPicture(12, 26), FileHeader::With));
    script.backgroundBitmap.Assign("BACK.BMP");
    script.sideBitmap.Assign("SIDE.BMP");
    ASSERT_FALSE(LoadPictures());

    const BitmapImage& background = MainBackgroundImage();
    ASSERT_TRUE(background.deviceBitmap);
    EXPECT_EQ(background.width, 31);
    EXPECT_EQ(background.height, 17);
    const Capture pixels = CaptureBitmap(background.deviceBitmap.get());
    EXPECT_EQ(pixels.At(30, 16), PatternColour(30, 16));
    EXPECT_EQ(pixels.At(3, 9), PatternColour(3, 9));

    const BitmapImage& side = SideImage();
    ASSERT_TRUE(side.deviceBitmap);
    EXPECT_EQ(side.width, 12);
    EXPECT_EQ(side.height, 26);
    EXPECT_EQ(CaptureBitmap(side.deviceBitmap.get()).At(11, 25), QuarterColour(3));

    EXPECT_FALSE(InTemp("BACK.BMP"));
    EXPECT_FALSE(InTemp("SIDE.BMP"));
}

TEST_F(BackgroundLoading, WithoutSidePictureTheProgramsOwnIsUsed) {
    ASSERT_FALSE(LoadPictures());
    EXPECT_FALSE(MainBackgroundImage().deviceBitmap);
    const BitmapImage& side = SideImage();
    ASSERT_TRUE(side.deviceBitmap);
    EXPECT_EQ(side.width, 121);
    EXPECT_EQ(side.height, 260);
    EXPECT_FALSE(side.palette);
}

TEST_F(BackgroundLoading, MissingPictureFailsWithFileNotFoundAndLeavesNoCopy) {
    script.backgroundBitmap.Assign("GONE.BMP");
    Failure failure = LoadPictures();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(InTemp("GONE.BMP"));

    // The same for a missing side picture.
    script.backgroundBitmap.Assign("");
    script.sideBitmap.Assign("NOSIDE.BMP");
    failure = LoadPictures();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(InTemp("NOSIDE.BMP"));
}

TEST_F(BackgroundLoading, UnreadablePictureLeavesTheImageEmptyWithoutMessage) {
    PutOnDisk("BACK.BMP", {'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'});
    TestPicture deep = PatternPicture(4, 4);
    deep.bitCount = 16;
    PutOnDisk("SIDE.BMP", EncodeBmp(deep, FileHeader::With));
    script.backgroundBitmap.Assign("BACK.BMP");
    script.sideBitmap.Assign("SIDE.BMP");
    EXPECT_FALSE(LoadPictures());
    EXPECT_FALSE(MainBackgroundImage().deviceBitmap);
    EXPECT_FALSE(SideImage().deviceBitmap);
    EXPECT_FALSE(InTemp("BACK.BMP"));
    EXPECT_FALSE(InTemp("SIDE.BMP"));
}

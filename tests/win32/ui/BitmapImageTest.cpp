#include "ui/BitmapImage.h"

#include "PictureTestSupport.h"
#include "script/SetupError.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class BitmapFiles : public ::testing::Test {
protected:
    void SetUp() override { folder = ScratchDirectory("bitmap-image-test"); }

    // Writes the picture and loads it into image.
    bool Load(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = folder + name;
        WriteTestFile(path, bytes);
        EXPECT_FALSE(LoadBitmapFile(image, path.c_str()));
        return image.deviceBitmap.valid();
    }

    // Every pixel of the device bitmap is the colour the picture's rule gives.
    void ExpectPixels(const std::function<std::uint32_t(int x, int y)>& expected, int line) {
        ASSERT_TRUE(image.deviceBitmap) << "line " << line;
        const Capture pixels = CaptureBitmap(image.deviceBitmap.get());
        ASSERT_EQ(pixels.width, image.width) << "line " << line;
        ASSERT_EQ(pixels.height, image.height) << "line " << line;
        int wrong = 0;
        for (int y = 0; y < pixels.height; ++y) {
            for (int x = 0; x < pixels.width; ++x) {
                if (pixels.At(x, y) != expected(x, y) && ++wrong <= 5) {
                    ADD_FAILURE_AT(__FILE__, line)
                        << "pixel (" << x << ", " << y << ") is " << std::hex << pixels.At(x, y)
                        << ", expected " << expected(x, y);
                }
            }
        }
        EXPECT_EQ(wrong, 0) << "line " << line;
    }

    int PaletteEntries() const {
        WORD entries = 0;
        return image.palette && GetObjectA(image.palette.get(), sizeof entries, &entries) ? entries
                                                                                          : -1;
    }

    std::string folder;
    BitmapImage image;
};

// An 8-bit picture whose colour table has `entries` colours, pixel colour from its index.
TestPicture EightBit(int width, int height, int entries) {
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = 8;
    for (int i = 0; i < entries; ++i) {
        picture.table.push_back({static_cast<std::uint8_t>(i * 12),
                                 static_cast<std::uint8_t>(200 - i),
                                 static_cast<std::uint8_t>(i * 3)});
    }
    picture.colorsUsed = static_cast<std::uint32_t>(entries);
    picture.pixel = [entries](int x, int y) {
        return static_cast<std::uint32_t>((x + 2 * y) % entries);
    };
    return picture;
}

std::uint32_t EightBitColour(int x, int y, int entries) {
    const int i = (x + 2 * y) % entries;
    return Colour(i * 12, 200 - i, i * 3);
}

} // namespace

TEST_F(BitmapFiles, TwentyColourPictureGetsATwentyEntryPalette) {
    ASSERT_TRUE(Load("twenty.bmp", EncodeBmp(EightBit(13, 7, 20), FileHeader::With)));
    EXPECT_EQ(image.width, 13);
    EXPECT_EQ(image.height, 7);
    EXPECT_EQ(PaletteEntries(), 20);
    EXPECT_TRUE(image.headerBlock);
    EXPECT_TRUE(image.dibBlock);
    ExpectPixels([](int x, int y) { return EightBitColour(x, y, 20); }, __LINE__);
}

TEST_F(BitmapFiles, HeaderlessPictureTakesItsBitsBehindTheColourTable) {
    ASSERT_TRUE(Load("bare.dib", EncodeBmp(EightBit(9, 5, 30), FileHeader::Without)));
    ExpectPixels([](int x, int y) { return EightBitColour(x, y, 30); }, __LINE__);
}

TEST_F(BitmapFiles, CoreHeaderPictureShowsTheSameColours) {
    TestPicture picture = EightBit(6, 6, 16);
    picture.bitCount = 4;
    ASSERT_TRUE(Load("core.bmp", EncodeBmp(picture, FileHeader::With, HeaderKind::Core)));
    EXPECT_EQ(PaletteEntries(), 16);
    ExpectPixels([](int x, int y) { return EightBitColour(x, y, 16); }, __LINE__);
}

TEST_F(BitmapFiles, MonochromePictureShowsItsTwoColours) {
    ASSERT_TRUE(Load("mono.bmp", EncodeBmp(LetteringPicture(61, 33), FileHeader::With)));
    EXPECT_EQ(PaletteEntries(), 2);
    ExpectPixels(
        [](int x, int y) {
            return LetteringIsBlack(x, y) ? Colour(0, 0, 0) : Colour(255, 255, 255);
        },
        __LINE__);
}

TEST_F(BitmapFiles, TrueColourPictureGetsTheFixedPalette) {
    ASSERT_TRUE(Load("true.bmp", EncodeBmp(PatternPicture(17, 9), FileHeader::With)));
    EXPECT_EQ(PaletteEntries(), 256);
    PALETTEENTRY entry{};
    ASSERT_EQ(GetPaletteEntries(image.palette.get(), 70, 1, &entry), 1u);
    EXPECT_EQ(entry.peRed, 192);
    EXPECT_EQ(entry.peGreen, 0);
    EXPECT_EQ(entry.peBlue, 64);
    ExpectPixels(PatternColour, __LINE__);
}

TEST_F(BitmapFiles, TopDownPictureKeepsItsRowsInOrder) {
    TestPicture picture = PatternPicture(8, -6);
    ASSERT_TRUE(Load("topdown.bmp", EncodeBmp(picture, FileHeader::With)));
    EXPECT_EQ(image.height, 6);
    ExpectPixels(PatternColour, __LINE__);
}

TEST_F(BitmapFiles, SixteenBitPictureWithoutColourTableDoesNotLoad) {
    for (const std::uint16_t bitCount : {16, 32}) {
        TestPicture picture = PatternPicture(4, 4);
        picture.bitCount = bitCount;
        image = BitmapImage{};
        EXPECT_FALSE(Load("deep.bmp", EncodeBmp(picture, FileHeader::With))) << bitCount;
        EXPECT_FALSE(image.deviceBitmap) << bitCount;
        EXPECT_FALSE(image.palette) << bitCount;
    }
}

TEST_F(BitmapFiles, DamagedPicturesDoNotShow) {
    const std::vector<std::uint8_t> good = EncodeBmp(EightBit(20, 10, 40), FileHeader::With);
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 7);
    EXPECT_FALSE(Load("cut.bmp", cut));
    EXPECT_FALSE(image.deviceBitmap);

    std::vector<std::uint8_t> huge = good;
    huge[19] = 0xFF; // width 0x0FFFFF14: rows far larger than the file
    huge[20] = 0xFF;
    huge[21] = 0x0F;
    image = BitmapImage{};
    EXPECT_FALSE(Load("huge.bmp", huge));

    image = BitmapImage{};
    EXPECT_FALSE(Load("text.bmp", std::vector<std::uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'p'}));
    image = BitmapImage{};
    EXPECT_FALSE(Load("empty.bmp", {}));
    EXPECT_FALSE(image.deviceBitmap);
    EXPECT_FALSE(image.headerBlock);
}

TEST_F(BitmapFiles, MissingFileFailsWithTheSystemsCode) {
    const std::string path = folder + "missing.bmp";
    const Failure failure = LoadBitmapFile(image, path.c_str());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

TEST_F(BitmapFiles, FreeReleasesEveryHandle) {
    ASSERT_TRUE(Load("free.bmp", EncodeBmp(EightBit(3, 3, 5), FileHeader::With)));
    const HBITMAP bitmap = image.deviceBitmap.get();
    const HPALETTE palette = image.palette.get();
    FreeBitmapImage(image);
    EXPECT_FALSE(image.deviceBitmap);
    EXPECT_FALSE(image.palette);
    EXPECT_FALSE(image.headerBlock);
    EXPECT_FALSE(image.dibBlock);
    // The objects are gone, not just forgotten.
    EXPECT_EQ(GetObjectType(bitmap), 0u);
    EXPECT_EQ(GetObjectType(palette), 0u);
}

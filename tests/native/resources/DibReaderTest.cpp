#include "resources/DibReader.h"

#include "support/BmpBuilder.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Rgb> Greys(int count) {
    std::vector<Rgb> table;
    for (int i = 0; i < count; ++i) {
        const auto level = static_cast<std::uint8_t>(i * 255 / (count > 1 ? count - 1 : 1));
        table.push_back({level, static_cast<std::uint8_t>(255 - level), 7});
    }
    return table;
}

// A picture of width x height with a colour table of `entries` and a pattern in its pixels.
TestPicture Indexed(int width, int height, std::uint16_t bitCount, int entries) {
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = bitCount;
    picture.table = Greys(entries);
    // A table shorter than the bit count allows says so in colours used.
    picture.colorsUsed = entries < (1 << bitCount) ? static_cast<std::uint32_t>(entries) : 0;
    picture.pixel = [entries](int x, int y) {
        return static_cast<std::uint32_t>((x * 3 + y) % (entries > 0 ? entries : 1));
    };
    return picture;
}

TestPicture TrueColour(int width, int height) {
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = 24;
    picture.pixel = [](int x, int y) { return static_cast<std::uint32_t>(x * 0x10203 + y * 0x40); };
    return picture;
}

std::optional<Bytes> Read(const Bytes& file) {
    MemoryDibSource source(file);
    return ReadDib(source);
}

std::optional<Bytes> ReadHeader(const Bytes& file, std::uint64_t* positionAfter = nullptr) {
    MemoryDibSource source(file);
    std::optional<Bytes> block = ReadDibHeader(source);
    if (positionAfter) {
        *positionAfter = source.Position();
    }
    return block;
}

// The 4-byte colour table entries of a block.
std::vector<Rgb> TableOf(const Bytes& block) {
    const std::uint32_t entries = ColorTableEntries(BlockHeader(block));
    std::vector<Rgb> table;
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = block.data() + kInfoHeaderSize + i * 4;
        EXPECT_EQ(entry[3], 0) << "entry " << i;
        table.push_back({entry[2], entry[1], entry[0]});
    }
    return table;
}

Bytes BitsOf(const Bytes& block) {
    const std::size_t start = kInfoHeaderSize + ColorTableEntries(BlockHeader(block)) * 4;
    return Bytes(block.begin() + static_cast<std::ptrdiff_t>(start), block.end());
}

void ExpectSameTable(const std::vector<Rgb>& actual, const std::vector<Rgb>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].red, expected[i].red) << "entry " << i;
        EXPECT_EQ(actual[i].green, expected[i].green) << "entry " << i;
        EXPECT_EQ(actual[i].blue, expected[i].blue) << "entry " << i;
    }
}

} // namespace

TEST(ColorTableEntries, ByBitCountUnlessColoursUsedIsGiven) {
    DibInfoHeader header;
    header.size = kInfoHeaderSize;
    const std::pair<std::uint16_t, std::uint32_t> byBitCount[] = {
        {1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}, {2, 0}, {0, 0}};
    for (const auto& [bitCount, entries] : byBitCount) {
        header.bitCount = bitCount;
        EXPECT_EQ(ColorTableEntries(header), entries) << "bit count " << bitCount;
    }
    header.bitCount = 8;
    header.colorsUsed = 20;
    EXPECT_EQ(ColorTableEntries(header), 20u);
    header.bitCount = 24;
    EXPECT_EQ(ColorTableEntries(header), 20u);
    // A core header has no colours-used field: its bit count alone decides.
    header.size = kCoreHeaderSize;
    header.bitCount = 4;
    EXPECT_EQ(ColorTableEntries(header), 16u);
}

TEST(UncompressedImageSize, RowsArePaddedToFourBytes) {
    DibInfoHeader header;
    header.width = 5;
    header.height = 3;
    const std::pair<std::uint16_t, std::uint32_t> sizes[] = {
        {1, 4 * 3}, {4, 4 * 3}, {8, 8 * 3}, {16, 12 * 3}, {24, 16 * 3}, {32, 20 * 3}};
    for (const auto& [bitCount, size] : sizes) {
        header.bitCount = bitCount;
        EXPECT_EQ(UncompressedImageSize(header), size) << "bit count " << bitCount;
    }
    header.bitCount = 24;
    header.height = -3; // top-down rows take the same room
    EXPECT_EQ(UncompressedImageSize(header), 48u);
    header.width = 0;
    EXPECT_EQ(UncompressedImageSize(header), std::nullopt);
    header.width = 0x7FFFFFFF;
    header.height = 0x7FFFFFFF;
    EXPECT_EQ(UncompressedImageSize(header), std::nullopt) << "does not fit in 32 bits";
}

TEST(ReadDib, FileHeaderIsOptional) {
    const TestPicture picture = Indexed(7, 5, 8, 256);
    const std::optional<Bytes> with = Read(EncodeBmp(picture, FileHeader::With));
    const std::optional<Bytes> without = Read(EncodeBmp(picture, FileHeader::Without));
    ASSERT_TRUE(with.has_value());
    ASSERT_TRUE(without.has_value());
    EXPECT_EQ(*with, *without);
    EXPECT_EQ(BitsOf(*with), EncodeBits(picture));
    ExpectSameTable(TableOf(*with), picture.table);
}

TEST(ReadDib, HeaderlessBitsFollowTheColourTable) {
    const TestPicture picture = Indexed(9, 4, 4, 16);
    std::uint64_t position = 0;
    const std::optional<Bytes> header =
        ReadHeader(EncodeBmp(picture, FileHeader::Without), &position);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->size(), kInfoHeaderSize + 16 * 4);
    EXPECT_EQ(position, kInfoHeaderSize + 16 * 4);
}

TEST(ReadDib, FileHeaderOffsetLocatesTheBits) {
    TestPicture picture = Indexed(6, 3, 8, 4);
    picture.colorsUsed = 4;
    picture.gap = 10; // the bits start 10 bytes after the colour table
    const Bytes file = EncodeBmp(picture, FileHeader::With);
    std::uint64_t position = 0;
    ASSERT_TRUE(ReadHeader(file, &position).has_value());
    EXPECT_EQ(position, kFileHeaderSize + kInfoHeaderSize + 4 * 4 + 10);
    const std::optional<Bytes> dib = Read(file);
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(BitsOf(*dib), EncodeBits(picture));
}

TEST(ReadDib, PictureMayStartInsideAFile) {
    // The position where reading starts is the picture's start: its bits offset counts from
    // there.
    TestPicture picture = Indexed(4, 4, 8, 3);
    picture.colorsUsed = 3;
    picture.gap = 5;
    Bytes file(13, 0x55);
    const Bytes bmp = EncodeBmp(picture, FileHeader::With);
    file.insert(file.end(), bmp.begin(), bmp.end());
    MemoryDibSource source(file);
    source.Seek(13);
    const std::optional<Bytes> dib = ReadDib(source);
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(BitsOf(*dib), EncodeBits(picture));
}

TEST(ReadDib, CoreHeaderBecomesAnInfoHeaderWithTheSameColours) {
    const TestPicture picture = Indexed(10, 6, 4, 16);
    const std::optional<Bytes> core = Read(EncodeBmp(picture, FileHeader::With, HeaderKind::Core));
    ASSERT_TRUE(core.has_value());
    const DibInfoHeader header = BlockHeader(*core);
    EXPECT_EQ(header.size, kInfoHeaderSize);
    EXPECT_EQ(header.width, 10);
    EXPECT_EQ(header.height, 6);
    EXPECT_EQ(header.planes, 1);
    EXPECT_EQ(header.bitCount, 4);
    EXPECT_EQ(header.compression, 0u);
    EXPECT_EQ(header.imageSize, 8u * 6);
    EXPECT_EQ(header.xPelsPerMeter, 0);
    EXPECT_EQ(header.colorsUsed, 16u);
    ExpectSameTable(TableOf(*core), picture.table);
    EXPECT_EQ(BitsOf(*core), EncodeBits(picture));

    // Headerless too, where the bits follow the 3-byte table directly.
    const std::optional<Bytes> bare =
        Read(EncodeBmp(picture, FileHeader::Without, HeaderKind::Core));
    ASSERT_TRUE(bare.has_value());
    EXPECT_EQ(*bare, *core);
}

TEST(ReadDib, CoreHeaderOfATinyFileIsReadAlthoughFortyBytesAreNotThere) {
    // 12-byte header, 2 three-byte entries, one 4-byte row: 22 bytes in all.
    const TestPicture picture = Indexed(1, 1, 1, 2);
    const Bytes file = EncodeBmp(picture, FileHeader::Without, HeaderKind::Core);
    ASSERT_EQ(file.size(), 22u);
    const std::optional<Bytes> dib = Read(file);
    ASSERT_TRUE(dib.has_value());
    ExpectSameTable(TableOf(*dib), picture.table);
}

TEST(ReadDib, EachBitCountGetsItsTableAndImageSize) {
    struct Case {
        std::uint16_t bitCount;
        int entries;
        std::uint32_t imageSize; // 5 x 3 pixels
    };
    const Case cases[] = {{1, 2, 12}, {4, 16, 12}, {8, 256, 24}, {24, 0, 48}};
    for (const Case& c : cases) {
        TestPicture picture = c.entries ? Indexed(5, 3, c.bitCount, c.entries) : TrueColour(5, 3);
        const std::optional<Bytes> dib = Read(EncodeBmp(picture, FileHeader::With));
        ASSERT_TRUE(dib.has_value()) << "bit count " << c.bitCount;
        const DibInfoHeader header = BlockHeader(*dib);
        EXPECT_EQ(header.imageSize, c.imageSize) << "bit count " << c.bitCount;
        EXPECT_EQ(header.colorsUsed, static_cast<std::uint32_t>(c.entries));
        EXPECT_EQ(dib->size(), kInfoHeaderSize + c.entries * 4 + c.imageSize);
        EXPECT_EQ(BitsOf(*dib), EncodeBits(picture)) << "bit count " << c.bitCount;
    }
}

TEST(ReadDib, ColoursUsedTwentyGivesATwentyEntryTable) {
    TestPicture picture = Indexed(8, 2, 8, 20);
    picture.colorsUsed = 20;
    const std::optional<Bytes> dib = Read(EncodeBmp(picture, FileHeader::With));
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(BlockHeader(*dib).colorsUsed, 20u);
    ExpectSameTable(TableOf(*dib), picture.table);
    EXPECT_EQ(BitsOf(*dib), EncodeBits(picture));
    const std::optional<std::vector<PaletteColour>> palette = DibPaletteColours(*dib);
    ASSERT_TRUE(palette.has_value());
    ASSERT_EQ(palette->size(), 20u);
    EXPECT_EQ((*palette)[19], (PaletteColour{255, 0, 7}));
}

TEST(ReadDib, ImageSizeOfUncompressedPicturesIsTheirRowsSize) {
    TestPicture picture = TrueColour(3, 2);
    for (const std::uint32_t field : {0u, 1u, 18u, 5000u}) {
        picture.imageSizeField = field;
        const std::optional<Bytes> dib = Read(EncodeBmp(picture, FileHeader::With));
        ASSERT_TRUE(dib.has_value()) << "image size field " << field;
        EXPECT_EQ(BlockHeader(*dib).imageSize, 24u) << "image size field " << field;
        EXPECT_EQ(BitsOf(*dib), EncodeBits(picture));
    }
}

TEST(ReadDib, TopDownRowsAreKept) {
    TestPicture picture = TrueColour(4, -3);
    const std::optional<Bytes> dib = Read(EncodeBmp(picture, FileHeader::With));
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(BlockHeader(*dib).height, -3);
    EXPECT_EQ(BlockHeader(*dib).imageSize, 36u);
}

TEST(ReadDib, RunLengthPictureKeepsItsImageSize) {
    TestPicture picture = Indexed(4, 2, 8, 2);
    picture.compression = kCompressionRle8;
    // Two rows of "4 pixels of colour 1", end of line, end of picture.
    picture.rawBits = {4, 1, 0, 0, 4, 1, 0, 1};
    picture.useRawBits = true;
    picture.imageSizeField = 8;
    const std::optional<Bytes> dib = Read(EncodeBmp(picture, FileHeader::With));
    ASSERT_TRUE(dib.has_value());
    EXPECT_EQ(BlockHeader(*dib).imageSize, 8u);
    EXPECT_EQ(BitsOf(*dib), picture.rawBits);
}

TEST(ReadDib, PicturesThatCannotBeDrawnAreRefused) {
    const TestPicture good = Indexed(4, 4, 8, 4);
    struct Case {
        const char* what;
        std::function<void(TestPicture&)> change;
    };
    const Case cases[] = {
        {"width 0", [](TestPicture& p) { p.width = 0; }},
        {"negative width", [](TestPicture& p) { p.width = -4; }},
        {"height 0", [](TestPicture& p) { p.height = 0; }},
        {"bit count 2", [](TestPicture& p) { p.bitCount = 2; }},
        {"bit count 0", [](TestPicture& p) { p.bitCount = 0; }},
        {"bit fields", [](TestPicture& p) { p.compression = 3; }},
        {"JPEG", [](TestPicture& p) { p.compression = 4; }},
        {"RLE4 of an 8-bit picture", [](TestPicture& p) { p.compression = kCompressionRle4; }},
        {"RLE8 stored top-down",
         [](TestPicture& p) {
             p.compression = kCompressionRle8;
             p.height = -4;
         }},
        {"257 colours",
         [](TestPicture& p) {
             p.colorsUsed = 257;
             p.table = Greys(257);
         }},
        {"colours used beyond the file", [](TestPicture& p) { p.colorsUsed = 200; }},
        {"colours used beyond any table", [](TestPicture& p) { p.colorsUsed = 0xFFFFFFFF; }},
    };
    for (const Case& c : cases) {
        TestPicture picture = good;
        c.change(picture);
        EXPECT_EQ(Read(EncodeBmp(picture, FileHeader::With)), std::nullopt) << c.what;
    }
    ASSERT_TRUE(Read(EncodeBmp(good, FileHeader::With)).has_value());
}

TEST(ReadDib, HeaderSizesOtherThanFortyAndTwelveAreRefused) {
    Bytes file = EncodeBmp(Indexed(4, 4, 8, 4), FileHeader::Without);
    for (const std::uint8_t size : {0, 11, 13, 39, 41, 64, 108, 124}) {
        file[0] = size;
        EXPECT_EQ(Read(file), std::nullopt) << "header size " << int{size};
    }
}

TEST(ReadDib, FileCutShortAnywhereIsRefused) {
    const Bytes with = EncodeBmp(Indexed(5, 3, 8, 9), FileHeader::With);
    const Bytes core = EncodeBmp(Indexed(5, 3, 4, 16), FileHeader::With, HeaderKind::Core);
    for (const Bytes* file : {&with, &core}) {
        for (std::size_t length = 0; length < file->size(); ++length) {
            const Bytes cut(file->begin(), file->begin() + static_cast<std::ptrdiff_t>(length));
            EXPECT_EQ(Read(cut), std::nullopt) << "cut to " << length << " bytes";
        }
        EXPECT_TRUE(Read(*file).has_value());
    }
}

TEST(ReadDib, BitsOffsetPastTheEndIsRefused) {
    Bytes file = EncodeBmp(Indexed(4, 2, 8, 2), FileHeader::With);
    file[10] = 0xF0; // bits offset 0xFFF0, far beyond the end of the file
    file[11] = 0xFF;
    EXPECT_EQ(Read(file), std::nullopt);
}

TEST(ReadDib, ReadingNeverMovesPastTheEndOfTheFile) {
    // A header that promises a large picture in a small file: the block is never grown to
    // the promised size.
    TestPicture picture = Indexed(2, 2, 8, 2);
    picture.colorsUsed = 2;
    Bytes file = EncodeBmp(picture, FileHeader::Without);
    file[4] = 0xFF; // width 0xFFFF
    file[5] = 0xFF;
    MemoryDibSource source(file);
    EXPECT_EQ(ReadDib(source), std::nullopt);
    EXPECT_LE(source.Position(), file.size());
}

TEST(DibPaletteColours, TrueColourGetsTheFixedPalette) {
    const std::optional<Bytes> dib = Read(EncodeBmp(TrueColour(2, 2), FileHeader::With));
    ASSERT_TRUE(dib.has_value());
    const std::optional<std::vector<PaletteColour>> palette = DibPaletteColours(*dib);
    ASSERT_TRUE(palette.has_value());
    ASSERT_EQ(palette->size(), 256u);
    EXPECT_EQ((*palette)[0], (PaletteColour{0, 0, 0}));
    EXPECT_EQ((*palette)[9], (PaletteColour{32, 32, 0}));
    EXPECT_EQ((*palette)[70], (PaletteColour{192, 0, 64}));
    EXPECT_EQ((*palette)[255], (PaletteColour{224, 224, 192}));
}

TEST(DibPaletteColours, SixteenAndThirtyTwoBitsWithoutTableGetNone) {
    for (const std::uint16_t bitCount : {16, 32}) {
        TestPicture picture = TrueColour(3, 3);
        picture.bitCount = bitCount;
        const std::optional<Bytes> dib = Read(EncodeBmp(picture, FileHeader::With));
        ASSERT_TRUE(dib.has_value()) << "bit count " << bitCount;
        EXPECT_EQ(DibPaletteColours(*dib), std::nullopt) << "bit count " << bitCount;

        // With a colour table they get its colours.
        picture.table = Greys(3);
        picture.colorsUsed = 3;
        const std::optional<Bytes> withTable = Read(EncodeBmp(picture, FileHeader::With));
        ASSERT_TRUE(withTable.has_value());
        const std::optional<std::vector<PaletteColour>> palette = DibPaletteColours(*withTable);
        ASSERT_TRUE(palette.has_value());
        EXPECT_EQ(palette->size(), 3u);
    }
}

TEST(DibPaletteColours, BlockTooShortForItsTableGetsNone) {
    const std::optional<Bytes> dib = Read(EncodeBmp(Indexed(2, 2, 8, 256), FileHeader::With));
    ASSERT_TRUE(dib.has_value());
    const Bytes cut(dib->begin(), dib->begin() + kInfoHeaderSize + 255 * 4);
    EXPECT_EQ(DibPaletteColours(cut), std::nullopt);
    EXPECT_EQ(DibPaletteColours(Bytes(20, 0)), std::nullopt);
}

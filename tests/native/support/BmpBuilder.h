#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Writes .bmp files byte by byte, independently of the reader under test, for the reader's
// native tests, the fuzz seeds and the Win32 painting tests.

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

enum class FileHeader { With, Without };
enum class HeaderKind { Info, Core };

struct TestPicture {
    std::int32_t width = 1;
    std::int32_t height = 1; // negative: rows stored top-down
    std::uint16_t bitCount = 8;
    std::vector<Rgb> table;           // the colour table as written
    std::uint32_t colorsUsed = 0;     // the header field as written
    std::uint32_t imageSizeField = 0; // the header field as written
    std::uint32_t compression = 0;
    // The pixel at (x, y), y counted from the top: a colour-table index for 1, 4 and 8 bits,
    // 0xRRGGBB for 24 and 32 bits, a 5-5-5 value for 16 bits.
    std::function<std::uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
    // Raw pixel bits written instead of the encoded pixels (compressed pictures).
    std::vector<std::uint8_t> rawBits;
    bool useRawBits = false;
    // Bytes between the colour table and the bits; the file header's offset points past them.
    std::uint32_t gap = 0;
};

// The row-padded pixel bits of the picture, bottom row first unless height is negative.
std::vector<std::uint8_t> EncodeBits(const TestPicture& picture);

// A whole file: optional 14-byte file header, a 40-byte info or 12-byte core header (whose
// table entries are then 3 bytes), the colour table, the gap and the bits.
std::vector<std::uint8_t> EncodeBmp(const TestPicture& picture, FileHeader fileHeader,
                                    HeaderKind kind = HeaderKind::Info);

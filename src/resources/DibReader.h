#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Reading .bmp pictures (and headerless device-independent bitmaps) into the blocks that the
// platform's DIB functions take: a 40-byte info header, the colour table as 4-byte entries,
// then the pixel bits. The file layout is little-endian:
//   optional file header (14 bytes): type "BM", file size, two reserved words, bits offset
//     counted from the start of the file header;
//   info header (40 bytes), or the old core header (12 bytes, 16-bit width and height);
//   colour table: 4-byte entries (blue, green, red, 0), 3-byte entries after a core header;
//   pixel bits, rows padded to 4 bytes.
// Every size and count is checked against the file before it is used: a picture that does not
// hold together gives nothing, never a block that would make the platform read past it.

inline constexpr std::uint16_t kBitmapFileType = 0x4D42; // "BM"
inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kCoreHeaderSize = 12;

// Compression values of the info header that the reader accepts.
inline constexpr std::uint32_t kCompressionNone = 0; // BI_RGB
inline constexpr std::uint32_t kCompressionRle8 = 1; // BI_RLE8, 8-bit pictures only
inline constexpr std::uint32_t kCompressionRle4 = 2; // BI_RLE4, 4-bit pictures only

// A colour table never has more entries than an 8-bit picture can index; the platform reads
// no more than that either, so a longer one would put the bits where it does not look.
inline constexpr std::uint32_t kMaxColorTableEntries = 256;

// The info header's fields. A core header is held in the same form: its size field says 12,
// width and height are its 16-bit values, and the fields it lacks are 0.
struct DibInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: rows stored top-down
    std::uint16_t planes = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

// The header at the start of bytes, read by its size field: a 12-byte core header or a 40-byte
// info header. Nothing when bytes are too short for the header their size field names; other
// size fields are returned as they are, for the caller to refuse.
[[nodiscard]] std::optional<DibInfoHeader> ParseDibHeader(std::span<const std::uint8_t> bytes);

// The 40 bytes of an info header.
void WriteDibInfoHeader(const DibInfoHeader& header, std::span<std::uint8_t, kInfoHeaderSize> out);

// Colour-table entries of a picture: for a core header by its bit count; for an info header
// its colours-used value when that is not 0, else by its bit count. Bit count 1 gives 2, 4
// gives 16, 8 gives 256, any other count 0.
[[nodiscard]] std::uint32_t ColorTableEntries(const DibInfoHeader& header);

// Bytes of pixel bits of an uncompressed picture: rows of bitCount x width bits padded to 4
// bytes, |height| rows. Nothing when it does not fit in 32 bits.
[[nodiscard]] std::optional<std::uint32_t> UncompressedImageSize(const DibInfoHeader& header);

// A file as the reader sees it: a position that reads advance, and a size.
class DibSource {
public:
    virtual ~DibSource() = default;
    // Reads up to size bytes at the position and advances it; the count read, short at the
    // end of the file (or on a read error).
    virtual std::size_t Read(std::uint8_t* buffer, std::size_t size) = 0;
    // Moves the position; a position past the end makes later reads return 0.
    virtual void Seek(std::uint64_t position) = 0;
    [[nodiscard]] virtual std::uint64_t Position() const = 0;
    [[nodiscard]] virtual std::uint64_t Size() const = 0;
};

// A picture already in memory.
class MemoryDibSource : public DibSource {
public:
    explicit MemoryDibSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t Read(std::uint8_t* buffer, std::size_t size) override;
    void Seek(std::uint64_t position) override { position_ = position; }
    std::uint64_t Position() const override { return position_; }
    std::uint64_t Size() const override { return bytes_.size(); }

private:
    std::span<const std::uint8_t> bytes_;
    std::uint64_t position_ = 0;
};

// Reads the header and colour table from the source's position S and leaves the position at
// the pixel bits (S + the file header's bits offset when it gives one, else right behind the
// colour table). The block is a 40-byte info header (a core header converted to one) with its
// image size and colours used filled in, followed by ColorTableEntries 4-byte entries (3-byte
// ones widened). Nothing for a header of another size, a picture the platform cannot draw
// (width not above 0, height 0, bit count other than 1, 4, 8, 16, 24, 32, an unknown
// compression or one that does not match the bit count, compressed rows stored top-down),
// more than kMaxColorTableEntries colours, or a header or colour table cut short by the end of
// the file. An uncompressed picture's image size is always its rows' size, whatever the file
// says, since that is what the platform reads.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadDibHeader(DibSource& source);

// The whole picture from the source's position: the block of ReadDibHeader followed by the
// image size's bytes of pixel bits. Nothing when the header cannot be read or the file ends
// before the pixel bits do.
[[nodiscard]] std::optional<std::vector<std::uint8_t>> ReadDib(DibSource& source);

// The header at the start of a block made by ReadDibHeader or ReadDib.
[[nodiscard]] DibInfoHeader BlockHeader(std::span<const std::uint8_t> block);

struct PaletteColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const PaletteColour&, const PaletteColour&) = default;
};

// The logical palette of a picture block: one entry per colour-table entry; for a 24-bit
// picture without colour table a fixed 256-entry palette (red (i mod 8) x 32, green
// ((i / 8) mod 8) x 32, blue (i / 64) x 64); nothing for any other picture without colour
// table, or for a block whose header is not an info header or that is too short for its
// table.
[[nodiscard]] std::optional<std::vector<PaletteColour>>
DibPaletteColours(std::span<const std::uint8_t> block);

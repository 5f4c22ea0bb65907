#include "resources/DibReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t Dword(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) |
           (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void PutWord(std::span<std::uint8_t> out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutDword(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t EntriesForBitCount(std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

bool DrawableBitCount(std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        return true;
    default:
        return false;
    }
}

bool DrawableCompression(const DibInfoHeader& header) {
    switch (header.compression) {
    case kCompressionNone:
        return true;
    case kCompressionRle8:
        return header.bitCount == 8 && header.height > 0;
    case kCompressionRle4:
        return header.bitCount == 4 && header.height > 0;
    default:
        return false;
    }
}

std::uint64_t Remaining(const DibSource& source) {
    const std::uint64_t size = source.Size();
    const std::uint64_t position = source.Position();
    return position < size ? size - position : 0;
}

bool ReadExactly(DibSource& source, std::uint8_t* buffer, std::size_t size) {
    return source.Read(buffer, size) == size;
}

} // namespace

std::optional<DibInfoHeader> ParseDibHeader(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 4) {
        return std::nullopt;
    }
    DibInfoHeader header;
    header.size = Dword(bytes, 0);
    if (header.size == kCoreHeaderSize) {
        if (bytes.size() < kCoreHeaderSize) {
            return std::nullopt;
        }
        header.width = Word(bytes, 4);
        header.height = Word(bytes, 6);
        header.planes = Word(bytes, 8);
        header.bitCount = Word(bytes, 10);
        return header;
    }
    if (bytes.size() < kInfoHeaderSize) {
        return std::nullopt;
    }
    header.width = static_cast<std::int32_t>(Dword(bytes, 4));
    header.height = static_cast<std::int32_t>(Dword(bytes, 8));
    header.planes = Word(bytes, 12);
    header.bitCount = Word(bytes, 14);
    header.compression = Dword(bytes, 16);
    header.imageSize = Dword(bytes, 20);
    header.xPelsPerMeter = static_cast<std::int32_t>(Dword(bytes, 24));
    header.yPelsPerMeter = static_cast<std::int32_t>(Dword(bytes, 28));
    header.colorsUsed = Dword(bytes, 32);
    header.colorsImportant = Dword(bytes, 36);
    return header;
}

void WriteDibInfoHeader(const DibInfoHeader& header, std::span<std::uint8_t, kInfoHeaderSize> out) {
    PutDword(out, 0, header.size);
    PutDword(out, 4, static_cast<std::uint32_t>(header.width));
    PutDword(out, 8, static_cast<std::uint32_t>(header.height));
    PutWord(out, 12, header.planes);
    PutWord(out, 14, header.bitCount);
    PutDword(out, 16, header.compression);
    PutDword(out, 20, header.imageSize);
    PutDword(out, 24, static_cast<std::uint32_t>(header.xPelsPerMeter));
    PutDword(out, 28, static_cast<std::uint32_t>(header.yPelsPerMeter));
    PutDword(out, 32, header.colorsUsed);
    PutDword(out, 36, header.colorsImportant);
}

std::uint32_t ColorTableEntries(const DibInfoHeader& header) {
    if (header.size != kCoreHeaderSize && header.colorsUsed != 0) {
        return header.colorsUsed;
    }
    return EntriesForBitCount(header.bitCount);
}

std::optional<std::uint32_t> UncompressedImageSize(const DibInfoHeader& header) {
    if (header.width <= 0) {
        return std::nullopt;
    }
    const std::uint64_t rowBits =
        static_cast<std::uint64_t>(header.bitCount) * static_cast<std::uint64_t>(header.width);
    const std::uint64_t stride = (rowBits + 31) / 32 * 4;
    const std::uint64_t rows = header.height < 0 ? -static_cast<std::int64_t>(header.height)
                                                 : static_cast<std::uint64_t>(header.height);
    constexpr std::uint64_t kLimit = std::numeric_limits<std::uint32_t>::max();
    if (stride != 0 && rows > kLimit / stride) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(stride * rows);
}

std::size_t MemoryDibSource::Read(std::uint8_t* buffer, std::size_t size) {
    if (position_ >= bytes_.size()) {
        return 0;
    }
    const std::size_t count =
        std::min<std::uint64_t>(size, bytes_.size() - static_cast<std::size_t>(position_));
    std::memcpy(buffer, bytes_.data() + position_, count);
    position_ += count;
    return count;
}

std::optional<std::vector<std::uint8_t>> ReadDibHeader(DibSource& source) {
    const std::uint64_t start = source.Position();

    std::array<std::uint8_t, kFileHeaderSize> fileHeader{};
    const std::size_t fileHeaderRead = source.Read(fileHeader.data(), fileHeader.size());
    const bool hasFileHeader = fileHeaderRead >= 2 && Word(fileHeader, 0) == kBitmapFileType;
    std::uint32_t bitsOffset = 0;
    if (hasFileHeader) {
        if (fileHeaderRead < kFileHeaderSize) {
            return std::nullopt;
        }
        bitsOffset = Dword(fileHeader, 10);
    } else {
        source.Seek(start);
    }

    const std::uint64_t headerStart = source.Position();
    std::array<std::uint8_t, kInfoHeaderSize> raw{};
    const std::size_t headerRead = source.Read(raw.data(), raw.size());
    std::optional<DibInfoHeader> parsed =
        ParseDibHeader(std::span<const std::uint8_t>(raw.data(), headerRead));
    if (!parsed || (parsed->size != kInfoHeaderSize && parsed->size != kCoreHeaderSize)) {
        return std::nullopt;
    }
    DibInfoHeader header = *parsed;
    const std::uint32_t entries = ColorTableEntries(header);
    const bool core = header.size == kCoreHeaderSize;
    if (core) {
        // The fields a core header lacks are 0; its table length becomes explicit.
        header.size = kInfoHeaderSize;
        header.colorsUsed = entries;
        source.Seek(headerStart + kCoreHeaderSize);
    }

    if (header.width <= 0 || header.height == 0 || !DrawableBitCount(header.bitCount) ||
        !DrawableCompression(header) || entries > kMaxColorTableEntries) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> rowsSize = UncompressedImageSize(header);
    if (!rowsSize) {
        return std::nullopt;
    }
    if (header.compression == kCompressionNone || header.imageSize == 0) {
        header.imageSize = *rowsSize;
    }
    if (header.colorsUsed == 0) {
        header.colorsUsed = ColorTableEntries(header);
    }

    const std::size_t entrySize = core ? 3 : 4;
    if (static_cast<std::uint64_t>(entries) * entrySize > Remaining(source)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> block(kInfoHeaderSize + std::size_t{entries} * 4, 0);
    WriteDibInfoHeader(header,
                       std::span<std::uint8_t, kInfoHeaderSize>(block.data(), kInfoHeaderSize));
    std::uint8_t* table = block.data() + kInfoHeaderSize;
    if (!ReadExactly(source, table, entries * entrySize)) {
        return std::nullopt;
    }
    if (core) {
        // From the last entry to the first, so that no entry is overwritten before it moved.
        for (std::size_t i = entries; i-- > 0;) {
            const std::uint8_t blue = table[i * 3];
            const std::uint8_t green = table[i * 3 + 1];
            const std::uint8_t red = table[i * 3 + 2];
            table[i * 4] = blue;
            table[i * 4 + 1] = green;
            table[i * 4 + 2] = red;
            table[i * 4 + 3] = 0;
        }
    }

    if (hasFileHeader && bitsOffset != 0) {
        source.Seek(start + bitsOffset);
    }
    return block;
}

std::optional<std::vector<std::uint8_t>> ReadDib(DibSource& source) {
    std::optional<std::vector<std::uint8_t>> block = ReadDibHeader(source);
    if (!block) {
        return std::nullopt;
    }
    const std::uint32_t imageSize = BlockHeader(*block).imageSize;
    if (imageSize > Remaining(source)) {
        return std::nullopt;
    }
    const std::size_t tableEnd = block->size();
    block->resize(tableEnd + imageSize, 0);
    if (!ReadExactly(source, block->data() + tableEnd, imageSize)) {
        return std::nullopt;
    }
    return block;
}

DibInfoHeader BlockHeader(std::span<const std::uint8_t> block) {
    return ParseDibHeader(block).value_or(DibInfoHeader{});
}

std::optional<std::vector<PaletteColour>> DibPaletteColours(std::span<const std::uint8_t> block) {
    const std::optional<DibInfoHeader> header = ParseDibHeader(block);
    if (!header || header->size != kInfoHeaderSize) {
        return std::nullopt;
    }
    const std::uint32_t entries = ColorTableEntries(*header);
    std::vector<PaletteColour> colours;
    if (entries > 0) {
        if (entries > kMaxColorTableEntries ||
            block.size() < kInfoHeaderSize + std::size_t{entries} * 4) {
            return std::nullopt;
        }
        colours.reserve(entries);
        for (std::size_t i = 0; i < entries; ++i) {
            const std::uint8_t* entry = block.data() + kInfoHeaderSize + i * 4;
            colours.push_back({entry[2], entry[1], entry[0]});
        }
        return colours;
    }
    if (header->bitCount != 24) {
        return std::nullopt;
    }
    colours.reserve(256);
    for (unsigned i = 0; i < 256; ++i) {
        colours.push_back({static_cast<std::uint8_t>((i % 8) * 32),
                           static_cast<std::uint8_t>((i / 8 % 8) * 32),
                           static_cast<std::uint8_t>((i / 64) * 64)});
    }
    return colours;
}

#include "support/BmpBuilder.h"

#include <cstdlib>

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

} // namespace

std::vector<std::uint8_t> EncodeBits(const TestPicture& picture) {
    if (picture.useRawBits) {
        return picture.rawBits;
    }
    // A picture without width (as some refusal tests write) has no bits.
    const int rows = std::abs(picture.height);
    const int width = picture.width > 0 ? picture.width : 0;
    const std::size_t stride = (std::size_t{picture.bitCount} * width + 31) / 32 * 4;
    std::vector<std::uint8_t> bits(stride * rows, 0);
    for (int y = 0; y < rows; ++y) {
        const int stored = picture.height > 0 ? rows - 1 - y : y;
        std::uint8_t* row = bits.data() + stride * stored;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = picture.pixel(x, y);
            switch (picture.bitCount) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((value & 15) << (x % 2 ? 0 : 4));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(value);
                break;
            case 16:
                row[x * 2] = static_cast<std::uint8_t>(value);
                row[x * 2 + 1] = static_cast<std::uint8_t>(value >> 8);
                break;
            case 24:
            case 32: {
                const std::size_t at = x * (picture.bitCount / 8);
                row[at] = static_cast<std::uint8_t>(value);           // blue
                row[at + 1] = static_cast<std::uint8_t>(value >> 8);  // green
                row[at + 2] = static_cast<std::uint8_t>(value >> 16); // red
                break;
            }
            default:
                break;
            }
        }
    }
    return bits;
}

std::vector<std::uint8_t> EncodeBmp(const TestPicture& picture, FileHeader fileHeader,
                                    HeaderKind kind) {
    const bool core = kind == HeaderKind::Core;
    const std::vector<std::uint8_t> bits = EncodeBits(picture);
    const std::uint32_t headerSize = core ? 12 : 40;
    const std::uint32_t tableSize =
        static_cast<std::uint32_t>(picture.table.size()) * (core ? 3 : 4);
    const std::uint32_t fileHeaderSize = fileHeader == FileHeader::With ? 14 : 0;
    const std::uint32_t bitsOffset = fileHeaderSize + headerSize + tableSize + picture.gap;

    std::vector<std::uint8_t> out;
    if (fileHeader == FileHeader::With) {
        out.push_back('B');
        out.push_back('M');
        Put32(out, bitsOffset + static_cast<std::uint32_t>(bits.size()));
        Put32(out, 0);
        Put32(out, bitsOffset);
    }
    Put32(out, headerSize);
    if (core) {
        Put16(out, static_cast<std::uint32_t>(picture.width));
        Put16(out, static_cast<std::uint32_t>(picture.height));
        Put16(out, 1);
        Put16(out, picture.bitCount);
    } else {
        Put32(out, static_cast<std::uint32_t>(picture.width));
        Put32(out, static_cast<std::uint32_t>(picture.height));
        Put16(out, 1);
        Put16(out, picture.bitCount);
        Put32(out, picture.compression);
        Put32(out, picture.imageSizeField);
        Put32(out, 2835); // 72 dpi
        Put32(out, 2835);
        Put32(out, picture.colorsUsed);
        Put32(out, 0);
    }
    for (const Rgb& colour : picture.table) {
        out.push_back(colour.blue);
        out.push_back(colour.green);
        out.push_back(colour.red);
        if (!core) {
            out.push_back(0);
        }
    }
    out.insert(out.end(), picture.gap, 0xEE);
    out.insert(out.end(), bits.begin(), bits.end());
    return out;
}

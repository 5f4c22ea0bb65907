#include "resources/DibReader.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

// Any input is read as a picture file: it is refused, or it gives a block that holds exactly
// the header, the colour table its header counts and the pixel bits its image size counts,
// with the header's block a prefix of it; an uncompressed picture's image size covers all its
// rows, so the platform never reads past the block. The sanitizers check that reading stays
// inside the input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);

    MemoryDibSource headerSource(input);
    const std::optional<std::vector<std::uint8_t>> header = ReadDibHeader(headerSource);
    MemoryDibSource source(input);
    const std::optional<std::vector<std::uint8_t>> dib = ReadDib(source);
    if (dib && !header) {
        std::abort();
    }
    if (!dib) {
        return 0;
    }

    const DibInfoHeader info = BlockHeader(*dib);
    const std::uint32_t entries = ColorTableEntries(info);
    if (info.size != kInfoHeaderSize || info.width <= 0 || info.height == 0 ||
        entries > kMaxColorTableEntries ||
        dib->size() != kInfoHeaderSize + std::size_t{entries} * 4 + info.imageSize ||
        header->size() != kInfoHeaderSize + std::size_t{entries} * 4 ||
        !std::equal(header->begin(), header->end(), dib->begin())) {
        std::abort();
    }
    if (info.compression == kCompressionNone && UncompressedImageSize(info) != info.imageSize) {
        std::abort();
    }
    const std::optional<std::vector<PaletteColour>> palette = DibPaletteColours(*dib);
    if (palette && palette->size() != (entries ? entries : 256)) {
        std::abort();
    }
    return 0;
}

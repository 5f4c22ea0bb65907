#include "ui/BitmapImage.h"

#include "engine/FileOperations.h"
#include "resources/DibReader.h"
#include "ui/GdiScopes.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace {

// A file opened by the caller, read through the DIB reader.
class FileDibSource : public DibSource {
public:
    explicit FileDibSource(HANDLE file) : file_(file) {
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file, &size)) {
            size_ = static_cast<std::uint64_t>(size.QuadPart);
        }
    }

    std::size_t Read(std::uint8_t* buffer, std::size_t size) override {
        if (position_ >= size_) {
            return 0;
        }
        DWORD read = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &read, nullptr)) {
            return 0;
        }
        position_ += read;
        return read;
    }

    void Seek(std::uint64_t position) override {
        LARGE_INTEGER to{};
        to.QuadPart = static_cast<LONGLONG>(position);
        if (SetFilePointerEx(file_, to, nullptr, FILE_BEGIN)) {
            position_ = position;
        } else {
            // Later reads must not take bytes from the old position.
            position_ = size_;
        }
    }

    std::uint64_t Position() const override { return position_; }
    std::uint64_t Size() const override { return size_; }

private:
    HANDLE file_;
    std::uint64_t position_ = 0;
    std::uint64_t size_ = 0;
};

// A movable, locked view of a global block for the time of one use.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block)
        : block_(block), data_(block ? static_cast<std::uint8_t*>(GlobalLock(block)) : nullptr),
          size_(data_ ? GlobalSize(block) : 0) {}
    ~LockedBlock() {
        if (data_) {
            GlobalUnlock(block_);
        }
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;

    std::span<const std::uint8_t> bytes() const { return {data_, size_}; }

private:
    HGLOBAL block_;
    std::uint8_t* data_;
    std::size_t size_;
};

UniqueGlobal MovableBlock(const std::vector<std::uint8_t>& bytes) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size()));
    if (!block) {
        return block;
    }
    void* data = GlobalLock(block.get());
    if (!data) {
        return {};
    }
    std::memcpy(data, bytes.data(), bytes.size());
    GlobalUnlock(block.get());
    return block;
}

Failure ReadHeaderBlock(const char* path, std::optional<std::vector<std::uint8_t>>& header) {
    UniqueFile file;
    if (Failure failure = OpenFileExclusive(path, GENERIC_READ, OPEN_EXISTING, file)) {
        return failure;
    }
    FileDibSource source(file.get());
    header = ReadDibHeader(source);
    return std::nullopt;
}

} // namespace

Failure ReadDib(const char* path, UniqueGlobal& block) {
    std::optional<std::vector<std::uint8_t>> dib;
    {
        UniqueFile file;
        if (Failure failure = OpenFileExclusive(path, GENERIC_READ, OPEN_EXISTING, file)) {
            return failure;
        }
        FileDibSource source(file.get());
        dib = ReadDib(source);
    }
    block = dib ? MovableBlock(*dib) : UniqueGlobal{};
    return std::nullopt;
}

UniqueGdi<HPALETTE> CreateDibPalette(HGLOBAL headerBlock) {
    const LockedBlock header(headerBlock);
    const std::optional<std::vector<PaletteColour>> colours = DibPaletteColours(header.bytes());
    if (!colours || colours->empty()) {
        return {};
    }
    // LOGPALETTE declares one entry and is followed by the rest.
    std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) +
                                      (colours->size() - 1) * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours->size());
    for (std::size_t i = 0; i < colours->size(); ++i) {
        const PaletteColour& colour = (*colours)[i];
        palette->palPalEntry[i] = {colour.red, colour.green, colour.blue, 0};
    }
    return UniqueGdi<HPALETTE>(CreatePalette(palette));
}

UniqueGdi<HBITMAP> CreateBitmapFromDib(HGLOBAL dibBlock, HPALETTE palette) {
    const LockedBlock dib(dibBlock);
    const std::span<const std::uint8_t> bytes = dib.bytes();
    const DibInfoHeader header = BlockHeader(bytes);
    const std::size_t bitsOffset = kInfoHeaderSize + std::size_t{ColorTableEntries(header)} * 4;
    if (header.size != kInfoHeaderSize || bytes.size() < bitsOffset + header.imageSize) {
        return {};
    }
    const WindowDc screen(nullptr);
    if (!screen.dc()) {
        return {};
    }
    HBITMAP bitmap = nullptr;
    {
        const SelectedPalette selected(screen.dc(), palette);
        if (palette) {
            RealizePalette(screen.dc());
        }
        const auto* info = reinterpret_cast<const BITMAPINFO*>(bytes.data());
        bitmap = CreateDIBitmap(screen.dc(), &info->bmiHeader, CBM_INIT, bytes.data() + bitsOffset,
                                info, DIB_RGB_COLORS);
    }
    return UniqueGdi<HBITMAP>(bitmap);
}

Failure LoadBitmapFile(BitmapImage& image, const char* path) {
    std::optional<std::vector<std::uint8_t>> header;
    if (Failure failure = ReadHeaderBlock(path, header)) {
        return failure;
    }
    if (!header) {
        return std::nullopt;
    }
    const DibInfoHeader info = BlockHeader(*header);
    image.width = info.width;
    image.height = std::abs(info.height);
    image.headerBlock = MovableBlock(*header);
    if (!image.headerBlock) {
        return std::nullopt;
    }
    image.palette = CreateDibPalette(image.headerBlock.get());
    if (!image.palette) {
        return std::nullopt;
    }
    if (Failure failure = ReadDib(path, image.dibBlock)) {
        return failure;
    }
    if (image.dibBlock) {
        image.deviceBitmap = CreateBitmapFromDib(image.dibBlock.get(), image.palette.get());
    }
    return std::nullopt;
}

void FreeBitmapImage(BitmapImage& image) {
    image.palette.reset();
    image.deviceBitmap.reset();
    image.dibBlock.reset();
    image.headerBlock.reset();
}

bool PaintBitmapStretched(const BitmapImage* image, HWND window) {
    if (!image || !image->deviceBitmap) {
        return false;
    }
    const PaintScope paint(window);
    RECT client{};
    GetClientRect(window, &client);
    const UniqueMemoryDC memory(CreateCompatibleDC(paint.dc()));
    if (!memory) {
        return true;
    }
    const HPALETTE palette = image->palette.get();
    const SelectedPalette memoryPalette(memory.get(), palette);
    const SelectedPalette paintPalette(paint.dc(), palette);
    RealizePalette(paint.dc());
    const SelectedObject bitmap(memory.get(), image->deviceBitmap.get());
    StretchBlt(paint.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, image->width,
               image->height, SRCCOPY);
    return true;
}

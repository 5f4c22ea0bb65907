#include "lz/SzddExpander.h"

#include "lz/SzddFormat.h"

#include <algorithm>
#include <array>

std::string_view DescribeSzddStatus(SzddStatus status) {
    switch (status) {
    case SzddStatus::Ok:
        return "ok";
    case SzddStatus::NotCompressed:
        return "not an LZ-compressed (SZDD) file";
    case SzddStatus::HeaderTruncated:
        return "the SZDD header is cut short";
    case SzddStatus::UnknownMode:
        return "unknown SZDD compression mode (only 'A' is known)";
    case SzddStatus::LengthTooLarge:
        return "the SZDD header gives an expanded length above 2147483647 bytes";
    case SzddStatus::DataTruncated:
        return "the compressed data ends before the expanded length is reached";
    }
    return "unknown status";
}

bool HasSzddMagic(std::span<const std::uint8_t> data) {
    return data.size() >= kSzddMagic.size() &&
           std::equal(kSzddMagic.begin(), kSzddMagic.end(), data.begin());
}

SzddHeaderResult ReadSzddHeader(std::span<const std::uint8_t> data) {
    SzddHeaderResult result;
    if (!HasSzddMagic(data)) {
        // A file shorter than the magic that agrees with it as far as it goes is a cut header,
        // not some other file.
        const std::size_t n = std::min(data.size(), kSzddMagic.size());
        const bool prefix = n > 0 && std::equal(data.begin(), data.begin() + n, kSzddMagic.begin());
        result.status = prefix ? SzddStatus::HeaderTruncated : SzddStatus::NotCompressed;
        return result;
    }
    if (data.size() < kSzddHeaderSize) {
        result.status = SzddStatus::HeaderTruncated;
        return result;
    }
    result.header.mode = data[8];
    result.header.missingChar = data[9];
    result.header.length =
        static_cast<std::uint32_t>(data[10]) | static_cast<std::uint32_t>(data[11]) << 8 |
        static_cast<std::uint32_t>(data[12]) << 16 | static_cast<std::uint32_t>(data[13]) << 24;
    if (result.header.mode != kSzddModeLzss) {
        result.status = SzddStatus::UnknownMode;
    } else if (result.header.length > kSzddMaxLength) {
        result.status = SzddStatus::LengthTooLarge;
    }
    return result;
}

SzddExpandResult ExpandSzdd(std::span<const std::uint8_t> input) {
    SzddExpandResult result;
    const SzddHeaderResult head = ReadSzddHeader(input);
    result.status = head.status;
    result.header = head.header;
    if (head.status != SzddStatus::Ok) {
        return result;
    }

    const std::size_t length = head.header.length;
    const std::span<const std::uint8_t> body = input.subspan(kSzddHeaderSize);
    // Nine input bytes (a flag byte and eight literals) at least give eight output bytes, and
    // at most 17 bytes give 144; reserving more than that would trust the header blindly.
    std::vector<std::uint8_t>& out = result.data;
    out.reserve(std::min<std::size_t>(length, body.size() / 17 * 144 + 144));

    std::array<std::uint8_t, kSzddWindowSize> window;
    window.fill(kSzddWindowFill);
    std::size_t windowPos = kSzddWindowStart;
    std::size_t in = 0;

    while (out.size() < length) {
        if (in >= body.size()) {
            break;
        }
        const unsigned flags = body[in++];
        for (unsigned bit = 0; bit < 8 && out.size() < length; ++bit) {
            if (flags & (1u << bit)) {
                if (in >= body.size()) {
                    break;
                }
                const std::uint8_t byte = body[in++];
                out.push_back(byte);
                window[windowPos] = byte;
                windowPos = (windowPos + 1) & kSzddWindowMask;
            } else {
                if (body.size() - in < 2) {
                    in = body.size();
                    break;
                }
                const unsigned lo = body[in];
                const unsigned hi = body[in + 1];
                in += 2;
                std::size_t from = lo | (hi & 0xF0u) << 4;
                std::size_t count = (hi & 0x0Fu) + kSzddMinMatch;
                count = std::min(count, length - out.size());
                for (std::size_t i = 0; i < count; ++i) {
                    const std::uint8_t byte = window[from];
                    from = (from + 1) & kSzddWindowMask;
                    out.push_back(byte);
                    window[windowPos] = byte;
                    windowPos = (windowPos + 1) & kSzddWindowMask;
                }
            }
        }
    }

    result.consumed = kSzddHeaderSize + in;
    if (out.size() < length) {
        result.status = SzddStatus::DataTruncated;
        out.clear();
        out.shrink_to_fit();
    }
    return result;
}

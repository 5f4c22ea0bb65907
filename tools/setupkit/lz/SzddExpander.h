#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct SzddHeader {
    std::uint8_t mode = 0;
    std::uint8_t missingChar = 0; // 0: none stored
    std::uint32_t length = 0;     // expanded length
};

enum class SzddStatus {
    Ok,
    NotCompressed,   // no SZDD magic
    HeaderTruncated, // magic present, header cut short
    UnknownMode,     // mode other than 'A'
    LengthTooLarge,  // above what LZSeek can report
    DataTruncated,   // the data ends before the header's length is reached
};

// A message for the status, for the tool's error reports.
std::string_view DescribeSzddStatus(SzddStatus status);

// True when data starts with the full magic: the LZ library will treat it as compressed.
[[nodiscard]] bool HasSzddMagic(std::span<const std::uint8_t> data);

struct SzddHeaderResult {
    SzddStatus status = SzddStatus::Ok;
    SzddHeader header;
};

[[nodiscard]] SzddHeaderResult ReadSzddHeader(std::span<const std::uint8_t> data);

struct SzddExpandResult {
    SzddStatus status = SzddStatus::Ok;
    SzddHeader header;
    std::vector<std::uint8_t> data; // the expanded bytes; empty unless status is Ok
    std::size_t consumed = 0;       // input bytes used, header included; the rest is ignored
};

// Expands a whole compressed file held in memory. Never reads outside input and never
// allocates more than the input can produce, whatever length the header claims. Bytes after
// the point where the header's length is reached are ignored, as the LZ library does (some
// compressors leave a partly used group there).
[[nodiscard]] SzddExpandResult ExpandSzdd(std::span<const std::uint8_t> input);

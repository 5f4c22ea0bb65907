#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A file stored for expansion (compressed items, the pictures, the uninstaller) as the LZ
// library gives it back: SZDD data expanded, any other bytes as they are (the builder keeps a
// file that does not shrink as it is, under its compressed name).
struct StoredContents {
    bool compressed = false;        // the bytes are SZDD data
    std::vector<std::uint8_t> data; // what it expands to; empty when there is a problem
    std::uint64_t size = 0;         // the expanded size, when there is no problem
    std::string problem; // "truncated: the header gives 5,120 bytes, it expands to 2,048"
};

[[nodiscard]] StoredContents ExpandStored(std::span<const std::uint8_t> stored);

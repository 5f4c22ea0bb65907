#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

// Called now and then while a large input is compressed, with the bytes done so far and the
// total.
using SzddProgress = std::function<void(std::size_t done, std::size_t total)>;

// The header's missing character for a file stored under its compressed name: the last
// character of an extension of three or more characters, which the name's "_" replaced
// (SETUP.EXE -> 'E'). Shorter extensions only gain a "_" (READ.ME -> READ.ME_, FILE ->
// FILE._), so nothing is missing and 0 is stored: an expander that put a character back
// would make READ.MEE of it.
[[nodiscard]] std::uint8_t SzddMissingChar(std::string_view fileName);

// Compresses data into a complete SZDD file (header and LZSS data). missingChar is stored in
// the header for expanders that restore the original name (0: none). The parse is optimal
// for the format's fixed token costs: every position's longest match is found, and the
// cheapest sequence of literals and matches is chosen by dynamic programming over blocks.
// Throws std::length_error when data is longer than the header can describe.
[[nodiscard]] std::vector<std::uint8_t> CompressSzdd(std::span<const std::uint8_t> data,
                                                     std::uint8_t missingChar,
                                                     const SzddProgress& progress = {});

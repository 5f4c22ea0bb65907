#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// The compressed-file format that the Windows LZ expansion library (LZInit, LZCopy,
// VerInstallFileA) reads:
//
//   offset 0  8 bytes  magic "SZDD" 88 F0 27 33
//   offset 8  1 byte   compression mode, always 'A'
//   offset 9  1 byte   the character that the compressed name replaced, or 0
//   offset 10 4 bytes  length of the expanded data, little-endian
//   offset 14          LZSS data
//
// The data is a sequence of groups: one flag byte, then eight tokens, one per flag bit, least
// significant bit first. A set bit is a literal byte; a clear bit is a two-byte match
// [lo, hi]: window position lo | (hi & 0xF0) << 4, length (hi & 0x0F) + 3. Every expanded byte
// is also written into a 4096-byte ring window, which starts filled with spaces and is
// written from position 4096 - 16 on. Matches read the window one byte at a time, so a match
// may overlap the bytes it produces. Expansion stops when the header's length is reached; the
// last group may be cut short.

inline constexpr std::array<std::uint8_t, 8> kSzddMagic = {'S',  'Z',  'D',  'D',
                                                           0x88, 0xF0, 0x27, 0x33};
inline constexpr std::size_t kSzddHeaderSize = 14;
inline constexpr std::uint8_t kSzddModeLzss = 'A';

inline constexpr std::size_t kSzddWindowSize = 4096;
inline constexpr std::size_t kSzddWindowMask = kSzddWindowSize - 1;
inline constexpr std::size_t kSzddWindowStart = kSzddWindowSize - 16;
inline constexpr std::uint8_t kSzddWindowFill = ' ';
inline constexpr std::size_t kSzddMinMatch = 3;
inline constexpr std::size_t kSzddMaxMatch = 18;

// The expanded length is read by LZSeek as a signed 32-bit value.
inline constexpr std::uint64_t kSzddMaxLength = 0x7FFFFFFF;

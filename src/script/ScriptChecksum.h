#pragma once

#include <cstddef>
#include <cstdint>

// CRC-16/X-25 (CRC-16/IBM-SDLC) of the bytes, with its two bytes exchanged: the value that the
// script header stores as a little-endian word (so the file holds the CRC's high byte first).
// An empty range gives 0.
std::uint16_t ScriptChecksum(const std::uint8_t* bytes, std::size_t length);

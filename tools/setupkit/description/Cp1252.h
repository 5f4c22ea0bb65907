#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Script texts are ANSI bytes (Windows-1252); a product description holds them as UTF-8. Every
// byte 0x00-0xFF has exactly one code point: its Windows-1252 character where one is defined,
// and the C1 control of the same number for the five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D). So every stored byte, NUL and control bytes included, survives
// the way out and back.

char32_t CodePointOfAnsiByte(std::uint8_t byte);

// The byte for a code point; none when Windows-1252 has no such character.
std::optional<std::uint8_t> AnsiByteOf(char32_t codePoint);

std::string AnsiToUtf8(std::string_view ansi);

struct AnsiConversion {
    std::string ansi;
    // The first character that has no byte (U+FFFD for malformed UTF-8); none on success.
    std::optional<char32_t> unmapped;
};

AnsiConversion Utf8ToAnsi(std::string_view utf8);

// Decodes the UTF-8 sequence at text[i] and moves i past it; U+FFFD for a malformed sequence
// (cut off, overlong, a surrogate, beyond U+10FFFF). i must be below text.size().
char32_t DecodeUtf8(std::string_view text, std::size_t& i);

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);

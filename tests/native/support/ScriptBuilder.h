#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lays out script bytes by hand, field by field, so that loader tests do not depend on the
// script writer they are meant to check.
class ScriptBuilder {
public:
    ScriptBuilder& Byte(std::uint8_t value);
    ScriptBuilder& Word(std::uint16_t value);
    ScriptBuilder& Dword(std::uint32_t value);
    ScriptBuilder& Text(std::string_view text);
    ScriptBuilder& Texts(int count, std::string_view text = {});
    ScriptBuilder& Raw(const std::vector<std::uint8_t>& bytes);

    // The 21 header fields with empty texts and zero bytes.
    ScriptBuilder& EmptyHeaderFields();
    // Sections S1 to S12 all empty (23 bytes).
    ScriptBuilder& EmptySections();

    const std::vector<std::uint8_t>& Body() const { return body_; }

    // Version 1, the correct checksum word, then the body.
    std::vector<std::uint8_t> Image() const;

private:
    std::vector<std::uint8_t> body_;
};

// A whole script image: version, checksum word and body.
std::vector<std::uint8_t> MakeImage(const std::vector<std::uint8_t>& body,
                                    std::uint32_t version = 1);

// The smallest script that loads: 50 bytes, no directory.
std::vector<std::uint8_t> MinimalScriptImage();

#include "script/ScriptReader.h"

namespace {

// What a read past the end gives: the longest field is a text of 255 characters.
constexpr std::uint8_t kZeros[256] = {};

} // namespace

const std::uint8_t* ScriptReader::Take(std::size_t count) {
    if (failed_ || count > Remaining()) {
        if (!failed_) {
            failed_ = true;
            failedField_ = offset_;
        }
        return kZeros;
    }
    const std::uint8_t* at = image_.data() + offset_;
    offset_ += count;
    return at;
}

std::uint8_t ScriptReader::ReadByte() {
    return *Take(1);
}

std::uint16_t ScriptReader::ReadWord() {
    const std::uint8_t* at = Take(2);
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t ScriptReader::ReadDword() {
    const std::uint8_t* at = Take(4);
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

void ScriptReader::ReadText(FixedText& field) {
    const std::uint8_t length = ReadByte();
    const std::uint8_t* at = Take(length);
    field.Assign({reinterpret_cast<const char*>(at), length});
}

TextBlock ScriptReader::ReadTextAlloc() {
    FixedText text;
    ReadText(text);
    if (text.Stored().empty()) {
        return std::nullopt;
    }
    return text;
}

#include "script/ScriptReader.h"

#include "script/SetupError.h"

#include <string>

const std::uint8_t* ScriptReader::Take(std::size_t count) {
    if (count > Remaining()) {
        throw SetupError(kErrorBadScript, "the script ends at byte " +
                                              std::to_string(image_.size()) +
                                              " in the middle of a field that starts at byte " +
                                              std::to_string(offset_));
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

#pragma once

#include "script/FixedText.h"
#include "script/ScriptModel.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A cursor over the script image. Every read checks the end of the image first: a script that
// ends before its fields do is refused as unreadable (SetupError 8000), never read past.
class ScriptReader {
public:
    explicit ScriptReader(std::span<const std::uint8_t> image) : image_(image) {}

    std::uint8_t ReadByte();
    std::uint16_t ReadWord();
    std::uint32_t ReadDword();
    void ReadText(FixedText& field);
    TextBlock ReadTextAlloc();

    std::size_t Offset() const { return offset_; }
    std::size_t Remaining() const { return image_.size() - offset_; }

private:
    const std::uint8_t* Take(std::size_t count);

    std::span<const std::uint8_t> image_;
    std::size_t offset_ = 0;
};

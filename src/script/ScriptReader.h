#pragma once

#include "script/FixedText.h"
#include "script/ScriptModel.h"

#include <cstddef>
#include <cstdint>
#include <span>

// A cursor over the script image. Every read checks the end of the image first and never reads
// past it: a read beyond the end gives zeros and marks the reader failed (Failed), and the
// parser refuses the script as unreadable (SetupError 8000).
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

    // The end of the image was reached inside a field; FailedField is where that field began.
    bool Failed() const { return failed_; }
    std::size_t FailedField() const { return failedField_; }

private:
    const std::uint8_t* Take(std::size_t count);

    std::span<const std::uint8_t> image_;
    std::size_t offset_ = 0;
    bool failed_ = false;
    std::size_t failedField_ = 0;
};

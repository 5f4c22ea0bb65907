#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// A script text: a fixed 256-character field holding at most 255 characters and a NUL.
// The stored length is kept beside the characters so that a text read from a script is
// written back byte for byte, even when it contains a NUL of its own; the system itself
// uses the text as the NUL-terminated string that CStr() gives.
class FixedText {
public:
    static constexpr std::size_t kFieldSize = 256;
    static constexpr std::size_t kMaxLength = kFieldSize - 1;

    FixedText() = default;
    explicit FixedText(std::string_view text) { Assign(text); }

    // Stores text, cut to kMaxLength characters; returns false when it had to cut.
    bool Assign(std::string_view text);

    // The characters up to the first NUL: what every user of the text sees.
    std::string_view View() const;
    std::string Str() const { return std::string(View()); }
    const char* CStr() const { return chars_; }

    // The characters exactly as stored (may hold NULs), used by the script writer.
    std::string_view Stored() const { return {chars_, length_}; }

    bool Empty() const { return chars_[0] == '\0'; }

    // Raw access for platform calls that fill the field; call Sync() afterwards.
    char* Buffer() { return chars_; }
    void Sync();

    friend bool operator==(const FixedText& a, const FixedText& b) {
        return a.Stored() == b.Stored();
    }

private:
    char chars_[kFieldSize]{};
    std::uint8_t length_ = 0;
};

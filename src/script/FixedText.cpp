#include "script/FixedText.h"

#include <cstring>

bool FixedText::Assign(std::string_view text) {
    const bool fits = text.size() <= kMaxLength;
    const std::size_t n = fits ? text.size() : kMaxLength;
    std::memcpy(chars_, text.data(), n);
    std::memset(chars_ + n, 0, kFieldSize - n);
    length_ = static_cast<std::uint8_t>(n);
    return fits;
}

std::string_view FixedText::View() const {
    return {chars_, ::strnlen(chars_, kMaxLength)};
}

void FixedText::Sync() {
    chars_[kMaxLength] = '\0';
    length_ = static_cast<std::uint8_t>(::strnlen(chars_, kMaxLength));
}

#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// format with each "%s" replaced, in order, by the next value; a value's own text is never
// searched again, and marks beyond the values stay as they are.
inline std::string FillIn(std::string_view format, std::initializer_list<std::string_view> values) {
    std::string text(format);
    std::size_t from = 0;
    for (std::string_view value : values) {
        const std::size_t at = text.find("%s", from);
        if (at == std::string::npos) {
            break;
        }
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

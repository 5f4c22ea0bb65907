#pragma once

#include <string_view>

// Calls visit with each line of text, without its line feed (a last line without one counts).
template <typename Visit> void ForEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        visit(line);
    }
}

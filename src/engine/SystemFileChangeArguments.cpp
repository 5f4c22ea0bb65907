#include "engine/SystemFileChangeArguments.h"

#include <limits>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Code 8: "80,25" gives 80 and 25. Leading commas are passed over; the second number is read
// from everything after the comma that ends the first field, so "80,,25" gives 80 and 0.
SystemFileChangeArguments TwoNumbers(std::string_view value) {
    SystemFileChangeArguments arguments;
    const std::size_t start = value.find_first_not_of(',');
    if (start == std::string_view::npos) {
        return arguments;
    }
    const std::size_t end = value.find(',', start);
    arguments.first = ReadDecimal(value.substr(start, end - start));
    if (end != std::string_view::npos) {
        arguments.second = ReadDecimal(value.substr(end + 1));
    }
    return arguments;
}

} // namespace

std::int32_t ReadDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a magnitude that stops growing past the limit, so that no digit string
    // overflows; the lowest value has one more unit of magnitude than the highest.
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) {
            magnitude = limit;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

SystemFileChangeArguments SystemFileChangeArgumentsFor(std::uint32_t changeType,
                                                       std::string_view value) {
    SystemFileChangeArguments arguments;
    switch (changeType) {
    case 1:
    case 3:
    case 11:
        arguments.text = ChangeText::Value;
        break;
    case 2:
    case 4:
    case 10:
        arguments.text = ChangeText::Value;
        arguments.first = 1;
        break;
    case 5:
    case 6:
    case 9:
        arguments.first = ReadDecimal(value);
        break;
    case 7:
        // The character as the signed byte it is in the script: 0xE9 gives -23.
        arguments.first = value.empty() ? 0 : static_cast<std::int8_t>(value.front());
        break;
    case 8:
        arguments = TwoNumbers(value);
        break;
    default:
        break;
    }
    return arguments;
}

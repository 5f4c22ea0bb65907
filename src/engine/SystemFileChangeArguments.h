#pragma once

#include <cstdint>
#include <string_view>

// What one system-file change record hands to EDITSYS.DLL's MakeSystemFileChange besides its
// change code: the record's text or none, and two integers read from it. The library's last
// two integers are always 0 for a record.

enum class ChangeText {
    None,  // a null text pointer
    Value, // the record's value text
};

struct SystemFileChangeArguments {
    ChangeText text = ChangeText::None;
    std::int32_t first = 0;
    std::int32_t second = 0;
};

// The arguments for changeType and value:
//   1, 3, 11  the value, 0, 0          5, 6, 9  none, the value's decimal number, 0
//   2, 4, 10  the value, 1, 0          7        none, the first character as a signed byte, 0
//   8         none, the numbers of the first comma-separated field and of the text after it
//   others    none, 0, 0
[[nodiscard]] SystemFileChangeArguments SystemFileChangeArgumentsFor(std::uint32_t changeType,
                                                                     std::string_view value);

// The decimal number at the start of text: leading blanks (space, tab, line feed, vertical
// tab, form feed, carriage return) skipped, one optional sign, then the digits up to the first
// other character. No digits give 0; a number beyond the 32-bit range gives the nearest limit.
[[nodiscard]] std::int32_t ReadDecimal(std::string_view text);

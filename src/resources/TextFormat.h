#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// A printf-style format of the string table filled with arguments that are already text. Each
// conversion %s, %d, %ld, %u or %lu takes the next argument as it is; %% is a percent sign;
// anything else is copied. A conversion without an argument left is dropped. This lets the
// figures of a format written for 32-bit numbers carry 64-bit values.
[[nodiscard]] std::string FormatWithTexts(std::string_view format,
                                          std::initializer_list<std::string_view> arguments);

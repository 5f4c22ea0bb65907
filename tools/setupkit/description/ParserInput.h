#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// toml++ 3.3 decides whether a non-ASCII character is whitespace through undefined behaviour
// for some code points (U+00A1-U+0499 and U+FC06-U+FEFE reach an "unreachable" switch
// default), and it asks that about characters outside strings, in bare values that run into a
// quote, and inside multi-line basic strings. So the text handed to it holds no non-ASCII
// character except in comments: every string becomes a basic string with its non-ASCII
// characters as \u escapes (literal strings are rewritten as basic strings that mean the same),
// and a non-ASCII character outside strings and comments, which TOML does not allow anyway, is
// refused here. No line break is added or removed, so lines in messages stay right.
struct PreparedText {
    std::string text;
    std::uint32_t errorLine = 0; // 0: none
    std::string problem;
};

[[nodiscard]] PreparedText PrepareForParser(std::string_view in);

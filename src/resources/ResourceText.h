#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// Texts of the string table linked into the running program.

// String id, cut to capacity - 1 characters as a buffer of that capacity would hold it; empty
// when the table has no such string.
std::string LoadResourceText(UINT id, int capacity);

// String id (loaded as LoadResourceText does) used as a printf format for arguments. The
// result has whatever length the arguments give it; nothing is cut.
template <typename... Arguments>
std::string FormatResourceText(UINT id, int capacity, Arguments... arguments) {
    const std::string format = LoadResourceText(id, capacity);
    const int length = std::snprintf(nullptr, 0, format.c_str(), arguments...);
    if (length <= 0) {
        return {};
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    std::snprintf(text.data(), text.size(), format.c_str(), arguments...);
    return std::string(text.data(), static_cast<std::size_t>(length));
}

#pragma once

#include "resources/TextFormat.h"

#include <windows.h>

#include <string>
#include <string_view>

// Texts of the string table linked into the running program.

// String id, cut to capacity - 1 characters as a buffer of that capacity would hold it; empty
// when the table has no such string.
std::string LoadResourceText(UINT id, int capacity);

// String id (loaded as LoadResourceText does) used as a printf format for texts: each %s takes
// the next text, as printf would (FormatWithTexts). The result has whatever length the texts
// give it; nothing is cut.
template <typename... Texts> std::string FormatResourceText(UINT id, int capacity, Texts... texts) {
    return FormatWithTexts(LoadResourceText(id, capacity), {std::string_view(texts)...});
}

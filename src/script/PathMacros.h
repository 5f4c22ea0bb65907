#pragma once

#include "script/FixedText.h"

#include <string>
#include <string_view>

// The directory values that the macros stand for, as the system holds them at the moment of
// expansion. sourceDirectory keeps its trailing backslash; ?S inserts it without.
struct MacroValues {
    std::string_view sourceDirectory;       // ?S
    std::string_view windowsDirectory;      // ?W
    std::string_view systemDirectory;       // ?Y
    std::string_view destinationDirectory;  // ?D
    std::string_view programFilesDirectory; // ?F
};

// The text with ?S ?P ?W ?Y ?D ?F replaced; any other character after a question mark is kept,
// and the character after it is read normally (so ??W is a question mark and the Windows
// directory).
std::string ExpandMacroText(std::string_view text, const MacroValues& values);

// Replaces the macros in a script text in place. An expansion longer than the field holds is
// cut to its first 255 characters, as every script text is. Returns false when it had to cut.
bool ExpandMacros(FixedText& text, const MacroValues& values);

#include "script/PathMacros.h"

namespace {

std::string_view WithoutTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return path;
}

// The replacement for the macro letter, or false when the letter names no macro.
bool MacroReplacement(char letter, const MacroValues& values, std::string_view& replacement) {
    switch (letter) {
    case 'S':
        replacement = WithoutTrailingBackslash(values.sourceDirectory);
        return true;
    case 'P':
        replacement = {};
        return true;
    case 'W':
        replacement = values.windowsDirectory;
        return true;
    case 'Y':
        replacement = values.systemDirectory;
        return true;
    case 'D':
        replacement = values.destinationDirectory;
        return true;
    case 'F':
        replacement = values.programFilesDirectory;
        return true;
    default:
        return false;
    }
}

} // namespace

std::string ExpandMacroText(std::string_view text, const MacroValues& values) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string_view replacement;
        if (text[i] == '?' && i + 1 < text.size() &&
            MacroReplacement(text[i + 1], values, replacement)) {
            result += replacement;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

bool ExpandMacros(FixedText& text, const MacroValues& values) {
    const std::string_view current = text.View();
    if (current.find('?') == std::string_view::npos) {
        return true;
    }
    return text.Assign(ExpandMacroText(current, values));
}

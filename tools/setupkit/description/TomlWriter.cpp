#include "TomlWriter.h"

#include "Cp1252.h"
#include "TextReferences.h"

#include <cstdio>

namespace {

void AppendEscape(std::string& out, char32_t cp) {
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(cp));
    out += escape;
}

} // namespace

std::string TomlString(std::string_view stored) {
    // The description reads ${...} as a reference; a script's own text keeps it as it is.
    const std::string ansi = EscapeReferences(stored);
    const bool multiline = ansi.find('\n') != std::string_view::npos;
    std::string out = multiline ? "\"\"\"\n" : "\"";
    for (char c : ansi) {
        const char32_t cp = CodePointOfAnsiByte(static_cast<std::uint8_t>(c));
        switch (cp) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += multiline ? "\n" : "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (cp < 0x20 || cp == 0x7F || (cp >= 0x80 && cp <= 0xA0) || cp == 0xAD) {
                AppendEscape(out, cp);
            } else {
                AppendUtf8(out, cp);
            }
        }
    }
    out += multiline ? "\"\"\"" : "\"";
    return out;
}

std::string TomlString(const FixedText& text) {
    return TomlString(text.Stored());
}

std::string TomlString(const TextBlock& block) {
    return TomlString(block ? block->Stored() : std::string_view{});
}

std::string FlagValue(std::uint32_t value) {
    return value == 0 ? "false" : value == 1 ? "true" : std::to_string(value);
}

std::string NamedOrNumber(std::span<const NamedValue> names, std::uint32_t value) {
    if (const std::optional<std::string_view> name = NameOfValue(names, value)) {
        return '"' + std::string(*name) + '"';
    }
    return std::to_string(value);
}

std::string DirectoryReference(const SetupScript& s, std::uint32_t number) {
    if (number >= 1 && number <= s.directories.size()) {
        return "\"dir" + std::to_string(number) + '"';
    }
    return std::to_string(number);
}

std::string GroupReference(const SetupScript& s, std::uint32_t number) {
    if (number >= 1 && number <= s.programGroups.size()) {
        const TextBlock& block = s.programGroups[number - 1];
        const std::string_view stored = block ? block->Stored() : std::string_view{};
        int same = 0;
        for (const TextBlock& other : s.programGroups) {
            same += (other ? other->Stored() : std::string_view{}) == stored ? 1 : 0;
        }
        if (!stored.empty() && same == 1) {
            return TomlString(stored);
        }
    }
    return std::to_string(number);
}

#pragma once

#include <string>
#include <string_view>

// SETUP.EXE and the uninstaller hand program groups and items to the shell's program manager
// as commands with the names written in as they are: [CreateGroup(NAME)],
// [AddItem(COMMAND,NAME,...)], [DeleteItem("NAME")], [DeleteGroup(NAME)]. A quote, bracket,
// parenthesis or comma in a name, or a control character, could end the command and start
// another. The characters of name that would, each once, in the order they first appear;
// empty when the name is safe.
[[nodiscard]] inline std::string ProgramNameBreaks(std::string_view name) {
    constexpr std::string_view kBreaking = "\"[](),";
    std::string found;
    for (const char c : name) {
        const bool breaking =
            static_cast<unsigned char>(c) < 0x20 || kBreaking.find(c) != std::string_view::npos;
        if (breaking && found.find(c) == std::string::npos) {
            found += c;
        }
    }
    return found;
}

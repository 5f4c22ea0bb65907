#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The registered uninstall command: the uninstaller's program, then its arguments.

// Where the program's name ends in a command: just after the first ".EXE " in any case; none
// when the command names no program.
[[nodiscard]] std::optional<std::size_t> UninstallArgumentsStart(std::string_view command);

// The registered command with "/silent " before the script path; empty when the command names
// no program.
[[nodiscard]] std::string QuietCommandOf(std::string_view command);

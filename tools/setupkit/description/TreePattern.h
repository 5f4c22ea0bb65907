#pragma once

#include <optional>
#include <string>
#include <string_view>

// The patterns that pick files out of a folder tree. A pattern is a relative path with '/'
// between its parts: `*` stands for any run of characters within one part, `?` for one
// character, and a part that is exactly `**` for any number of folders, none included. So
// `*.txt` takes the text files at the top of the tree only, `**/*.txt` those in every folder,
// `docs/**` everything below docs. Letters match without regard to case (ASCII), as names do
// on the disks and under Windows.

// Whether path (relative, '/'-separated, as the tree lists it) matches pattern.
[[nodiscard]] bool MatchesTreePattern(std::string_view pattern, std::string_view path);

// Why a pattern can never match a listed path (empty, an absolute path, an empty part, a
// part "." or "..", a backslash); nothing when it is fine.
[[nodiscard]] std::optional<std::string> TreePatternProblem(std::string_view pattern);

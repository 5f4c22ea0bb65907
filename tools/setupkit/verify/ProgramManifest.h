#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The application manifest of a Windows program: the text of its RT_MANIFEST resource 1.

// The manifest's text; none when the program has none or its resources cannot be read.
[[nodiscard]] std::optional<std::string> ReadProgramManifest(std::span<const std::uint8_t> file);

// What keeps the program's manifest from asking to run as administrator, as SETUP.EXE and
// KXUN32.EXE must (they write and remove machine-wide places); nothing when it does.
[[nodiscard]] std::optional<std::string> ElevationProblem(std::span<const std::uint8_t> file,
                                                          std::string_view name);

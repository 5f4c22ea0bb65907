#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

// What a Windows program file was built for: the machine field of its PE header
// (0x14c i386, 0x8664 x86-64), so that a report says which SETUP.EXE and KXUN32.EXE ran.

// The machine field; none when the bytes do not begin a PE file.
[[nodiscard]] std::optional<std::uint16_t> PeMachine(std::span<const std::uint8_t> header);

// "32-bit, i386", "64-bit, x86-64: not for release, ...", "machine 0x1c4", or why the file
// tells nothing.
[[nodiscard]] std::string DescribeMachine(const std::filesystem::path& program);

// "NAME: PATH (32-bit, i386)", the line `build` and `test` print for a program they used.
[[nodiscard]] std::string ProgramLine(const std::string& name,
                                      const std::filesystem::path& program);

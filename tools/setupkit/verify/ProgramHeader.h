#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The PE header fields that say whether a program runs as SETUP.EXE and KXUN32.EXE must:
// 32-bit (PE32, optional header magic 0x10b), for i386 (machine 0x14c), as a Windows GUI
// program (subsystem 2).

inline constexpr std::uint16_t kPe32Magic = 0x10B;
inline constexpr std::uint16_t kPe32PlusMagic = 0x20B;
inline constexpr std::uint16_t kMachineI386 = 0x14C;
inline constexpr std::uint16_t kSubsystemWindowsGui = 2;

struct ProgramHeader {
    std::uint16_t machine = 0;
    std::uint16_t magic = 0; // of the optional header
    std::uint16_t subsystem = 0;
    std::uint32_t certificateTableSize = 0; // an Authenticode signature's room; 0: not signed
};

// The fields, or none when the bytes do not hold a whole PE header.
[[nodiscard]] std::optional<ProgramHeader> ReadProgramHeader(std::span<const std::uint8_t> file);

// What keeps the file from being a 32-bit Windows GUI program, worded after the program's name
// ("a 64-bit program (PE32+, x86-64); SETUP.EXE must be 32-bit (PE32, i386)"); nothing when it
// is one.
[[nodiscard]] std::optional<std::string> Win32GuiProblem(std::span<const std::uint8_t> file,
                                                         std::string_view name);

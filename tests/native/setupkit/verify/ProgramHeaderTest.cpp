#include "verify/ProgramHeader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr std::size_t kPeOffset = 0x80;

// The headers of a program: "MZ", the PE offset at 0x3C, "PE\0\0", the COFF header and a
// PE32 optional header of 224 bytes.
std::vector<std::uint8_t> Program(std::uint16_t machine, std::uint16_t magic,
                                  std::uint16_t subsystem) {
    std::vector<std::uint8_t> file(kPeOffset + 24 + 224, 0);
    const auto put = [&](std::size_t at, std::uint16_t value) {
        file[at] = static_cast<std::uint8_t>(value);
        file[at + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    file[0] = 'M';
    file[1] = 'Z';
    file[0x3C] = kPeOffset;
    file[kPeOffset] = 'P';
    file[kPeOffset + 1] = 'E';
    put(kPeOffset + 4, machine);
    put(kPeOffset + 4 + 16, 224);
    put(kPeOffset + 24, magic);
    put(kPeOffset + 24 + 68, subsystem);
    return file;
}

TEST(ProgramHeaderTest, A32BitGuiProgramIsSound) {
    EXPECT_EQ(Win32GuiProblem(Program(kMachineI386, kPe32Magic, kSubsystemWindowsGui), "X.EXE"),
              std::nullopt);
}

TEST(ProgramHeaderTest, AConsoleProgramIsNamedSo) {
    EXPECT_EQ(Win32GuiProblem(Program(kMachineI386, kPe32Magic, 3), "KXUN32.EXE"),
              "a console program (subsystem 3); KXUN32.EXE must be a Windows GUI program "
              "(subsystem 2)");
}

TEST(ProgramHeaderTest, AnotherMachineIsNamed) {
    EXPECT_EQ(Win32GuiProblem(Program(0x1C4, kPe32Magic, kSubsystemWindowsGui), "SETUP.EXE"),
              "a program (PE32, machine 0x1C4); SETUP.EXE must be 32-bit (PE32, i386)");
}

TEST(ProgramHeaderTest, AHeaderCutShortIsNoProgram) {
    std::vector<std::uint8_t> file = Program(kMachineI386, kPe32Magic, kSubsystemWindowsGui);
    file.resize(kPeOffset + 24 + 68); // ends before the subsystem
    EXPECT_EQ(ReadProgramHeader(file), std::nullopt);
    EXPECT_TRUE(Win32GuiProblem(file, "SETUP.EXE")->starts_with("not a Windows program"));
}

} // namespace

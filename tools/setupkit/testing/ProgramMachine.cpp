#include "testing/ProgramMachine.h"

#include "ToolFiles.h"

#include <cstdio>
#include <vector>

namespace {

std::uint32_t Little(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

} // namespace

std::optional<std::uint16_t> PeMachine(std::span<const std::uint8_t> header) {
    // The DOS header's "MZ", at 0x3C the offset of "PE\0\0", after it the machine field.
    if (header.size() < 0x40 || header[0] != 'M' || header[1] != 'Z') {
        return std::nullopt;
    }
    const std::uint32_t pe = Little(header, 0x3C, 4);
    if (pe > header.size() || header.size() - pe < 6 || header[pe] != 'P' ||
        header[pe + 1] != 'E' || header[pe + 2] != 0 || header[pe + 3] != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(Little(header, pe + 4, 2));
}

std::string DescribeMachine(const std::filesystem::path& program) {
    const FileRead read = TryReadFile(program);
    if (!read.problem.empty()) {
        return "cannot be read";
    }
    const std::optional<std::uint16_t> machine = PeMachine(read.bytes);
    if (!machine) {
        return "not a Windows program";
    }
    switch (*machine) {
    case 0x14C:
        return "32-bit, i386";
    case 0x8664:
        return "64-bit, x86-64: not for release, Windows users run the 32-bit program";
    default:
        char text[32];
        std::snprintf(text, sizeof text, "machine 0x%X", *machine);
        return text;
    }
}

std::string ProgramLine(const std::string& name, const std::filesystem::path& program) {
    return name + ": " + program.string() + " (" + DescribeMachine(program) + ")";
}

#include "verify/ProgramHeader.h"

#include "testing/ProgramMachine.h"

#include <cstdio>

namespace {

// The COFF header follows "PE\0\0"; the optional header follows its 20 bytes, and holds the
// subsystem at 68 in both PE32 and PE32+.
constexpr std::size_t kCoffHeaderSize = 20;
constexpr std::size_t kOptionalSizeField = 16; // in the COFF header
constexpr std::size_t kSubsystemField = 68;    // in the optional header
constexpr std::size_t kCertificateTable = 4;   // the data directory of the signatures

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::string MachineName(std::uint16_t machine) {
    switch (machine) {
    case kMachineI386:
        return "i386";
    case 0x8664:
        return "x86-64";
    case 0xAA64:
        return "ARM64";
    default:
        char text[24];
        std::snprintf(text, sizeof text, "machine 0x%X", machine);
        return text;
    }
}

std::string FormatName(std::uint16_t magic) {
    if (magic == kPe32Magic || magic == kPe32PlusMagic) {
        return magic == kPe32Magic ? "PE32" : "PE32+";
    }
    char text[40];
    std::snprintf(text, sizeof text, "optional header magic 0x%X", magic);
    return text;
}

} // namespace

std::optional<ProgramHeader> ReadProgramHeader(std::span<const std::uint8_t> file) {
    const std::optional<std::uint16_t> machine = PeMachine(file);
    if (!machine) {
        return std::nullopt;
    }
    const std::size_t coff = (file[0x3C] | file[0x3D] << 8 | file[0x3E] << 16 |
                              static_cast<std::size_t>(file[0x3F]) << 24) +
                             4;
    const std::size_t optional = coff + kCoffHeaderSize;
    if (file.size() < optional || Word(file, coff + kOptionalSizeField) < kSubsystemField + 2 ||
        file.size() - optional < kSubsystemField + 2) {
        return std::nullopt;
    }
    ProgramHeader header{*machine, Word(file, optional), Word(file, optional + kSubsystemField)};
    // The data directories end the optional header; the certificate table is the fifth.
    const std::size_t count = header.magic == kPe32PlusMagic ? 108 : 92;
    const std::size_t certificateSize = count + 4 + kCertificateTable * 8 + 4;
    if (file.size() - optional >= certificateSize + 4 &&
        Word(file, coff + kOptionalSizeField) >= certificateSize + 4 &&
        Word(file, optional + count) > kCertificateTable) {
        header.certificateTableSize = static_cast<std::uint32_t>(
            Word(file, optional + certificateSize) |
            static_cast<std::uint32_t>(Word(file, optional + certificateSize + 2)) << 16);
    }
    return header;
}

std::optional<std::string> Win32GuiProblem(std::span<const std::uint8_t> file,
                                           std::string_view name) {
    const std::optional<ProgramHeader> header = ReadProgramHeader(file);
    if (!header) {
        return "not a Windows program (no whole PE header); " + std::string(name) +
               " must be a 32-bit Windows GUI program";
    }
    const std::string built = FormatName(header->magic) + ", " + MachineName(header->machine);
    if (header->magic != kPe32Magic || header->machine != kMachineI386) {
        const char* bits = header->magic == kPe32PlusMagic ? "a 64-bit program (" : "a program (";
        return bits + built + "); " + std::string(name) + " must be 32-bit (PE32, i386)";
    }
    if (header->subsystem != kSubsystemWindowsGui) {
        const char* kind = header->subsystem == 3 ? "a console program" : "not a GUI program";
        return std::string(kind) + " (subsystem " + std::to_string(header->subsystem) + "); " +
               std::string(name) + " must be a Windows GUI program (subsystem 2)";
    }
    return std::nullopt;
}

#include "verify/ProgramManifest.h"

#include "verify/ProgramHeader.h"

namespace {

constexpr std::uint32_t kManifestType = 24; // RT_MANIFEST
constexpr std::uint32_t kProgramManifestId = 1;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000;

// Little-endian reads that say "nothing" instead of reading past the end.
struct Bytes {
    std::span<const std::uint8_t> file;

    std::optional<std::uint32_t> Read(std::size_t at, std::size_t count) const {
        if (at > file.size() || file.size() - at < count) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = count; i-- > 0;) {
            value = value << 8 | file[at + i];
        }
        return value;
    }
};

// The file offset of a relative virtual address, from the section table.
std::optional<std::size_t> FileOffset(const Bytes& bytes, std::size_t sections, std::uint32_t count,
                                      std::uint32_t rva) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = sections + i * 40;
        const auto address = bytes.Read(entry + 12, 4);
        const auto size = bytes.Read(entry + 16, 4);
        const auto raw = bytes.Read(entry + 20, 4);
        if (address && size && raw && rva >= *address && rva - *address < *size) {
            return *raw + (rva - *address);
        }
    }
    return std::nullopt;
}

// The offset (from the resource section's start) that a directory's entry of this id leads to,
// with the subdirectory flag.
std::optional<std::uint32_t> FindEntry(const Bytes& bytes, std::size_t root, std::uint32_t at,
                                       std::optional<std::uint32_t> id) {
    const auto named = bytes.Read(root + at + 12, 2);
    const auto numbered = bytes.Read(root + at + 14, 2);
    if (!named || !numbered) {
        return std::nullopt;
    }
    for (std::uint32_t i = 0; i < *named + *numbered; ++i) {
        const std::size_t entry = root + at + 16 + i * 8;
        const auto name = bytes.Read(entry, 4);
        if (name && (!id || *name == *id)) {
            return bytes.Read(entry + 4, 4);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ReadProgramManifest(std::span<const std::uint8_t> file) {
    const std::optional<ProgramHeader> header = ReadProgramHeader(file);
    const Bytes bytes{file};
    const auto peOffset = bytes.Read(0x3C, 4);
    if (!header || !peOffset) {
        return std::nullopt;
    }
    const std::size_t coff = *peOffset + 4;
    const std::size_t optional = coff + 20;
    const auto sectionCount = bytes.Read(coff + 2, 2);
    const auto optionalSize = bytes.Read(coff + 16, 2);
    const std::size_t directories = optional + (header->magic == kPe32PlusMagic ? 112 : 96);
    const auto resourceRva = bytes.Read(directories + 2 * 8, 4);
    if (!sectionCount || !optionalSize || !resourceRva || *resourceRva == 0) {
        return std::nullopt;
    }
    const std::size_t sections = optional + *optionalSize;
    const auto root = FileOffset(bytes, sections, *sectionCount, *resourceRva);
    if (!root) {
        return std::nullopt;
    }
    // Type, then name, then the first language: two subdirectories and a data entry.
    std::optional<std::uint32_t> at = 0;
    for (const std::optional<std::uint32_t> id :
         {std::optional(kManifestType), std::optional(kProgramManifestId),
          std::optional<std::uint32_t>()}) {
        const bool last = !id;
        at = FindEntry(bytes, *root, *at, id);
        if (!at || ((*at & kSubdirectoryFlag) != 0) == last) {
            return std::nullopt;
        }
        *at &= ~kSubdirectoryFlag;
    }
    const auto dataRva = bytes.Read(*root + *at, 4);
    const auto dataSize = bytes.Read(*root + *at + 4, 4);
    const auto data = dataRva ? FileOffset(bytes, sections, *sectionCount, *dataRva) : std::nullopt;
    if (!data || !dataSize || *data > file.size() || file.size() - *data < *dataSize) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(file.data() + *data), *dataSize);
}

std::optional<std::string> ElevationProblem(std::span<const std::uint8_t> file,
                                            std::string_view name) {
    const std::optional<std::string> manifest = ReadProgramManifest(file);
    if (!manifest) {
        return "no application manifest; " + std::string(name) +
               " must declare that it runs as administrator";
    }
    if (manifest->find("requestedExecutionLevel") == std::string::npos ||
        (manifest->find("\"requireAdministrator\"") == std::string::npos &&
         manifest->find("'requireAdministrator'") == std::string::npos)) {
        return "its manifest does not ask to run as administrator (requireAdministrator), which " +
               std::string(name) + " needs";
    }
    return std::nullopt;
}

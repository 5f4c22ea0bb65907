#include "disks/ToolFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

std::string Problem(const std::filesystem::path& path, const std::string& what, int error) {
    return path.string() + ": " + what + ": " + std::strerror(error);
}

} // namespace

std::vector<std::uint8_t> ReadBinaryFile(const std::filesystem::path& path) {
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        throw ToolError(path.string() + ": is a directory, not a file");
    }
    UniqueFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        throw ToolError(Problem(path, "cannot open", errno));
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        throw ToolError(Problem(path, "cannot read", errno));
    }
    return bytes;
}

void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    // "x": fail rather than overwrite, so two outputs that map to one name never pass silently.
    UniqueFile file(std::fopen(path.c_str(), "wbx"));
    if (!file) {
        throw ToolError(Problem(path, "cannot create", errno));
    }
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fflush(file.get()) != 0) {
        const int error = errno;
        file.reset();
        std::remove(path.c_str());
        throw ToolError(Problem(path, "cannot write", error));
    }
    if (std::fclose(file.release()) != 0) {
        const int error = errno;
        std::remove(path.c_str());
        throw ToolError(Problem(path, "cannot write", error));
    }
}

void WriteFileReplacing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::filesystem::path temporary = path;
    temporary += ".setupkit-partial";
    std::remove(temporary.c_str());
    WriteNewFile(temporary, bytes);
    std::error_code code;
    std::filesystem::rename(temporary, path, code);
    if (code) {
        std::remove(temporary.c_str());
        throw ToolError(path.string() + ": cannot write: " + code.message());
    }
}

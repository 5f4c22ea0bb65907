#include "ToolFiles.h"

#include "ToolError.h"

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

void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    // "x": fail rather than overwrite.
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

} // namespace

FileRead TryReadFile(const std::filesystem::path& path) {
    FileRead read;
    std::error_code code;
    if (std::filesystem::is_directory(path, code)) {
        read.problem = "is a directory, not a file";
        return read;
    }
    UniqueFile file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        read.problem = std::string("cannot open: ") + std::strerror(errno);
        return read;
    }
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
        read.bytes.insert(read.bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(file.get())) {
        read.bytes.clear();
        read.problem = std::string("cannot read: ") + std::strerror(errno);
    }
    return read;
}

std::vector<std::uint8_t> ReadBinaryFile(const std::filesystem::path& path) {
    FileRead read = TryReadFile(path);
    if (!read.problem.empty()) {
        throw ToolError(path.string() + ": " + read.problem);
    }
    return std::move(read.bytes);
}

std::string ReadTextIfPresent(const std::filesystem::path& path) {
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        return {};
    }
    const std::vector<std::uint8_t> bytes = ReadBinaryFile(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
               ExistingFile existing) {
    if (existing == ExistingFile::Refuse) {
        WriteNewFile(path, bytes);
    } else {
        WriteFileReplacing(path, bytes);
    }
}

void WriteTextFile(const std::filesystem::path& path, std::string_view text,
                   ExistingFile existing) {
    WriteFile(path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
              existing);
}

#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How the tool reads and writes whole files; problems name the file and throw ToolError.

// The whole file, or why it cannot be read ("cannot open: No such file or directory").
struct FileRead {
    std::vector<std::uint8_t> bytes;
    std::string problem; // empty when the file was read
};
[[nodiscard]] FileRead TryReadFile(const std::filesystem::path& path);

// The whole file. Throws ToolError "PATH: problem" when it cannot be opened or read.
[[nodiscard]] std::vector<std::uint8_t> ReadBinaryFile(const std::filesystem::path& path);

// The file as text; empty when it is not there.
[[nodiscard]] std::string ReadTextIfPresent(const std::filesystem::path& path);

enum class ExistingFile { Replace, Refuse };

// Writes bytes to path. Replace writes a new sibling and renames it over path, so that path
// never holds a partly written file; Refuse fails when path exists, so two outputs that map to
// one name never pass silently. Throws ToolError naming the file.
void WriteFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
               ExistingFile existing);
void WriteTextFile(const std::filesystem::path& path, std::string_view text, ExistingFile existing);

#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A problem with the tool's input or output that ends the command with exit code 2. The
// message names the file and says what is wrong.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file. Throws ToolError naming the file when it cannot be opened or read.
[[nodiscard]] std::vector<std::uint8_t> ReadBinaryFile(const std::filesystem::path& path);

// Writes bytes to a new sibling of path and renames it over path, so that path never holds a
// partly written file. Throws ToolError naming the file.
void WriteFileReplacing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Writes bytes to path, which must not exist yet. Throws ToolError naming the file.
void WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

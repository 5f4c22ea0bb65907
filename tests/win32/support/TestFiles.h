#pragma once

#include "common/Win32Handles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Files and directories for the Win32 tests. Every handle they open is held by the product's
// owners (common/Win32Handles.h), so that a test that fails half-way leaves nothing open.

// The directory of this test program, with its trailing backslash.
[[nodiscard]] std::string ProgramDirectory();

// name below the prefix's temporary directory.
[[nodiscard]] std::string TemporaryPath(std::string_view name);

// A directory of its own below the temporary directory, made if missing and emptied of its
// files (sub-directories stay); with its trailing backslash.
[[nodiscard]] std::string ScratchDirectory(std::string_view name);

// What a directory holds (given with or without its trailing backslash), without "." and "..",
// in the order the system finds it; empty when the directory does not exist.
[[nodiscard]] std::vector<WIN32_FIND_DATAA> EntriesIn(const std::string& directory);

// The names of the entries of a directory, files and sub-directories, sorted.
[[nodiscard]] std::vector<std::string> FilesIn(const std::string& directory);

// Deletes the files directly in a directory, read-only ones too; sub-directories stay.
void DeleteFilesIn(const std::string& directory);

// The file held open for reading and shared with nobody, as another program holding it would;
// not valid when it cannot be opened.
[[nodiscard]] UniqueFile HoldFile(const std::string& path);

// The whole file, opened shared for reading; nothing when it cannot be opened.
[[nodiscard]] std::optional<std::string> ReadTestFile(const std::string& path);

// Creates or replaces the file with the bytes; a failure says which step failed and where.
[[nodiscard]] ::testing::AssertionResult WriteFileBytes(const std::string& path,
                                                        std::string_view bytes);
[[nodiscard]] ::testing::AssertionResult WriteFileBytes(const std::string& path,
                                                        const std::vector<std::uint8_t>& bytes);

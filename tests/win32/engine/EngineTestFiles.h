#pragma once

#include "TestFiles.h"

#include <windows.h>

#include <string>
#include <string_view>

// Files and directories for the engine's tests, made in scratch directories below the prefix's
// temporary directory (ScratchDirectory, TestFiles.h).

// Writes bytes to path, replacing the file; reports a failure at the caller's line.
void WriteTestFile(const std::string& path, std::string_view bytes, int line);
#define WRITE_TEST_FILE(path, bytes) WriteTestFile((path), (bytes), __LINE__)

bool IsDirectory(const std::string& path);

// The current directory, without a trailing backslash unless it is a root.
std::string CurrentDirectory();

bool SamePath(std::string_view a, std::string_view b);

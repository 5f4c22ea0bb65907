#pragma once

#include "common/Win32Handles.h"

#include <string>

// Registry keys for the Win32 tests, held by the product's owner (UniqueRegKey), so that a
// test that fails half-way leaves no key open. An empty path names the root itself.

// The key below root opened with the access asked; empty when it cannot be, and then status
// (when given) says why.
[[nodiscard]] UniqueRegKey OpenTestKey(HKEY root, const std::string& path, REGSAM access,
                                       LONG* status = nullptr);

// The key below root, created with its missing parents when it does not exist yet; empty when
// it cannot be, and then status (when given) says why.
[[nodiscard]] UniqueRegKey CreateTestKey(HKEY root, const std::string& path, REGSAM access,
                                         LONG* status = nullptr);

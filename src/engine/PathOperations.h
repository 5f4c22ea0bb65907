#pragma once

#include "engine/PathRules.h"
#include "script/SetupError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The path rules of engine/PathRules.h with the platform behind them: full paths from
// GetFullPathNameA, volumes, directories and free space.

// The full path of path as GetFullPathNameA forms it in a buffer of capacity characters;
// nothing when the call fails or the full path would not fit.
std::optional<std::string> PlatformFullPath(std::string_view path, std::size_t capacity);

// The rules of engine/PathRules.h, resolved with PlatformFullPath.
std::string FileNamePart(std::string_view path);
std::optional<std::string> FileExtension(std::string_view path);
std::string ReplaceExtension(std::string_view path, std::string_view newExtension);
std::string CompressedName(std::string_view name);

// The root directory of the volume that holds path (C:\, \\SERVER\SHARE\), at most 255
// characters, into root. Fails with 5000 when the full path cannot be formed or the volume
// does not answer a volume-information query.
Failure VolumeRoot(std::string_view path, std::string& root);

// SetCurrentDirectoryA(path), its result ignored: the drive list makes the destination's
// volume current with it.
void ChangeCurrentDirectory(const std::string& path);

// Accepts a directory typed by the user: no "?" or "*", a full path of at most 255
// characters, on a volume that answers. On success out holds the full path. On failure out is
// untouched for a wildcard, holds the typed text (at most 255 characters) when no full path
// could be formed, and the full path when its volume does not answer.
[[nodiscard]] bool ValidatePath(std::string& out, std::string_view path);

// Creates path and its missing parents; each directory it creates is added to created, when
// given, parents first. Leaves the current directory at the last directory that it found to
// exist; EnsureDirectory restores it.
[[nodiscard]] bool CreateDirectoryTree(std::string_view path,
                                       std::vector<std::string>* created = nullptr);

// CreateDirectoryTree with the current directory saved and restored around it.
[[nodiscard]] bool EnsureDirectory(std::string_view path,
                                   std::vector<std::string>* created = nullptr);

// Free space of the volume that holds directory, in units of 1000 bytes ("C:" and "C:\" ask
// the same root; an empty directory asks the current volume). 0 when the volume does not
// answer. 64 bits wide: volumes with 4 GB or more free report their real space.
[[nodiscard]] std::uint64_t FreeDiskSpaceK(std::string_view directory);

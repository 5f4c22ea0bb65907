#pragma once

#include <string>
#include <string_view>

// How the removal reads and compares the paths a removal record names.

// Whether path is absolute: a drive letter, a colon and a backslash, or a share
// ("\\server\share..."), with no "." or ".." component, no control character and no device
// namespace ("\\?\", "\\.\").
[[nodiscard]] bool IsAbsolutePath(std::string_view path);

// A path as paths compare: upper case, a run of backslashes as one (but a share's leading two).
[[nodiscard]] std::string ComparablePath(std::string_view path);
[[nodiscard]] bool SamePath(std::string_view a, std::string_view b);

// Whether path lies in directory or below it, as paths compare.
[[nodiscard]] bool IsInside(std::string_view path, std::string_view directory);

// Whether path names a drive's root ("C:\\") or a share's ("\\\\server\\share").
[[nodiscard]] bool IsVolumeRoot(std::string_view path);

// The share a path lies on ("\\\\server\\share", as paths compare); empty for a drive path.
[[nodiscard]] std::string ShareOf(std::string_view path);

// path without its trailing backslashes (a drive's root keeps its own).
[[nodiscard]] std::string_view WithoutTrailingBackslash(std::string_view path);

[[nodiscard]] bool HasControlCharacter(std::string_view text);

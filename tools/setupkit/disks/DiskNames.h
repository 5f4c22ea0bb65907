#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Where SETUP.EXE looks for a file on a distribution disk. Paths are relative to the disk's
// root and use backslashes, as the installer builds them.

// sourceSubdir and the stored name under the installer's JoinPath3 rule (an empty
// sub-directory gives the name alone).
std::string DiskPath(std::string_view sourceSubdir, std::string_view storedName);

// The name a file is stored under: its compressed name when compressed (SETUP.EXE ->
// SETUP.EX_, FILE -> FILE._, PAGE.HTML -> PAGE.HTM_), else the name itself.
std::string StoredName(std::string_view name, bool compressed);

// Piece k (2, 3, ...) of a file split across disks: in sourceSubdir, under the file-name part
// of the first piece's stored name with the extension "~%2.2d" of k - 1 (SETUP.EX_ -> SETUP.~01,
// SETUP.~02). The installer takes only the file-name part, so a name with a directory of its
// own (SUB\X.DL_) has its further pieces directly in sourceSubdir (X.~01).
std::string PiecePath(std::string_view sourceSubdir, std::string_view storedName,
                      std::uint32_t piece);

// Why a name cannot be used as a path on a disk (an item's name, a sub-directory, the read-me
// and bitmap names): longer than 255 characters, or a part between backslashes that Windows
// refuses (WindowsPathProblem); worded to follow the name. Nothing when the name is fine.
std::optional<std::string> DiskNameProblem(std::string_view path);

// Upper case for comparing paths as FAT and Windows do (ASCII letters only).
std::string FoldCase(std::string_view path);

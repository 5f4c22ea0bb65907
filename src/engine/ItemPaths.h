#pragma once

#include "engine/PathRules.h"
#include "script/ScriptModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Where an install item's files are: its source on the distribution disk, its destination,
// the pieces of a split file. Nothing here touches the disk.

// The system's error code for a path that cannot be formed: the failure of a Copy item whose
// directory number names no directory. (Not ERROR_PATH_NOT_FOUND, which is 3, the code that
// cancels the installation.)
inline constexpr std::uint32_t kErrorBadPathName = 161;

// Whether the action reads a file from the distribution disk: Copy, ShowBitmap and the codes
// the interpreter does not know do; Delete, the three Run actions and HideBitmap do not.
[[nodiscard]] bool ItemReadsSource(const InstallItem& item);

// The item's source below base: base, sourceSubdir and the on-disk name (the compressed name
// when the item is compressed) under JoinPath3; empty for an action that reads no source. An
// empty base gives the path relative to the source directory, which the disk prompt looks for.
[[nodiscard]] std::string ItemSourcePath(const InstallItem& item, std::string_view base,
                                         FullPathFunction fullPath);

// The path of the directory that the item's 1-based directory number names; nothing when the
// number names no directory (0 or beyond the list).
[[nodiscard]] std::optional<std::string_view> ItemDirectoryPath(const SetupScript& script,
                                                                const InstallItem& item);

// The item's destination: its directory's path and its name under AppendPathComponent; empty
// for an action that reads no source. When the directory number names no directory the name
// alone stands in, so that a failure message still names the file.
[[nodiscard]] std::string ItemDestinationPath(const SetupScript& script, const InstallItem& item);

// The show command of a Run action: RunNormal 1 (SW_SHOWNORMAL), RunMaximized 3
// (SW_SHOWMAXIMIZED), RunMinimized 2 (SW_SHOWMINIMIZED), anything else 1.
[[nodiscard]] int RunShowMode(std::uint8_t action);

// Piece k (2, 3, ...) of a split file, relative to the source directory: in the item's
// sourceSubdir, under the first piece's file name with the extension "~NN", NN being k - 1 in
// at least two digits (SETUP.EX_ -> SETUP.~01, SETUP.~02, ...).
[[nodiscard]] std::string SplitPiecePath(std::string_view sourceSubdir,
                                         std::string_view firstPieceName, unsigned piece,
                                         FullPathFunction fullPath);

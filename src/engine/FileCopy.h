#pragma once

#include "engine/DirectoryNames.h"
#include "engine/InstallHost.h"
#include "engine/TempFileGuard.h"
#include "script/ScriptModel.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// Putting one distribution file onto the machine: the overwrite decision, joining the pieces
// of a split file, and installing through the version-installation service, which expands
// compressed files and reports files in use and read-only targets.

enum class ReadOnly { No, Yes };

// Installs the Copy item from sourcePath (the file on the disk, or the joined file) into the
// directory its directory number names, under its name. An existing file is replaced as the
// item's overwrite mode says (asking the file-exists question for Ask, unless the user chose
// for all files); a missing one is always installed. Sets done and installedPath when the file
// was installed, raises the file's SharedDLLs count for a shared item whatever happened to an
// existing file. An Ignore in the file-in-use question of the installation itself skips the
// file without an error. Fails with 3 when the user aborts, 5 for Ignore on a file that was
// locked while being compared, kErrorBadPathName when the directory number names no
// directory, and as the installation fails.
Failure CopyItemFile(const InstallContext& context, InstallItem& item,
                     const std::string& sourcePath);

// Joins the pieces of a split file into the temporary directory under the first piece's file
// name; joined names the file as soon as it is known, so that it is deleted also when a
// failure ends the join or the copy after it. Every further piece is on the next disk,
// which is asked for (the host's AskForDisk, for the disk after the current one). The joined file
// gets the first piece's creation, access and write times. Fails with the system error code of a
// failed read or write, 3 when the user gives up a disk, and the codes of OpenFileExclusive.
Failure JoinSplitFile(const InstallContext& context, const InstallItem& item, TempFileGuard& joined,
                      const std::string& firstPiecePath);

// Installs sourceDirectory\sourceName as destinationDirectory\destinationName with
// VerInstallFileA, forcing it past the version check. A temporary file the service leaves is
// deleted at once, also one it does not report (a *.tmp file that the destination directory did
// not hold before, looked for when the file was not installed whole). A
// target in use asks the file-in-use question (Retry installs again; Abort and Ignore fail with
// 3 and 5); a read-only target is made writable and installed again (once: a target still
// write-protected after that is a failure). A source under a compressed name must have a whole
// header (else it fails with ERROR_INVALID_DATA and the target is left as it was), and the
// installed file the size the source's header gives (else it is removed and ERROR_INVALID_DATA
// given): the service reports success for short and garbled files. On success done is set and
// the file made read-only when asked. Any other result fails with the service's result word as
// the code. listings is what the pass knows of the destination directory, kept in step here;
// without it the directory is listed for this call alone.
Failure InstallVersionedFile(std::string_view destinationDirectory,
                             std::string_view destinationName, std::string_view sourceDirectory,
                             std::string_view sourceName, ReadOnly readOnly, std::uint8_t& done,
                             DestinationListings* listings = nullptr);

// Copies the rest of source onto destination in blocks of 65534 bytes. Fails with the system
// error code of a failed read or write (a write that takes fewer bytes than it was given counts
// as failed).
Failure AppendFileContents(HANDLE destination, HANDLE source);

// Copies sourcePath to destinationPath through the LZ expansion library, expanding a
// compressed source. False when either file cannot be opened or the expansion fails.
[[nodiscard]] bool LzCopyFile(const char* sourcePath, const char* destinationPath);

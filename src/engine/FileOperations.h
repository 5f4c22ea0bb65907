#pragma once

#include "common/Win32Handles.h"
#include "script/SetupError.h"

#include <windows.h>

#include <string>
#include <string_view>

// The question put to the user when a file is locked by another program or access to it is
// denied: Abort, Retry or Ignore, answered with IDABORT (3), IDRETRY (4) or IDIGNORE (5). The
// program installs its dialog at start-up; the engine does not know the user interface.
using FileInUsePromptFunction = int (*)(const char* path);

// Installs prompt (nullptr puts back the default) and returns the prompt installed before.
// Until a prompt is installed the answer is IDABORT: with nobody to ask, a locked file
// cancels the installation rather than being retried for ever or silently skipped.
FileInUsePromptFunction SetFileInUsePrompt(FileInUsePromptFunction prompt);

// How an unattended run answers a file in use: tried again this many times in all, this far
// apart, then left (skipped by the installation, kept by the removal).
inline constexpr int kUnattendedFileInUseTries = 5;
inline constexpr DWORD kUnattendedFileInUsePauseMs = 1000;

// Asks the installed prompt about path: IDABORT, IDRETRY or IDIGNORE.
[[nodiscard]] int AskFileInUse(const char* path);

// True when FindFirstFileA finds at least one match; wildcards are honoured.
[[nodiscard]] bool FileExists(std::string_view path);

// True when path, taken as written (no wildcards), names a file or directory. Cheaper than
// FileExists: it only asks for the attributes.
[[nodiscard]] bool PathExists(std::string_view path);

// Deletes the file when path is not empty, ignoring the result. The clean-up of temporary
// files, so it never fails.
void DeleteIfNamed(std::string_view path) noexcept;

// Opens or creates path with no sharing into file. Access denied and sharing violations go to
// the file-in-use prompt: Retry tries again, any other answer fails with the answer as the
// code (3 Abort, 5 Ignore). Other failures give the system error code. The callers use
// GENERIC_READ with OPEN_EXISTING and GENERIC_WRITE with CREATE_ALWAYS.
Failure OpenFileExclusive(std::string_view path, DWORD access, DWORD disposition, UniqueFile& file);

// order: -1 when existing was last written before source, 0 at the same time, 1 after. Both
// files are opened with OpenFileExclusive (source first) and fail as it does.
Failure CompareLastWrite(std::string_view existing, std::string_view source, int& order);

// The whole file into contents, read with one call through OpenFileExclusive; size() is the
// byte count and c_str() ends it with a NUL. Fails as OpenFileExclusive does, with 8001 when
// the size cannot be read (or the file is 4 GB or more), ERROR_NOT_ENOUGH_MEMORY when it does
// not fit in memory and the system error code when the read fails.
Failure ReadWholeFile(std::string_view path, std::string& contents);

// Writes text as the whole file at path: into path.new, flushed, then moved over path, so that
// path holds either its old contents or all of text. False when any step fails (the .new file
// is then deleted).
[[nodiscard]] bool WriteWholeFile(const std::string& path, std::string_view text) noexcept;

#pragma once

#include "script/SetupError.h"

#include "engine/Accounting.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The free-space check before the installation: every drive that receives files is asked for
// its free space, and a drive that lacks room shows the Not Enough Space dialog.

// The free bytes of the volume whose root (with its backslash) is given; 0 when the volume
// does not answer.
using FreeSpaceFunction = std::uint64_t (*)(const std::string& root);

// Installs the free-space query (nullptr puts back the platform's) and returns the one before.
// Tests give the check controlled figures this way.
FreeSpaceFunction SetFreeSpaceQuery(FreeSpaceFunction query);

// The platform's query: GetDiskFreeSpaceA's free clusters x sectors x bytes, formed in 64 bits.
std::uint64_t VolumeFreeBytes(const std::string& root);

// The not-enough-space message for the drive; empty when it has room.
[[nodiscard]] std::string LackOfSpace(const DriveEntry& drive);

// Into answer: 1 (IDOK) when the drive has room or the user chose Continue, IDC_SPACE_BACK
// (1019) for Back, IDABORT (3) for a confirmed Exit. Fails as the dialog does.
Failure CheckDriveSpace(const DriveEntry& drive, INT_PTR& answer);

// Checks every drive in list order (Continue on one goes on to the next). goOn false after
// Back or Exit, once it has posted WM_SHOW_DESTINATION or WM_SETUP_ABORT; true to go on
// installing. Fails as the dialog does.
Failure CheckAllDrivesSpace(bool& goOn);

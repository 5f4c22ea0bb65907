#pragma once

#include "resources/TextFormat.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// The free-space check before the installation, apart from the platform. Free and required
// bytes are 64-bit, so that a volume with 4 GB or more free is not read as nearly full; the
// message keeps its figures in K of 1000 bytes.

// The root that the free-space query asks about: the drive's root with a trailing backslash,
// which the query needs ("C:" becomes "C:\", and so does a share, "\\SERVER\SHARE\").
[[nodiscard]] std::string SpaceQueryRoot(std::string_view rootPath);

// The drive as the message names it: the root with one trailing backslash removed.
[[nodiscard]] std::string SpaceMessageDrive(std::string_view rootPath);

// Whether the volume has room: free space equal to the requirement is enough.
[[nodiscard]] inline bool HasEnoughSpace(std::uint64_t freeBytes, std::uint64_t requiredBytes) {
    return freeBytes >= requiredBytes;
}

// The not-enough-space message from its format (string 9, "Drive %s contains %ld KB ..."):
// the drive as SpaceMessageDrive shows it, free and required bytes divided by 1000.
[[nodiscard]] std::string FormatSpaceMessage(std::string_view format, std::string_view rootPath,
                                             std::uint64_t freeBytes, std::uint64_t requiredBytes);

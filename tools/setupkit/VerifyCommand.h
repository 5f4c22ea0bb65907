#pragma once

#include "Commands.h"

#include <filesystem>

#include <optional>
#include <set>

struct DiskSetChecks {
    std::filesystem::path caFile; // the certificates the signatures must lead to, if any
    // The install items whose size the description gives (build knows them; verify alone not).
    std::optional<std::set<std::size_t>> sizeGivenItems;
};

// setupkit verify DISKS: reads the disk set that build wrote to DISKS as SETUP.EXE will and
// prints a report of it. The programs' signatures are checked when SETUP.EXE is signed or a CA
// file is given; an unsigned set is reported as such. Success when it is sound (warnings
// allowed), Failed when a check found a fault; throws ToolError when there is no disk set to
// verify or its script does not load.
[[nodiscard]] CommandResult VerifyDisks(const std::filesystem::path& disks,
                                        const DiskSetChecks& checks);

void AddVerifyCommand(CLI::App& app, ChosenCommand& chosen);

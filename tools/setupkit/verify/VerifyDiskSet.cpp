#include "verify/VerifyDiskSet.h"

#include "ToolError.h"
#include "disks/BuildOptions.h"
#include "testing/TestRun.h"
#include "verify/VerifyChecks.h"

#include <system_error>

namespace fs = std::filesystem;

VerifyReport VerifyDiskSet(const fs::path& disks, const VerifyOptions& options) {
    std::error_code code;
    if (!fs::is_regular_file(disks / "disk1" / kScriptName, code)) {
        throw ToolError(disks.string() + ": not a disk set: there is no disk1/" + kScriptName);
    }
    const SetupScript script = ReadBuiltScript(disks);
    const DiskSet set(disks);
    const VerifyContext context{set, script, options};

    VerifyReport report;
    report.disks = disks;
    report.diskCount = set.DiskCount();
    report.groups.push_back(
        {kScriptName, "loads: " + Counted(script.installItems.size(), "install item"), {}});
    CheckGroup files{"install files", "", {}};
    CheckGroup contents{"contents", "", {}};
    CheckItems(context, files, contents);
    report.groups.push_back(std::move(files));
    report.groups.push_back(std::move(contents));
    report.groups.push_back(CheckDiskOne(context));
    CheckGroup programs{"programs", "", {}};
    CheckGroup signatures{"signatures", "", {}};
    CheckPrograms(context, programs, signatures);
    report.groups.push_back(std::move(programs));
    report.groups.push_back(std::move(signatures));
    return report;
}

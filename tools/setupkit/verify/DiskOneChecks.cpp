#include "disks/BuildOptions.h"
#include "disks/DiskNames.h"
#include "verify/StoredContents.h"
#include "verify/VerifyChecks.h"

namespace {

// A file name of the script's header as SETUP.EXE looks it up: a trailing backslash dropped.
std::string HeaderPath(const FixedText& name) {
    std::string path = name.Str();
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// A file disk 1 must hold; its bytes when it is there.
std::optional<std::vector<std::uint8_t>> Require(const DiskSet& disks, const std::string& path,
                                                 const std::string& role, CheckGroup& group) {
    DiskSet::Read read = disks.ReadFile(1, path);
    if (!read.problem.empty()) {
        group.Fault(DiskSet::Name(1, path) + ": " + read.problem + " (" + role + ")");
        return std::nullopt;
    }
    return std::move(read.bytes);
}

// A picture the script names, stored under its compressed name, which SETUP.EXE expands.
void RequirePicture(const DiskSet& disks, const FixedText& name, const std::string& role,
                    CheckGroup& group, std::vector<std::string>& present) {
    if (name.Empty()) {
        return;
    }
    const std::string path = StoredName(HeaderPath(name), true);
    const auto bytes = Require(disks, path, role, group);
    if (!bytes) {
        return;
    }
    const StoredContents picture = ExpandStored(*bytes);
    if (!picture.problem.empty()) {
        group.Fault(DiskSet::Name(1, path) + ": " + picture.problem + " (" + role + ")");
    }
    present.push_back(path);
}

} // namespace

CheckGroup CheckDiskOne(const VerifyContext& context) {
    CheckGroup group{"disk 1", "", {}};
    std::vector<std::string> present;
    if (Require(context.disks, kSetupExeName, "the installer", group)) {
        present.push_back(kSetupExeName);
    }
    present.push_back(kScriptName);
    const SetupScript& script = context.script;
    if (!script.readmeFile.Empty() &&
        Require(context.disks, HeaderPath(script.readmeFile), "the read-me", group)) {
        present.push_back(HeaderPath(script.readmeFile));
    }
    RequirePicture(context.disks, script.backgroundBitmap, "the background picture", group,
                   present);
    RequirePicture(context.disks, script.sideBitmap, "the side picture", group, present);
    for (const std::string& file : present) {
        group.summary += (group.summary.empty() ? "" : ", ") + file;
    }
    group.summary += " present";
    return group;
}

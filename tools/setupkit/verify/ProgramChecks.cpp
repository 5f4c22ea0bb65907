#include "PrivateFolder.h"
#include "ToolFiles.h"
#include "disks/BuildOptions.h"
#include "disks/DiskNames.h"
#include "verify/ItemPieces.h"
#include "verify/ProgramHeader.h"
#include "verify/ProgramManifest.h"
#include "verify/StoredContents.h"
#include "verify/VerifyChecks.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kUninstallerName = "KXUN32.EXE";

// A program on the disks, ready to be judged: its bytes as installed, and a file holding them.
struct Program {
    std::string name;  // "KXUN32.EXE"
    std::string where; // how findings name it: "disk1/KXUN32.EX_ (joined with ...)"
    std::vector<std::uint8_t> bytes;
    fs::path onDisk; // the file itself, when it is stored as it installs
};

// The uninstaller's item, which the set carries when it was built with it.
const InstallItem* UninstallerItem(const SetupScript& script) {
    for (const InstallItem& item : script.installItems) {
        if (ReadsDiskFile(item) && FoldCase(item.name.View()) == kUninstallerName) {
            return &item;
        }
    }
    return nullptr;
}

// KXUN32.EXE joined and expanded; none when its file has faults, which CheckItems reports.
std::optional<Program> ExpandedUninstaller(const VerifyContext& context) {
    const SetupScript& script = context.script;
    const InstallItem* item = UninstallerItem(script);
    if (!item) {
        return std::nullopt;
    }
    const JoinedFile file = ReadItemFile(context.disks, *item, item - script.installItems.data());
    if (!file.problems.empty()) {
        return std::nullopt;
    }
    StoredContents expanded = ExpandStored(file.bytes);
    if (!expanded.problem.empty()) {
        return std::nullopt;
    }
    return Program{kUninstallerName, file.name, std::move(expanded.data), {}};
}

// The programs there are to judge: SETUP.EXE when disk 1 has it, KXUN32.EXE when the set
// carries it whole.
std::vector<Program> ProgramsOnDisks(const VerifyContext& context) {
    std::vector<Program> programs;
    if (const auto setup = context.disks.Find(1, kSetupExeName)) {
        FileRead read = TryReadFile(*setup);
        if (read.problem.empty()) {
            programs.push_back(
                {kSetupExeName, DiskSet::Name(1, kSetupExeName), std::move(read.bytes), *setup});
        }
    }
    if (std::optional<Program> uninstaller = ExpandedUninstaller(context)) {
        programs.push_back(std::move(*uninstaller));
    }
    return programs;
}

void CheckSignature(const VerifyContext& context, const Program& program, CheckGroup& group) {
    if (!program.onDisk.empty()) {
        if (const auto fault = context.options.checkSignature(program.onDisk)) {
            group.Fault(program.where + ": " + *fault);
        }
        return;
    }
    const PrivateFolder scratch;
    const fs::path copy = scratch.Path() / program.name;
    WriteFile(copy, program.bytes, ExistingFile::Replace);
    if (const auto fault = context.options.checkSignature(copy)) {
        group.Fault(program.where + ": " + *fault);
    }
}

// Whether the program carries a signature, from its header (no osslsigncode needed).
bool Signed(const std::vector<std::uint8_t>& bytes) {
    const std::optional<ProgramHeader> header = ReadProgramHeader(bytes);
    return header && header->certificateTableSize != 0;
}

std::string Names(const std::vector<Program>& programs) {
    std::string names;
    for (const Program& program : programs) {
        names += (names.empty() ? "" : ", ") + program.name;
    }
    return names.empty() ? "none" : names;
}

} // namespace

void CheckPrograms(const VerifyContext& context, CheckGroup& programs, CheckGroup& signatures) {
    const std::vector<Program> found = ProgramsOnDisks(context);
    for (const Program& program : found) {
        if (const auto problem = Win32GuiProblem(program.bytes, program.name)) {
            programs.Fault(program.where + ": " + *problem);
        } else if (const auto elevation = ElevationProblem(program.bytes, program.name)) {
            programs.Fault(program.where + ": " + *elevation);
        }
    }
    programs.summary = Names(found) + ": 32-bit Windows GUI programs that run as administrator";
    if (!UninstallerItem(context.script)) {
        programs.summary += " (no uninstaller in the set)";
    } else if (found.empty() || found.back().name != kUninstallerName) {
        programs.summary +=
            std::string(" (") + kUninstallerName + " not read: its file has faults)";
    }
    if (!context.options.checkSignature) {
        signatures.summary = "not checked";
        return;
    }
    const bool setupExeSigned =
        !found.empty() && found.front().name == kSetupExeName && Signed(found.front().bytes);
    if (!context.options.signaturesRequired && !setupExeSigned) {
        signatures.summary = "not signed (Windows warns before it runs an unsigned installer)";
        return;
    }
    for (const Program& program : found) {
        CheckSignature(context, program, signatures);
    }
    signatures.summary = Names(found) + ": sound";
}

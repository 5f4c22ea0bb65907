#include "VerifyCommand.h"

#include "signing/SignatureCheck.h"
#include "verify/VerifyDiskSet.h"

#include <cstdio>
#include <memory>
#include <string>

namespace fs = std::filesystem;

CommandResult VerifyDisks(const fs::path& disks, const DiskSetChecks& checks) {
    VerifyOptions options;
    options.sizeGivenItems = checks.sizeGivenItems;
    // Against the CA file when one is given, else against the system's CAs when SETUP.EXE is
    // signed at all (then every program must be); an unsigned set is only reported.
    options.checkSignature = [caFile = checks.caFile](const fs::path& program) {
        return VerifySignature(program, caFile);
    };
    options.signaturesRequired = !checks.caFile.empty();
    const VerifyReport report = VerifyDiskSet(disks, options);
    const std::string text = FormatVerifyReport(report);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return report.Sound() ? CommandResult::Success : CommandResult::Failed;
}

void AddVerifyCommand(CLI::App& app, ChosenCommand& chosen) {
    struct Options {
        std::string disks;
        std::string caFile;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "verify", "Check a built disk set as SETUP.EXE will read it: every file and piece on its "
                  "disk, compressed files whole, sizes as the script gives them, SETUP.EXE and "
                  "KXUN32.EXE 32-bit Windows programs that run as administrator, their "
                  "signatures (exit 0 sound, 1 faults, 2 no disk set)");
    command
        ->add_option("disks", options->disks,
                     "the folder build -o wrote (holding disk1, disk2, ...)")
        ->required();
    command
        ->add_option("--ca", options->caFile,
                     "PEM certificates the programs' signatures must lead to (default: the "
                     "system's trusted CAs, when the set is signed; an unsigned set is reported)")
        ->check(CLI::ExistingFile);
    command->callback([options, &chosen] {
        chosen = {"verify", "", [options] {
                      // Size differences are warnings here: the description is not at hand.
                      return VerifyDisks(options->disks, DiskSetChecks{options->caFile, {}});
                  }};
    });
}

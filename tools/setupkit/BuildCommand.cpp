#include "DiskCommands.h"

#include "AnswersCommand.h"
#include "ProductDisks.h"
#include "disks/DiskBuilder.h"
#include "ToolError.h"
#include "VerifyCommand.h"
#include "disks/UninstallerItems.h"
#include "testing/ProgramMachine.h"
#include "signing/ProgramSigner.h"
#include "signing/SigningOptions.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct BuildCommandOptions {
    std::string description;
    std::string output;
    std::string capacity;
    std::string setupExe;
    std::string uninstaller;
    std::string answers;
    bool verbose = false;
    bool images = false;
    bool verify = false;
    std::string verifyCa;
    SigningOptions signing;
};

// The programs of disk 1 as the build takes them: signed copies when signing is asked for (by
// the description's [signing] table or the options), before anything is compressed or placed.
// The copies live as long as the result.
std::optional<SignedCopies> SignDiskOnePrograms(const SigningRequest& request, BuildOptions& build,
                                                fs::path& uninstaller, bool withUninstaller) {
    if (!SigningWanted(request)) {
        return std::nullopt;
    }
    std::vector<fs::path> programs{build.setupExe};
    // A missing uninstaller is left to the build, which says how to give one.
    std::error_code code;
    withUninstaller = withUninstaller && fs::is_regular_file(uninstaller, code);
    if (withUninstaller) {
        programs.push_back(uninstaller);
    }
    SignedCopies copies = SignCopies(request, programs);
    build.setupExe = copies.programs[0];
    if (withUninstaller) {
        uninstaller = copies.programs[1];
    }
    std::printf("signed: %s\n", withUninstaller ? "SETUP.EXE, KXUN32.EXE" : "SETUP.EXE");
    return copies;
}

// The install items whose size the description gives, which verify cannot tell from the disks.
std::set<std::size_t> SizeGivenItems(const ProductDescription& description) {
    std::set<std::size_t> items;
    for (std::size_t i = 0; i < description.sources.size(); ++i) {
        if (description.sources[i].sizeGiven) {
            items.insert(i);
        }
    }
    return items;
}

void PrintSummary(const BuildReport& report) {
    for (std::size_t i = 0; i < report.disks.size(); ++i) {
        const BuiltDisk& disk = report.disks[i];
        if (disk.capacity) {
            std::printf("disk%zu: %u files, %llu of %llu bytes used\n", i + 1, disk.files,
                        static_cast<unsigned long long>(disk.used),
                        static_cast<unsigned long long>(*disk.capacity));
        } else {
            std::printf("disk%zu: %u files, %llu bytes\n", i + 1, disk.files,
                        static_cast<unsigned long long>(disk.used));
        }
    }
    std::printf("%zu disk(s)%s%s; %u file(s) compressed, %u stored as they are (they do not "
                "shrink), %u split across disks\n",
                report.disks.size(), report.format.IsFloppy() ? ", " : "",
                report.format.floppyName.c_str(), report.compressed, report.storedPlain,
                report.split);
}

CommandResult RunBuild(const BuildCommandOptions& options) {
    BuildOptions build;
    build.outputDirectory = options.output;
    if (!options.capacity.empty()) {
        build.capacity = CapacityOption(options.capacity);
    }
    build.setupExe = options.setupExe.empty() ? DefaultSetupExe() : fs::path(options.setupExe);
    if (options.setupExe.empty() && !fs::exists(build.setupExe)) {
        throw ToolError("SETUP.EXE not found at " + build.setupExe.string() +
                        " (the shipped build beside this tool); give --setup-exe PATH");
    }
    build.progress =
        options.verbose || isatty(fileno(stderr)) ? ShowProgress::Yes : ShowProgress::No;
    build.images = options.images ? MakeImages::Yes : MakeImages::No;

    ProductDescription description = LoadDescriptionForCommand(options.description);
    if (!options.answers.empty()) {
        // Before anything is written: disks whose answer file does not fit are of no use.
        CheckAnswerFile(options.answers, description.script);
    }
    const fs::path setupExe = build.setupExe;
    const fs::path uninstaller =
        options.uninstaller.empty() ? DefaultUninstaller(setupExe) : fs::path(options.uninstaller);
    fs::path shippedUninstaller = uninstaller;
    const std::optional<SignedCopies> signedCopies =
        SignDiskOnePrograms(SigningRequestFrom(options.signing, description.signing), build,
                            shippedUninstaller, description.addUninstaller);
    const BuildReport report = BuildProductDisks(description, build, shippedUninstaller);
    PrintSummary(report);
    std::printf("%s\n", ProgramLine("SETUP.EXE", setupExe).c_str());
    if (description.addUninstaller) {
        std::printf("%s\n", ProgramLine("KXUN32.EXE", uninstaller).c_str());
    }
    if (!options.verify && options.verifyCa.empty()) {
        return CommandResult::Success;
    }
    std::printf("\n");
    return VerifyDisks(build.outputDirectory,
                       DiskSetChecks{options.verifyCa, SizeGivenItems(description)});
}

} // namespace

// Each signing option's name and help; the key and the time-stamp server may also be named in
// the description's [signing] table, which these override.
void AddSigningOptions(CLI::App& command, SigningOptions& signing) {
    const std::string group = "Signing (Authenticode, by osslsigncode)";
    const auto add = [&](const char* name, std::string& value, const char* help) {
        command.add_option(name, value, help)->group(group);
    };
    add("--sign-pkcs12", signing.pkcs12,
        "sign SETUP.EXE and KXUN32.EXE with the key and certificates of this PKCS#12 file");
    add("--sign-cert", signing.certificates,
        "sign with this PEM certificate (chain), with --sign-key, or with a PKCS#11 key");
    add("--sign-key", signing.key,
        "the PEM key file for --sign-cert, or with --sign-pkcs11-module the key's id on the token");
    add("--sign-pkcs11-module", signing.pkcs11Module,
        "sign with a key on a PKCS#11 token (hardware or cloud key store) through this module");
    add("--sign-pkcs11-engine", signing.pkcs11Engine,
        "the OpenSSL PKCS#11 engine for --sign-pkcs11-module, when OpenSSL does not find its own");
    add("--sign-pkcs11-cert", signing.pkcs11Certificate,
        "the id of the signing certificate on the token (else give --sign-cert FILE)");
    add("--sign-password-file", signing.passwordFile,
        "read the PKCS#12 or key password, or the token's PIN, from this file");
    add("--sign-password-env", signing.passwordVariable,
        "take the password or PIN from this environment variable (give its name, not the value)");
    add("--timestamp", signing.timestamp, "the URL of an RFC 3161 time-stamp server");
    add("--sign-name", signing.name, "the description of the signed programs");
    add("--sign-url", signing.url, "the web page of the signed programs");
}

void AddBuildCommand(CLI::App& app, ChosenCommand& chosen) {
    CLI::App* command = app.add_subcommand(
        "build",
        "Build the distribution disks (OUTDIR/disk1, disk2, ...) of a product description");
    auto options = std::make_shared<BuildCommandOptions>();
    command->add_option("description", options->description, "the product description (.toml)")
        ->required();
    command->add_option("-o,--output", options->output, "the folder of disks to write")->required();
    command->add_option("--capacity", options->capacity,
                        "bytes per disk: 360K, 720K, 1.2M, 1.44M, 2.88M, unlimited or a number "
                        "(default: the description's [disks] capacity)");
    command->add_option("--setup-exe", options->setupExe,
                        "the SETUP.EXE to put on disk 1 (default: the shipped 32-bit build beside "
                        "this tool's build, <build>/dist32/src/shell/dist/SETUP.EXE, stripped of "
                        "debug information)");
    command->add_option("--uninstaller", options->uninstaller,
                        "the KXUN32.EXE to put on disk 1 for a product with an uninstall entry "
                        "(default: beside SETUP.EXE, or in its Win32 build's src/uninstall)");
    command->add_option("--answers", options->answers,
                        "an answer file (see `setupkit answers`) to check against the product "
                        "first: one that does not fit fails the build");
    command->add_flag("-v,--verbose", options->verbose,
                      "show progress on stderr even when it is not a terminal");
    command->add_flag("--verify", options->verify,
                      "then check the disk set as `setupkit verify` does; its faults fail the "
                      "build (exit code 1)");
    command
        ->add_option("--verify-ca", options->verifyCa,
                     "verify, the signatures against these PEM certificates (a private CA) "
                     "instead of the system's trusted CAs")
        ->check(CLI::ExistingFile);
    command->add_flag("--images", options->images,
                      "also write each disk as a FAT12 floppy image OUTDIR/diskN.img (mtools)");
    AddSigningOptions(*command, options->signing);
    command->callback([options, &chosen] {
        chosen = {"build", options->description, [options] { return RunBuild(*options); }};
    });
}

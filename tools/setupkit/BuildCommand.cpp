#include "DiskCommands.h"

#include "AnswersCommand.h"
#include "ProductDisks.h"
#include "disks/DiskBuilder.h"
#include "ToolError.h"
#include "disks/UninstallerItems.h"
#include "testing/ProgramMachine.h"

#include <cstdio>
#include <memory>
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
};

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
                        " (the Win32 build beside this tool); give --setup-exe PATH");
    }
    build.progress =
        options.verbose || isatty(fileno(stderr)) ? ShowProgress::Yes : ShowProgress::No;
    build.images = options.images ? MakeImages::Yes : MakeImages::No;

    ProductDescription description = LoadDescriptionForCommand(options.description);
    if (!options.answers.empty()) {
        // Before anything is written: disks whose answer file does not fit are of no use.
        CheckAnswerFile(options.answers, description.script);
    }
    const BuildReport report = BuildProductDisks(description, build, fs::path(options.uninstaller));
    PrintSummary(report);
    std::printf("%s\n", ProgramLine("SETUP.EXE", build.setupExe).c_str());
    if (description.addUninstaller) {
        const fs::path uninstaller = options.uninstaller.empty()
                                         ? DefaultUninstaller(build.setupExe)
                                         : fs::path(options.uninstaller);
        std::printf("%s\n", ProgramLine("KXUN32.EXE", uninstaller).c_str());
    }
    return CommandResult::Success;
}

} // namespace

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
                        "the SETUP.EXE to put on disk 1 (default: the Win32 build beside this "
                        "tool's build, <build>/win32/src/shell/dist/SETUP.EXE, stripped of "
                        "debug information)");
    command->add_option("--uninstaller", options->uninstaller,
                        "the KXUN32.EXE to put on disk 1 for a product with an uninstall entry "
                        "(default: beside SETUP.EXE, or in its Win32 build's src/uninstall)");
    command->add_option("--answers", options->answers,
                        "an answer file (see `setupkit answers`) to check against the product "
                        "first: one that does not fit fails the build");
    command->add_flag("-v,--verbose", options->verbose,
                      "show progress on stderr even when it is not a terminal");
    command->add_flag("--images", options->images,
                      "also write each disk as a FAT12 floppy image OUTDIR/diskN.img (mtools)");
    command->callback([options, &chosen] {
        chosen = {"build", options->description, [options] { return RunBuild(*options); }};
    });
}

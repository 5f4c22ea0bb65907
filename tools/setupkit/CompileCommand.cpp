#include "CompileCommand.h"

#include "ProductDisks.h"
#include "ToolFiles.h"
#include "script/ScriptWriter.h"

#include <cstdio>
#include <memory>
#include <string>

namespace fs = std::filesystem;

CommandResult CompileProduct(const fs::path& description, const fs::path& output) {
    const ProductDescription loaded = LoadDescriptionForCommand(description.string());
    // A loadable script may hold what SETUP.EXE cannot use, and compile must take back what
    // dump writes: only build refuses these.
    for (const SourceError& warning : loaded.unusable) {
        std::fprintf(stderr, "%s\n", warning.Message("warning").c_str());
    }
    // Replacing: a failed compile never leaves a half-written or stale-looking script behind.
    WriteFile(output, WriteSetupScript(loaded.script), ExistingFile::Replace);
    return CommandResult::Success;
}

void AddCompileCommand(CLI::App& app, ChosenCommand& chosen) {
    struct Options {
        std::string description;
        std::string output;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command =
        app.add_subcommand("compile", "Compile a product description (TOML) into a setup script");
    command->add_option("description", options->description, "the product description (.toml)")
        ->required();
    command->add_option("-o,--output", options->output, "the script to write (SETUP.INF)")
        ->required();
    command->callback([options, &chosen] {
        chosen = {"compile", options->description,
                  [options] { return CompileProduct(options->description, options->output); }};
    });
}

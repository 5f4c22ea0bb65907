#include "CompileCommand.h"

#include "ProductDescription.h"
#include "script/ScriptWriter.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Writes bytes to a temporary file beside output and renames it over output, so that a failed
// compile never leaves a half-written or stale-looking script behind.
bool WriteFileAtomically(const fs::path& output, const std::vector<std::uint8_t>& bytes,
                         std::string& problem) {
    const fs::path temporary = output.parent_path() / ("." + output.filename().string() + ".tmp" +
                                                       std::to_string(::getpid()));
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (file) {
            file.write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<std::streamsize>(bytes.size()));
            file.close();
        }
        if (!file) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            problem = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, output, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        problem = "cannot replace " + output.string() + ": " + error.message();
        return false;
    }
    return true;
}

} // namespace

CommandResult CompileProduct(const fs::path& description, const fs::path& output,
                             std::ostream& err) {
    Result<ProductDescription> loaded = LoadProductDescription(description);
    if (!loaded) {
        err << loaded.Error().Message() << '\n';
        return CommandResult::BadInput;
    }
    for (const SourceError& warning : loaded.Value().warnings) {
        err << warning.Message("warning") << '\n';
    }
    // A loadable script may hold what SETUP.EXE cannot use, and compile must take back what
    // dump writes: only build refuses these.
    for (const SourceError& warning : loaded.Value().unusable) {
        err << warning.Message("warning") << '\n';
    }
    std::string problem;
    if (!WriteFileAtomically(output, WriteSetupScript(loaded.Value().script), problem)) {
        err << "setupkit compile: " << problem << '\n';
        return CommandResult::BadInput;
    }
    return CommandResult::Success;
}

void AddCompileCommand(CLI::App& app, CommandResult& result) {
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
    command->callback([options, &result] {
        result = CompileProduct(options->description, options->output, std::cerr);
    });
}

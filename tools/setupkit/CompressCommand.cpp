#include "DiskCommands.h"

#include "ToolError.h"
#include "ToolFiles.h"
#include "lz/SzddCompressor.h"
#include "lz/SzddFormat.h"

#include <filesystem>
#include <memory>
#include <string>

namespace {

struct CompressOptions {
    std::string input;
    std::string output;
};

CommandResult RunCompress(const CompressOptions& options) {
    const std::vector<std::uint8_t> data = ReadBinaryFile(options.input);
    if (data.size() > kSzddMaxLength) {
        throw ToolError(options.input + ": too large for LZ compression (more than " +
                        std::to_string(kSzddMaxLength) + " bytes)");
    }
    const std::string name = std::filesystem::path(options.input).filename().string();
    WriteFile(options.output, CompressSzdd(data, SzddMissingChar(name)), ExistingFile::Replace);
    return CommandResult::Success;
}

} // namespace

void AddCompressCommand(CLI::App& app, ChosenCommand& chosen) {
    CLI::App* command = app.add_subcommand(
        "compress", "Compress one file into the LZ (SZDD) format that SETUP.EXE expands");
    auto options = std::make_shared<CompressOptions>();
    command->add_option("IN", options->input, "File to compress")->required();
    command->add_option("OUT", options->output, "Compressed file to write")->required();
    command->callback([options, &chosen] {
        chosen = {"compress", "", [options] { return RunCompress(*options); }};
    });
}

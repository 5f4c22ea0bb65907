#include "DiskCommands.h"

#include "disks/ToolFiles.h"
#include "lz/SzddCompressor.h"
#include "lz/SzddFormat.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct CompressOptions {
    std::string input;
    std::string output;
};

CommandResult RunCompress(const CompressOptions& options) {
    try {
        const std::vector<std::uint8_t> data = ReadBinaryFile(options.input);
        if (data.size() > kSzddMaxLength) {
            throw ToolError(options.input + ": too large for LZ compression (more than " +
                            std::to_string(kSzddMaxLength) + " bytes)");
        }
        const std::string name = std::filesystem::path(options.input).filename().string();
        WriteFileReplacing(options.output, CompressSzdd(data, SzddMissingChar(name)));
        return CommandResult::Success;
    } catch (const ToolError& error) {
        std::fprintf(stderr, "setupkit compress: %s\n", error.what());
        return CommandResult::BadInput;
    }
}

} // namespace

void AddCompressCommand(CLI::App& app, CommandResult& result) {
    CLI::App* command = app.add_subcommand(
        "compress", "Compress one file into the LZ (SZDD) format that SETUP.EXE expands");
    auto options = std::make_shared<CompressOptions>();
    command->add_option("IN", options->input, "File to compress")->required();
    command->add_option("OUT", options->output, "Compressed file to write")->required();
    command->callback([options, &result] { result = RunCompress(*options); });
}

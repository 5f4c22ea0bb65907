#include "DiskCommands.h"

#include "disks/ToolFiles.h"
#include "lz/SzddExpander.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct ExpandOptions {
    std::string input;
    std::string output;
};

CommandResult RunExpand(const ExpandOptions& options) {
    try {
        const std::vector<std::uint8_t> data = ReadBinaryFile(options.input);
        const SzddExpandResult expanded = ExpandSzdd(data);
        if (expanded.status != SzddStatus::Ok) {
            throw ToolError(options.input + ": " +
                            std::string(DescribeSzddStatus(expanded.status)));
        }
        WriteFileReplacing(options.output, expanded.data);
        return CommandResult::Success;
    } catch (const ToolError& error) {
        std::fprintf(stderr, "setupkit expand: %s\n", error.what());
        return CommandResult::BadInput;
    }
}

} // namespace

void AddExpandCommand(CLI::App& app, CommandResult& result) {
    CLI::App* command =
        app.add_subcommand("expand", "Expand one LZ-compressed (SZDD) file, ours or mscompress's");
    auto options = std::make_shared<ExpandOptions>();
    command->add_option("IN", options->input, "Compressed file to read")->required();
    command->add_option("OUT", options->output, "Expanded file to write")->required();
    command->callback([options, &result] { result = RunExpand(*options); });
}

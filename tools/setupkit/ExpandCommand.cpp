#include "DiskCommands.h"

#include "ToolError.h"
#include "ToolFiles.h"
#include "lz/SzddExpander.h"

#include <memory>
#include <string>

namespace {

struct ExpandOptions {
    std::string input;
    std::string output;
};

CommandResult RunExpand(const ExpandOptions& options) {
    const std::vector<std::uint8_t> data = ReadBinaryFile(options.input);
    const SzddExpandResult expanded = ExpandSzdd(data);
    if (expanded.status != SzddStatus::Ok) {
        throw ToolError(options.input + ": " + std::string(DescribeSzddStatus(expanded.status)));
    }
    WriteFile(options.output, expanded.data, ExistingFile::Replace);
    return CommandResult::Success;
}

} // namespace

void AddExpandCommand(CLI::App& app, ChosenCommand& chosen) {
    CLI::App* command =
        app.add_subcommand("expand", "Expand one LZ-compressed (SZDD) file, ours or mscompress's");
    auto options = std::make_shared<ExpandOptions>();
    command->add_option("IN", options->input, "Compressed file to read")->required();
    command->add_option("OUT", options->output, "Expanded file to write")->required();
    command->callback([options, &chosen] {
        chosen = {"expand", "", [options] { return RunExpand(*options); }};
    });
}

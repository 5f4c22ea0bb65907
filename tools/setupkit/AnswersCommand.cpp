#include "AnswersCommand.h"

#include "ProductDisks.h"
#include "ToolError.h"
#include "ToolFiles.h"
#include "engine/AnswerFile.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

CommandResult WriteProductAnswers(const fs::path& description, const fs::path& output) {
    const ProductDescription loaded = LoadDescriptionForCommand(description.string());
    const std::string text =
        WriteAnswers(DefaultAnswers(loaded.script), loaded.script, /*commented=*/true);
    if (output.empty()) {
        if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) {
            throw ToolError("cannot write the answer file to stdout");
        }
    } else {
        WriteTextFile(output, text, ExistingFile::Replace);
    }
    return CommandResult::Success;
}

void CheckAnswerFile(const fs::path& answerFile, const SetupScript& script) {
    const std::vector<std::uint8_t> bytes = ReadBinaryFile(answerFile);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const AnswersOrError read = ReadAnswers(SplitIniText(text), script);
    if (!read.error.empty()) {
        throw ToolError(answerFile.string() + ": " + read.error);
    }
}

void AddAnswersCommand(CLI::App& app, ChosenCommand& chosen) {
    struct Options {
        std::string description;
        std::string output;
    };
    auto options = std::make_shared<Options>();
    CLI::App* command = app.add_subcommand(
        "answers", "Write an answer file of the product's defaults, each key explained, for an "
                   "unattended install (SETUP.EXE /silent /answers:FILE)");
    command->add_option("description", options->description, "the product description (.toml)")
        ->required();
    command->add_option("-o,--output", options->output,
                        "the answer file to write (default: stdout)");
    command->callback([options, &chosen] {
        chosen = {"answers", options->description,
                  [options] { return WriteProductAnswers(options->description, options->output); }};
    });
}

#pragma once

#include "Commands.h"
#include "script/ScriptModel.h"

#include <filesystem>

// setupkit answers PRODUCT.toml [-o FILE]: the answer file of the product's defaults, with a
// comment before each key, for an unattended run of SETUP.EXE. Without -o it goes to stdout.
[[nodiscard]] CommandResult WriteProductAnswers(const std::filesystem::path& description,
                                                const std::filesystem::path& output);

// Reads the answer file against the script as SETUP.EXE will; throws ToolError
// "FILE: [Section] Key: problem" when it does not fit.
void CheckAnswerFile(const std::filesystem::path& answerFile, const SetupScript& script);

void AddAnswersCommand(CLI::App& app, ChosenCommand& chosen);

#pragma once

#include "SourceError.h"

#include <optional>
#include <stdexcept>
#include <string>

// The one error of the tool: a problem with its input or output that ends the command with
// exit code 2. The message names the file and says what is wrong; main prints it once.
class ToolError : public std::runtime_error {
public:
    explicit ToolError(const std::string& message) : std::runtime_error(message) {}
    // A fault at a place in a product description: "FILE:LINE: field: problem".
    explicit ToolError(SourceError source)
        : std::runtime_error(source.Message()), source_(std::move(source)) {}

    // The place in the description, when the fault has one.
    const std::optional<SourceError>& Source() const { return source_; }

private:
    std::optional<SourceError> source_;
};

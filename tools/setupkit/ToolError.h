#pragma once

#include <stdexcept>

// The one error of the tool: a problem with its input or output that ends the command with
// exit code 2. The message names the file and says what is wrong; main prints it once.
class ToolError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

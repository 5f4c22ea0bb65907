#pragma once

#include <string>
#include <vector>

// A program run without a shell (found on PATH), its stdout and stderr caught together.
struct CapturedRun {
    bool started = false; // false: the program was not found or could not be run
    int exitCode = 0;     // or 128 + the signal that ended it
    std::string output;
};

// Runs arguments[0] with the rest as its arguments, stdin empty, and waits for it.
[[nodiscard]] CapturedRun RunCaptured(const std::vector<std::string>& arguments);

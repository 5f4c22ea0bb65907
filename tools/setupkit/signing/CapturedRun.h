#pragma once

#include <string>
#include <string_view>
#include <vector>

// A program run without a shell (found on PATH), its stdout and stderr caught together.
struct CapturedRun {
    bool started = false; // false: the program was not found or could not be run
    int exitCode = 0;     // or 128 + the signal that ended it
    std::string output;
};

// The descriptor on which a run's secret reaches the program: it reads /dev/fd/3.
inline constexpr int kSecretDescriptor = 3;

// Runs arguments[0] with the rest as its arguments, stdin empty, and waits for it. A secret is
// handed to it through a pipe on descriptor 3, so that it is never in a file or an argument.
[[nodiscard]] CapturedRun RunCaptured(const std::vector<std::string>& arguments,
                                      std::string_view secret = {});

#pragma once

#include <string>
#include <string_view>
#include <vector>

// osslsigncode, found on PATH: the one program that signs and checks signatures for the tool.
// The options used are those of Debian 12's osslsigncode 2.5, the oldest version relied on.

struct OsslsigncodeResult {
    bool succeeded = false;
    std::string output; // stdout and stderr together
};

// Runs `osslsigncode ARGUMENTS...`, a secret (a password) on descriptor 3 for `-readpass
// /dev/fd/3`. Throws ToolError naming the Debian package when it is not installed.
[[nodiscard]] OsslsigncodeResult RunOsslsigncode(const std::vector<std::string>& arguments,
                                                 std::string_view secret = {});

// Its output as the end of a message: the lines that say what went wrong, without blank ones.
[[nodiscard]] std::string OutputForMessage(const std::string& output);

#include "Osslsigncode.h"

#include "CapturedRun.h"
#include "ToolError.h"

#include <climits>
#include <sstream>

OsslsigncodeResult RunOsslsigncode(const std::vector<std::string>& arguments,
                                   std::string_view secret) {
    if (secret.size() > PIPE_BUF) {
        throw ToolError("the signing password is longer than " + std::to_string(PIPE_BUF) +
                        " bytes");
    }
    std::vector<std::string> command{"osslsigncode"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const CapturedRun run = RunCaptured(command, secret);
    if (!run.started) {
        throw ToolError("osslsigncode not found on PATH; install the Debian package osslsigncode "
                        "(apt-get install osslsigncode)");
    }
    return {run.exitCode == 0, run.output};
}

std::string OutputForMessage(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    std::string message;
    while (std::getline(lines, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        message += message.empty() ? "" : "\n  ";
        message += line;
    }
    return message.empty() ? "(osslsigncode said nothing)" : message;
}

#include "integration/UninstallCommand.h"

#include "common/AsciiCase.h"

namespace {

constexpr std::string_view kProgramEnd = ".EXE ";

} // namespace

std::optional<std::size_t> UninstallArgumentsStart(std::string_view command) {
    const std::size_t program = AsciiUpper(command).find(kProgramEnd);
    if (program == std::string::npos) {
        return std::nullopt;
    }
    return program + kProgramEnd.size();
}

std::string QuietCommandOf(std::string_view command) {
    const std::optional<std::size_t> start = UninstallArgumentsStart(command);
    if (!start) {
        return {};
    }
    return std::string(command.substr(0, *start)) + "/silent " +
           std::string(command.substr(*start));
}

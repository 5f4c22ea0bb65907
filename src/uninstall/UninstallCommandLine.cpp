#include "uninstall/UninstallCommandLine.h"

#include "common/AsciiCase.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::string ScriptPathFromArguments(std::string_view arguments) {
    std::string_view path = Trimmed(arguments);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = Trimmed(path.substr(1, path.size() - 2));
    }
    return std::string(path);
}

std::string ScriptPathOfCommand(std::string_view command) {
    const std::string upper = AsciiUpper(command);
    const std::size_t program = upper.find(".EXE ");
    if (program == std::string::npos) {
        return {};
    }
    return ScriptPathFromArguments(command.substr(program + 5));
}

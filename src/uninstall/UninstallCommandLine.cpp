#include "uninstall/UninstallCommandLine.h"

#include "common/AsciiCase.h"

namespace {

constexpr std::string_view kSilentSwitch = "/SILENT";
constexpr std::string_view kRemoveSharedSwitch = "/REMOVESHARED";
constexpr std::string_view kLogSwitch = "/LOG:";

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

std::string_view TrimmedFront(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

bool StartsWithNoCase(std::string_view text, std::string_view upperPrefix) {
    return text.size() >= upperPrefix.size() &&
           AsciiUpper(text.substr(0, upperPrefix.size())) == upperPrefix;
}

// Whether text starts with the switch word, followed by a blank.
bool IsWordFollowedByBlank(std::string_view text, std::string_view upperWord) {
    return StartsWithNoCase(text, upperWord) && text.size() > upperWord.size() &&
           IsBlank(text[upperWord.size()]);
}

// The log switch at the start of text: its path and the length of the switch, or nothing when
// the word is not a well-formed log switch followed by a blank.
std::optional<std::size_t> LogSwitchLength(std::string_view text, std::string& path) {
    if (!StartsWithNoCase(text, kLogSwitch)) {
        return std::nullopt;
    }
    const std::string_view value = text.substr(kLogSwitch.size());
    std::size_t end = 0;
    if (!value.empty() && value.front() == '"') {
        const std::size_t closing = value.find('"', 1);
        if (closing == std::string_view::npos) {
            return std::nullopt;
        }
        path = std::string(value.substr(1, closing - 1));
        end = closing + 1;
    } else {
        while (end < value.size() && !IsBlank(value[end])) {
            ++end;
        }
        path = std::string(value.substr(0, end));
    }
    if (path.empty() || end >= value.size() || !IsBlank(value[end])) {
        return std::nullopt;
    }
    return kLogSwitch.size() + end;
}

// Takes one switch off the front of rest into arguments; false when rest does not start with
// a switch not seen before.
bool TakeSwitch(std::string_view& rest, UninstallArguments& arguments) {
    if (!arguments.silent && IsWordFollowedByBlank(rest, kSilentSwitch)) {
        arguments.silent = true;
        rest.remove_prefix(kSilentSwitch.size());
        return true;
    }
    if (!arguments.removeShared && IsWordFollowedByBlank(rest, kRemoveSharedSwitch)) {
        arguments.removeShared = true;
        rest.remove_prefix(kRemoveSharedSwitch.size());
        return true;
    }
    std::string path;
    if (!arguments.logPath) {
        if (const std::optional<std::size_t> length = LogSwitchLength(rest, path)) {
            arguments.logPath = std::move(path);
            rest.remove_prefix(*length);
            return true;
        }
    }
    return false;
}

} // namespace

UninstallArguments ParseUninstallArguments(std::string_view arguments) {
    UninstallArguments parsed;
    std::string_view rest = TrimmedFront(arguments);
    while (TakeSwitch(rest, parsed)) {
        rest = TrimmedFront(rest);
    }
    parsed.scriptPath = ScriptPathFromArguments(rest);
    return parsed;
}

std::string ScriptPathFromArguments(std::string_view arguments) {
    std::string_view path = Trimmed(arguments);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
        path = Trimmed(path.substr(1, path.size() - 2));
    }
    return std::string(path);
}

std::string ScriptPathOfCommand(std::string_view command) {
    const std::optional<std::size_t> start = UninstallArgumentsStart(command);
    return start ? ParseUninstallArguments(command.substr(*start)).scriptPath : std::string();
}

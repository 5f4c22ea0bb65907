#include "shell/SetupCommandLine.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

struct Word {
    std::string name;  // lower case, without the slash
    std::string value; // after the colon, without its quotes
    bool hasValue = false;
};

constexpr std::array kSwitchNames = {"silent", "answers", "record", "disks", "log"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The next word from position: "/name" or "/name:value", the value in double quotes when it
// holds blanks. Null when the text there is no switch word.
std::optional<Word> NextWord(std::string_view text, std::size_t& position) {
    if (position >= text.size() || text[position] != '/') {
        return std::nullopt;
    }
    Word word;
    std::size_t at = position + 1;
    while (at < text.size() && !IsBlank(text[at]) && text[at] != ':') {
        word.name += AsciiLower(text[at++]);
    }
    if (at < text.size() && text[at] == ':') {
        word.hasValue = true;
        ++at;
        if (at < text.size() && text[at] == '"') {
            const std::size_t close = text.find('"', at + 1);
            if (close == std::string_view::npos) {
                return std::nullopt;
            }
            word.value = std::string(text.substr(at + 1, close - at - 1));
            at = close + 1;
        } else {
            while (at < text.size() && !IsBlank(text[at])) {
                word.value += text[at++];
            }
        }
    }
    if (at < text.size() && !IsBlank(text[at])) {
        return std::nullopt; // text straight after a closing quote
    }
    position = at;
    return word;
}

bool IsSwitchName(const std::string& name) {
    return std::find(kSwitchNames.begin(), kSwitchNames.end(), name) != kSwitchNames.end();
}

std::vector<std::string> SplitFolders(const std::string& value) {
    std::vector<std::string> folders;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(';', start), value.size());
        if (end > start) {
            folders.push_back(value.substr(start, end - start));
        }
        start = end + 1;
    }
    return folders;
}

// Takes one switch into the command line; the error text when it cannot be taken.
std::string Take(const Word& word, SetupCommandLine& line) {
    if (word.name == "silent") {
        if (word.hasValue) {
            return "/silent takes no value";
        }
        line.mode = SetupMode::Silent;
        return {};
    }
    if (!word.hasValue || word.value.empty()) {
        return "/" + word.name + " needs a value: /" + word.name + ":...";
    }
    if (word.name == "answers") {
        line.answersPath = word.value;
    } else if (word.name == "record") {
        line.recordPath = word.value;
    } else if (word.name == "disks") {
        line.diskFolders = SplitFolders(word.value);
    } else {
        line.logPath = word.value;
    }
    return {};
}

// The rules between the switches, once all are taken.
std::string CheckCombination(SetupCommandLine& line) {
    const bool silent = line.mode == SetupMode::Silent;
    if (silent && !line.recordPath.empty()) {
        return "/record is a run of the wizard: it cannot be silent";
    }
    if (!silent && !line.answersPath.empty()) {
        return "/answers is read only by a /silent run";
    }
    if (!silent && !line.diskFolders.empty()) {
        return "/disks is read only by a /silent run";
    }
    if (!silent && !line.logPath.empty()) {
        return "/log is written only by a /silent run";
    }
    if (!silent) {
        line.mode = SetupMode::Record;
    }
    return {};
}

} // namespace

SetupCommandLine ParseSetupCommandLine(std::string_view arguments) {
    SetupCommandLine line;
    std::size_t position = 0;
    while (position < arguments.size() && IsBlank(arguments[position])) {
        ++position;
    }
    std::vector<std::string> seen;
    while (position < arguments.size()) {
        const std::optional<Word> word = NextWord(arguments, position);
        if (!word || !IsSwitchName(word->name)) {
            if (seen.empty()) {
                return SetupCommandLine{}; // not switches: ignored
            }
            line.error = "not a switch of SETUP.EXE: " + std::string(arguments.substr(position));
            return line;
        }
        for (const std::string& name : seen) {
            if (name == word->name) {
                line.error = "/" + name + " is given twice";
                return line;
            }
        }
        seen.push_back(word->name);
        line.error = Take(*word, line);
        if (!line.error.empty()) {
            return line;
        }
        while (position < arguments.size() && IsBlank(arguments[position])) {
            ++position;
        }
    }
    if (!seen.empty()) {
        line.error = CheckCombination(line);
    }
    return line;
}

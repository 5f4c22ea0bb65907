#include "testing/TestVerdict.h"

#include "shell/SilentExitCodes.h"
#include "testing/Lines.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

// Reads a text in double quotes with the escapes \\ \" \n \r \t \0 from the front of line.
std::optional<std::string> TakeQuoted(std::string_view& line) {
    while (!line.empty() && line.front() == ' ') {
        line.remove_prefix(1);
    }
    if (line.empty() || line.front() != '"') {
        return std::nullopt;
    }
    std::string text;
    for (std::size_t i = 1; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            line.remove_prefix(i + 1);
            return text;
        }
        if (c == '\\' && i + 1 < line.size()) {
            const char escaped = line[++i];
            text += escaped == 'n'   ? '\n'
                    : escaped == 'r' ? '\r'
                    : escaped == 't' ? '\t'
                    : escaped == '0' ? '\0'
                                     : escaped;
        } else {
            text += c;
        }
    }
    return std::nullopt;
}

// Each line's text after the time stamp "[  12.345] ".
template <typename Visit> void ForEachTranscriptLine(std::string_view transcript, Visit visit) {
    ForEachLine(transcript, [&](std::string_view line) {
        if (line.starts_with("[")) {
            const std::size_t stamp = line.find("] ");
            if (stamp != std::string_view::npos) {
                line.remove_prefix(stamp + 2);
            }
        }
        visit(line);
    });
}

// Wildcard matching by rows: reachable[j] says whether the pattern read so far can produce
// the first j characters of shown. A macro reaches every later column; a plain character one.
bool MatchesWithMacros(std::string_view pattern, std::string_view shown) {
    std::vector<char> reachable(shown.size() + 1, 0);
    reachable[0] = 1;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        std::vector<char> next(shown.size() + 1, 0);
        const bool macro = pattern[i] == '?' && i + 1 < pattern.size() &&
                           std::isalpha(static_cast<unsigned char>(pattern[i + 1]));
        for (std::size_t j = 0; j <= shown.size(); ++j) {
            if (macro) {
                next[j] = reachable[j] || (j > 0 && next[j - 1]);
            } else {
                next[j] = j > 0 && reachable[j - 1] && shown[j - 1] == pattern[i];
            }
        }
        reachable = std::move(next);
        if (macro) {
            ++i;
        }
    }
    return reachable[shown.size()] != 0;
}

std::string Quote(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace

std::optional<ShownBox> LastBox(std::string_view transcript) {
    std::optional<ShownBox> last;
    ForEachTranscriptLine(transcript, [&](std::string_view line) {
        if (!line.starts_with("box: ")) {
            return;
        }
        line.remove_prefix(5);
        std::optional<std::string> caption = TakeQuoted(line);
        std::optional<std::string> text = caption ? TakeQuoted(line) : std::nullopt;
        if (text) {
            last = ShownBox{std::move(*caption), std::move(*text)};
        }
    });
    return last;
}

std::optional<std::string> FailureMessage(std::string_view transcript) {
    std::optional<std::string> message;
    ForEachTranscriptLine(transcript, [&](std::string_view line) {
        if (line.starts_with("FAILED")) {
            message = std::string(line);
        }
    });
    return message;
}

std::optional<std::string> FailedStep(std::string_view transcript) {
    // "FAILED at line N: WHY", the step of line N read from the "line N: STEP" line before it.
    std::optional<std::string> failure = FailureMessage(transcript);
    if (!failure) {
        return std::nullopt;
    }
    const std::string_view message = *failure;
    constexpr std::string_view kAtLine = "FAILED at line ";
    const std::size_t colon = message.find(": ");
    if (!message.starts_with(kAtLine) || colon == std::string_view::npos) {
        return "outside its steps: " +
               std::string(message.substr(colon == std::string_view::npos ? 0 : colon + 2));
    }
    const std::string line(message.substr(kAtLine.size(), colon - kAtLine.size()));
    const std::string why(message.substr(colon + 2));
    std::optional<std::string> step;
    ForEachTranscriptLine(transcript, [&](std::string_view text) {
        if (text.starts_with("line " + line + ": ")) {
            step = std::string(text.substr(line.size() + 7));
        }
    });
    return (step ? "at step `" + *step + "` (line " + line + "): " : "at line " + line + ": ") +
           why;
}

std::optional<double> TranscriptSeconds(std::string_view transcript) {
    std::optional<double> seconds;
    ForEachLine(transcript, [&](std::string_view line) {
        if (line.starts_with("[") && line.find("] ") != std::string_view::npos) {
            const std::string stamp(line.substr(1, line.find("] ") - 1));
            char* end = nullptr;
            const double value = std::strtod(stamp.c_str(), &end);
            if (end != stamp.c_str() && *end == '\0') {
                seconds = value;
            }
        }
    });
    return seconds;
}

bool MatchesScriptText(std::string_view scriptText, std::string_view shown) {
    return MatchesWithMacros(scriptText, shown);
}

Verdict JudgeInstall(int driverExitCode, std::string_view transcript, const ClosingTexts& texts) {
    if (driverExitCode != 0) {
        const std::optional<std::string> failure = FailedStep(transcript);
        return {false, failure ? "the scenario did not hold " + *failure
                               : "the driver ended with exit code " +
                                     std::to_string(driverExitCode) + " (see its log)"};
    }
    const std::optional<ShownBox> box = LastBox(transcript);
    if (!box) {
        return {false, "the installer ended without a closing message"};
    }
    const std::string shown = Quote(box->caption) + " " + Quote(box->text);
    if (MatchesScriptText(texts.successCaption, box->caption) &&
        MatchesScriptText(texts.successText, box->text)) {
        return {true, "the installer ended with its success message " + shown};
    }
    if (MatchesScriptText(texts.failureCaption, box->caption) &&
        MatchesScriptText(texts.failureText, box->text)) {
        return {false, "the installer ended with its failure message " + shown};
    }
    return {false, "the installer's last message was " + shown + ", not its success message " +
                       Quote(texts.successCaption) + " " + Quote(texts.successText)};
}

Verdict JudgeRemoval(int driverExitCode, std::string_view transcript) {
    if (driverExitCode == 0) {
        const std::optional<ShownBox> box = LastBox(transcript);
        return {true, "the uninstaller ran to its end" +
                          (box ? ": \"" + box->text + "\"" : std::string())};
    }
    const std::optional<std::string> failure = FailedStep(transcript);
    return {false, failure ? "the removal did not hold " + *failure
                           : "the removal did not run (exit code " +
                                 std::to_string(driverExitCode) + ", see removal.log)"};
}

Verdict JudgeSilentInstall(int exitCode, std::string_view runLog) {
    std::string outcome;
    std::string before;
    std::string last;
    ForEachLine(runLog, [&](std::string_view line) {
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.find("outcome: ") != std::string_view::npos) {
            outcome = std::string(line.substr(line.find("outcome: ")));
            before = last;
        } else if (!line.empty()) {
            last = std::string(line);
        }
    });
    const bool installed = exitCode == kSilentInstalled || exitCode == kSilentRestartNeeded;
    if (outcome.empty()) {
        return {false, "SETUP.EXE ended with exit code " + std::to_string(exitCode) +
                           " and no outcome in its run log"};
    }
    if (installed) {
        return {true, "the silent install ended with " + outcome};
    }
    return {false, "the silent install ended with " + outcome +
                       (before.empty() ? std::string() : " after: " + before)};
}

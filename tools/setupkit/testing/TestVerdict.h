#pragma once

#include <optional>
#include <string>
#include <string_view>

// Reading what the end-to-end driver wrote while it ran an installer, and judging the run.

// A message box as the driver's transcript records it: a line "box: CAPTION TEXT" with both
// texts quoted.
struct ShownBox {
    std::string caption;
    std::string text;
};

// The last message box of the transcript.
[[nodiscard]] std::optional<ShownBox> LastBox(std::string_view transcript);

// The message of the transcript's "FAILED" line: the step that did not hold and why.
[[nodiscard]] std::optional<std::string> FailureMessage(std::string_view transcript);

// The failure told with its step as the scenario wrote it, "at step `auto timeout 600` (line 2):
// WHY" ("outside its steps: WHY" when no step was running); none without a "FAILED" line.
[[nodiscard]] std::optional<std::string> FailedStep(std::string_view transcript);

// The seconds from the driver's start to its last line: how long the program ran under it.
[[nodiscard]] std::optional<double> TranscriptSeconds(std::string_view transcript);

// Whether a text as the program showed it is the script's text: a macro (? and a letter), which
// the program expands at run time, stands for any text.
[[nodiscard]] bool MatchesScriptText(std::string_view scriptText, std::string_view shown);

struct ClosingTexts {
    std::string successCaption;
    std::string successText;
    std::string failureCaption;
    std::string failureText;
};

struct Verdict {
    bool passed = false;
    std::string summary; // one line: what happened
};

// The removal passed when its scenario held (driver exit code 0).
[[nodiscard]] Verdict JudgeRemoval(int driverExitCode, std::string_view transcript);

// The installation passed when the scenario held (driver exit code 0) and the last message box
// was the success message.
[[nodiscard]] Verdict JudgeInstall(int driverExitCode, std::string_view transcript,
                                   const ClosingTexts& texts);

// An unattended install's verdict from SETUP.EXE's exit code (0 installed, 3 installed with a
// restart due) and its run log, whose "outcome: " line, and on failure the message before it,
// the summary quotes.
[[nodiscard]] Verdict JudgeSilentInstall(int exitCode, std::string_view runLog);

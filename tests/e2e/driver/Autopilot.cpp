// The autopilot: a person who takes every default. It answers each dialog and message box of
// the program with its default button, inserts the disk whose label a disk prompt names, takes
// a picture of every window it answers, and returns once the program has ended.
#include "Driver.h"

#include "Screenshot.h"
#include "robot/Finding.h"
#include "robot/Quoting.h"
#include "robot/Waiting.h"
#include "robot/Windows.h"

#include <algorithm>
#include <cctype>

using namespace robot;

namespace {

// A window answered this often without going away does not move on with its default answer.
constexpr int kMostAnswers = 3;
// How long a window that was just answered may stay before it counts as still asking.
constexpr DWORD kLeaveMs = 1500;
// The most windows one `auto` step answers (and pictures it takes): a program that keeps asking
// ends the step instead of filling the disk.
constexpr int kMostPictures = 200;

// Dialogs and boxes of the program that wait for an answer; a dialog inside another window
// (the copy progress in the main window's corner) only shows how far the program is.
bool AsksForAnswer(HWND window) {
    return IsUsable(window) && IsClass(window, "#32770") &&
           (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0;
}

HWND ControlWithId(HWND window, int id) {
    for (const HWND control : Descendants(window)) {
        if (GetDlgCtrlID(control) == id) {
            return control;
        }
    }
    return nullptr;
}

// The disk prompt: the prompt's text (106), the disk's label (107) and the source path (101).
bool IsDiskPrompt(HWND window) {
    const HWND path = ControlWithId(window, 101);
    return path && IsClass(path, "Edit") && ControlWithId(window, 106) &&
           ControlWithId(window, 107);
}

HWND DefaultButton(HWND window) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(window, DM_GETDEFID, 0, 0, SMTO_NORMAL, 2000, &answer) &&
        HIWORD(answer) == DC_HASDEFID) {
        const HWND button = ControlWithId(window, LOWORD(answer));
        if (button && IsClass(button, "Button")) {
            return button;
        }
    }
    for (const HWND control : Descendants(window)) {
        if (IsClass(control, "Button") &&
            (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            return control;
        }
    }
    return nullptr;
}

// "Choose Destination Directory" -> "choose-destination-directory".
std::string PictureName(int number, const std::string& caption) {
    std::string name = (number < 10 ? "0" : "") + std::to_string(number) + "-";
    for (const char c : caption) {
        if (name.size() >= 40) {
            break;
        }
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (name.back() != '-') {
            name += '-';
        }
    }
    while (name.back() == '-') {
        name.pop_back();
    }
    return name;
}

} // namespace

void Driver::Autopilot(const Step& step) {
    stepPictures_ = 0;
    for (;;) {
        const HWND window = NextWindowToAnswer(step);
        if (!window) {
            DWORD exitCode = 0;
            ProgramEnded(&exitCode);
            transcript_.Line("  the program ended with exit code " + std::to_string(exitCode));
            current_ = nullptr;
            return;
        }
        AnswerWithDefault(window, step);
    }
}

HWND Driver::NextWindowToAnswer(const Step& step) {
    const DWORD timeout = TimeoutMs(step);
    HWND found = nullptr;
    const bool ended = WaitUntil(RemainingMs(timeout), [&] {
        for (const HWND window : ProcessWindows(processId_)) {
            // The window just acted on is given time to go before it counts as asking again.
            if (window == actedOn_ && GetTickCount() - actedOnTick_ < kLeaveMs) {
                continue;
            }
            if (AsksForAnswer(window)) {
                found = window;
                return true;
            }
        }
        return ProgramEnded();
    });
    if (!ended) {
        Fail("no window to answer for " + std::to_string(timeout / 1000) +
             " s while the program runs");
    }
    return found;
}

void Driver::AnswerWithDefault(HWND window, const Step& step) {
    auto count = std::find_if(answered_.begin(), answered_.end(),
                              [&](const auto& entry) { return entry.first == window; });
    if (count == answered_.end()) {
        answered_.emplace_back(window, 0);
        count = answered_.end() - 1;
    }
    if (++count->second > kMostAnswers) {
        Fail(DescribeWindowBriefly(window) + " is still shown after its default answer " +
             std::to_string(kMostAnswers) + " times: it needs another answer");
    }
    if (stepPictures_ == kMostPictures) {
        Fail("the autopilot has answered " + std::to_string(kMostPictures) +
             " windows, the most one auto step answers: the program keeps asking (the next is " +
             DescribeWindowBriefly(window) + ")");
    }
    ++stepPictures_;
    current_ = window;
    RecordWindow(window);
    const std::string picture = PictureName(++autopilotPictures_, WindowText(window));
    if (SaveWindow(window, ShotPath(picture))) {
        transcript_.Line("  picture " + ShotPath(picture));
    }
    if (IsDiskPrompt(window)) {
        InsertDiskAskedFor(window, step);
    }
    const HWND button = DefaultButton(window);
    if (!button) {
        Fail(DescribeWindowBriefly(window) + " has no default button");
    }
    if (!IsWindowVisible(button) || !IsWindowEnabled(button)) {
        Fail("the default button " + Quoted(WindowText(button)) + " of " +
             DescribeWindowBriefly(window) + " is " +
             (IsWindowVisible(button) ? "disabled" : "hidden"));
    }
    transcript_.Line("  presses the default button " + std::to_string(GetDlgCtrlID(button)) + " " +
                     Quoted(WindowText(button)));
    ActedOn(window);
    SendAndSync(button, BM_CLICK, 0, 0, step);
}

void Driver::InsertDiskAskedFor(HWND prompt, const Step& step) {
    const std::string label = WindowText(ControlWithId(prompt, 107));
    // A new prompt for the disk that the last one asked for, which went in: the program did not
    // find there what it needs, and another OK would only bring the prompt back.
    if (prompt != lastPrompt_ && lastPromptLabel_ == label) {
        Fail("the program asks again for the disk " + Quoted(label) + " after " +
             (diskInDrive_.empty() ? std::string("that disk") : diskInDrive_) +
             ", which has that label, went in: it does not find there what it needs");
    }
    lastPrompt_ = prompt;
    lastPromptLabel_ = label;
    if (!options_.diskLabelsGiven) {
        Fail("the program asks for the disk " + Quoted(label) +
             ", and the driver was given no labels of the disk set (its --disk-labels)");
    }
    const std::vector<std::string> folders = FoldersLabelled(options_.diskLabels, label);
    if (folders.size() != 1) {
        std::string set;
        for (const DiskLabel& disk : options_.diskLabels) {
            set += (set.empty() ? "" : ", ") + disk.folder + " " + Quoted(disk.label);
        }
        Fail("the program asks for the disk " + Quoted(label) + ", and " +
             (folders.empty() ? "no disk of the set has that label"
                              : std::to_string(folders.size()) +
                                    " disks of the set have that label: the autopilot cannot "
                                    "tell which one it wants") +
             " (" + set + ")");
    }
    const std::string& folder = folders.front();
    transcript_.Line("  the program asks for " + Quoted(label) + ": inserts " + folder);
    if (AskRunner("SWAP", folder, TimeoutMs(step)) != "ok") {
        Fail("this run has no disk drive to insert " + folder + " into (the runner's --drive)");
    }
    diskInDrive_ = folder;
}

#pragma once

#include "Handles.h"
#include "Scenario.h"
#include "Transcript.h"
#include "testing/DiskLabels.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class WineSettings;

struct DriverOptions {
    std::string program;          // the program under test (a Windows path)
    std::string arguments;        // its command-line arguments
    std::string shotDirectory;    // where `shot` writes its pictures; also the failure picture
    std::string requestDirectory; // where `insert` and `run` ask the runner
    int deadlineSeconds = 150;    // the whole run, however many steps
    // The labels of the disk set (--disk-labels), by which the autopilot answers a disk prompt.
    std::vector<DiskLabel> diskLabels;
    bool diskLabelsGiven = false;
};

enum class RunResult : int { Passed = 0, Failed = 1 };

// Starts the program and walks the scenario's steps. The first step that does not hold ends
// the run: the driver records every window it can see, takes a picture of the screen and ends
// the program it started.
class Driver {
public:
    Driver(DriverOptions options, Transcript& transcript);
    ~Driver();

    [[nodiscard]] RunResult Run(const Scenario& scenario);

private:
    struct StepFailed {
        std::string message;
    };

    void Start();
    void Execute(const Step& step);

    // Steps
    void WaitWindow(const Step& step);
    void WaitClosed(const Step& step);
    void ExpectWindow(const Step& step, bool wanted);
    void ExpectCaption(const Step& step);
    void ExpectText(const Step& step);
    void ExpectState(const Step& step);
    void ExpectSelected(const Step& step);
    void ExpectCount(const Step& step);
    void ExpectExit(const Step& step);
    void Type(const Step& step);
    void Keys(const Step& step);
    void SetCheck(const Step& step, bool wanted);
    void Select(const Step& step);
    void Click(const Step& step);
    void ClickAt(const Step& step);
    void Insert(const Step& step);
    void WaitFile(const Step& step);
    void Run(const Step& step);
    void Kill(const Step& step);
    void StartAgain(const Step& step);
    void Key(const Step& step);
    void Focus(const Step& step);
    void Close(const Step& step);
    void Shot(const Step& step);
    void Autopilot(const Step& step);

    // Autopilot (Autopilot.cpp)
    HWND NextWindowToAnswer(const Step& step);
    void AnswerWithDefault(HWND window, const Step& step);
    void InsertDiskAskedFor(HWND prompt, const Step& step);
    // Helpers
    // The window in the transcript; a message box also as one line "box: CAPTION TEXT".
    void RecordWindow(HWND window);
    [[noreturn]] void Fail(const std::string& message) const;
    DWORD TimeoutMs(const Step& step) const;
    DWORD SettleMs(const Step& step) const;
    // The step's time-out, cut short by what is left of the run's overall limit.
    DWORD RemainingMs(DWORD timeoutMs) const;
    bool ProgramEnded(DWORD* exitCode = nullptr) const;
    HWND RequireWindow() const;
    HWND ResolveControl(const ControlRef& ref) const;
    HWND ResolveList(const ControlRef& ref) const;
    void RequireUsable(HWND control, const ControlRef& ref) const;
    bool Matches(HWND window, const WindowQuery& query) const;
    void Sync(HWND window, DWORD timeoutMs) const;
    void SendAndSync(HWND target, UINT message, WPARAM wParam, LPARAM lParam, const Step& step);
    void ActedOn(HWND window);
    void PostKey(HWND window, const KeyStroke& stroke);
    void SettleAfterPosting(HWND window, const Step& step);
    void InputKey(HWND window, const KeyStroke& stroke);
    // Polls the check until it holds or the time is up; returns whether it held.
    template <typename Check> bool Poll(DWORD timeoutMs, Check check) const;
    void RecordFailure(const std::string& message);
    void TakeFailurePicture();
    void EndProgram();
    // Hands a request to the runner (a file NAME.REQ holding text in the request folder) and
    // waits for its answer (NAME.ACK), which it returns.
    std::string AskRunner(const std::string& name, const std::string& text, DWORD timeoutMs);
    std::string ShotPath(const std::string& name) const;

    DriverOptions options_;
    Transcript& transcript_;
    std::unique_ptr<WineSettings> wineSettings_;
    UniqueKernelObject job_;
    UniqueKernelObject process_;
    DWORD processId_ = 0;
    DWORD startTick_ = 0;
    int defaultTimeoutSeconds_ = 20;
    HWND current_ = nullptr;
    // The window of the last click, key or close: a wait does not match it again until another
    // window has been matched, so that a page or box that is about to go away is not mistaken
    // for the next one.
    HWND actedOn_ = nullptr;
    DWORD actedOnTick_ = 0;
    const Step* step_ = nullptr;
    // The disk folder in the drive ("disk1"; empty when it is empty).
    std::string diskInDrive_ = "disk1";
    // Autopilot: the pictures taken (in all and in the current step), how often each window was
    // answered, the last disk prompt it answered and the label that prompt asked for (cleared by
    // an `insert` step).
    int autopilotPictures_ = 0;
    int stepPictures_ = 0;
    std::vector<std::pair<HWND, int>> answered_;
    HWND lastPrompt_ = nullptr;
    std::optional<std::string> lastPromptLabel_;
};

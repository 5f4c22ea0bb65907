#include "uninstall/RemovalDialogue.h"

#include "engine/FileOperations.h"
#include "integration/RunLog.h"
#include "uninstall/UninstallRun.h"

#include <string>

namespace {

// value in at least width digits, zeros in front. Not the C runtime's formatting, which would
// bring its floating-point conversion into the program.
std::string Padded(unsigned value, std::size_t width) {
    const std::string digits = std::to_string(value);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

std::string LocalTimeText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Padded(now.wYear, 4) + "-" + Padded(now.wMonth, 2) + "-" + Padded(now.wDay, 2) + " " +
           Padded(now.wHour, 2) + ":" + Padded(now.wMinute, 2) + ":" + Padded(now.wSecond, 2);
}

std::string OutcomeText(int exitCode) {
    switch (exitCode) {
    case kUninstallDone:
        return "removed, or nothing to remove";
    case kUninstallDeclined:
        return "stopped before the end";
    default:
        return "refused, nothing was removed";
    }
}

class SilentDialogue : public RemovalDialogue {
public:
    SilentDialogue(const std::string& logPath, bool removeShared, const std::string& scriptPath)
        : log_(logPath, RunLog::Start::Appended), removeShared_(removeShared) {
        log_.Write("KXUN32 silent removal of " + scriptPath + ", " + LocalTimeText());
    }

    bool AskRemoveProduct(const std::string& name) override {
        Question(RemoveProductQuestion(name), "Yes (silent removal)");
        return true;
    }

    void Tell(const std::string& text, const std::string& caption, UINT) override {
        log_.Write("Message (" + caption + "): " + text);
    }

    // The same file is tried again a second apart until the tries are used up; then it stays.
    int AskFileInUse(const std::string& path) override {
        if (path != triedPath_) {
            triedPath_ = path;
            tries_ = 1;
        }
        if (tries_ >= kUnattendedFileInUseTries) {
            Question(FileInUseQuestion(path),
                     "Ignore (kept after " + std::to_string(tries_) + " tries)");
            return IDIGNORE;
        }
        ++tries_;
        Question(FileInUseQuestion(path), "Retry (try " + std::to_string(tries_) + " of " +
                                              std::to_string(kUnattendedFileInUseTries) + ")");
        Sleep(kUnattendedFileInUsePauseMs);
        return IDRETRY;
    }

    bool AskDeleteSharedFile(const std::string& path) override {
        Question(SharedFileQuestion(path),
                 removeShared_ ? "Yes (/removeshared)" : "No (kept: no /removeshared)");
        return removeShared_;
    }

    void StartProgress(const std::string& product, std::size_t steps) override {
        log_.Write("Removing " + product + ": " + std::to_string(steps) + " steps");
    }

    void ShowProgress(const std::string&, std::size_t) override {}

    void EndProgress() override {}

    HWND Owner() const override { return nullptr; }

    bool ShowsWindows() const override { return false; }

    void Finish(int exitCode) override {
        log_.Write("Outcome: " + OutcomeText(exitCode) + " (exit code " + std::to_string(exitCode) +
                   ")");
    }

private:
    void Question(const std::string& text, const std::string& answer) {
        log_.Write("Question: " + text);
        log_.Write("Answer: " + answer);
    }

    RunLog log_;
    bool removeShared_;
    std::string triedPath_;
    int tries_ = 0;
};

} // namespace

std::unique_ptr<RemovalDialogue> MakeSilentDialogue(const std::string& logPath, bool removeShared,
                                                    const std::string& scriptPath) {
    return std::make_unique<SilentDialogue>(logPath, removeShared, scriptPath);
}

std::string DefaultRunLogPath() {
    return InTemporaryFolder("kxun32-run.log");
}

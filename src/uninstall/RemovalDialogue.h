#pragma once

#include "uninstall/UndoActions.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

// How the uninstaller talks to the user: message boxes and a progress window, or, in a silent
// run, a log that takes every message, every question with the answer given, and the outcome.
class RemovalDialogue : public RemovalQuestions {
public:
    // "Remove <name> and all of its components?"
    virtual bool AskRemoveProduct(const std::string& name) = 0;
    // A message that ends the run: the closing one, or why nothing was removed.
    virtual void Tell(const std::string& text, const std::string& caption, UINT icon) = 0;
    // The progress of one removal, shown from StartProgress to EndProgress.
    virtual void StartProgress(const std::string& product, std::size_t steps) = 0;
    virtual void ShowProgress(const std::string& text, std::size_t done) = 0;
    virtual void EndProgress() = 0;
    // The window that owns the boxes during the removal; none outside it.
    [[nodiscard]] virtual HWND Owner() const = 0;
    // False in a silent run: nothing may be shown, also by the program manager's connection.
    [[nodiscard]] virtual bool ShowsWindows() const = 0;
    // The run ends with exitCode.
    virtual void Finish(int exitCode) = 0;
};

// The questions and messages of the removal, the same in boxes and in the log.
[[nodiscard]] std::string RemoveProductQuestion(const std::string& name);
[[nodiscard]] std::string FileInUseQuestion(const std::string& path);
[[nodiscard]] std::string SharedFileQuestion(const std::string& path);

// Message boxes, and the progress window during the removal.
[[nodiscard]] std::unique_ptr<RemovalDialogue> MakeBoxDialogue(HINSTANCE instance);

// No window: every question is answered as the removal needs (Yes to the removal; a shared
// file no program uses goes only with removeShared; a file in use is tried again a few times,
// a second apart, then kept), and everything goes to the log at logPath (appended to; a log
// that cannot be written stops nothing).
[[nodiscard]] std::unique_ptr<RemovalDialogue>
MakeSilentDialogue(const std::string& logPath, bool removeShared, const std::string& scriptPath);

// The silent run's log when no /log: names one: kxun32-run.log in the user's temporary folder.
[[nodiscard]] std::string DefaultRunLogPath();

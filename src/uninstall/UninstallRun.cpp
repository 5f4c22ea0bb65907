#include "uninstall/UninstallRun.h"

#include "engine/Accounting.h"
#include "engine/FileOperations.h"
#include "engine/LoadSetupScript.h"
#include "engine/PathOperations.h"
#include "engine/StandardDirectories.h"
#include "integration/InstallLogReader.h"
#include "integration/UndoPlan.h"
#include "script/SetupError.h"
#include "uninstall/FillIn.h"
#include "uninstall/GroupRemoval.h"
#include "uninstall/RemovalProgress.h"
#include "uninstall/UndoActions.h"

#include <algorithm>
#include <cstdio>
#include <span>

namespace {

constexpr const char* kCaption = "Uninstall";
constexpr const char* kLogFileName = "setuplog.txt";

void Tell(HWND owner, const std::string& text, const std::string& caption, UINT icon) {
    MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK | icon);
}

class MessageBoxQuestions : public RemovalQuestions {
public:
    explicit MessageBoxQuestions(const std::string& product) : product_(product) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    int AskFileInUse(const std::string& path) override {
        return MessageBoxA(
            owner_,
            FillIn("%s cannot be removed: it may be in use by another program.", {path}).c_str(),
            product_.c_str(), MB_ABORTRETRYIGNORE | MB_ICONEXCLAMATION);
    }

    bool AskDeleteSharedFile(const std::string& path) override {
        return MessageBoxA(owner_,
                           FillIn("The shared file %s is no longer used by any program.\r\n\r\n"
                                  "Remove it?",
                                  {path})
                               .c_str(),
                           product_.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    }

private:
    std::string product_;
    HWND owner_ = nullptr;
};

// The directories as the installation resolved them: the destination is the script copy's
// directory, the others follow from their templates; item names have their macros expanded.
void ResolveInstalledPaths(SetupScript& script, const std::string& destination) {
    const StandardDirectories standard = ComputeStandardDirectories();
    MacroValues macros;
    macros.windowsDirectory = standard.windows;
    macros.systemDirectory = standard.system;
    macros.destinationDirectory = destination;
    macros.programFilesDirectory = standard.programFiles;
    if (!script.directories.empty()) {
        script.directories.front().path.Assign(destination);
    }
    ResolveDirectories(script, VolumeRoot(destination), macros);
    for (InstallItem& item : script.installItems) {
        ExpandMacros(item.name, macros);
    }
}

std::string StepText(const UndoStep& step) {
    switch (step.kind) {
    case UndoStepKind::RemoveIniKey:
        return step.path;
    case UndoStepKind::DeleteRegistryValue:
    case UndoStepKind::DeleteRegistryKey:
    case UndoStepKind::DeleteUninstallEntry:
        return "Registry: " + step.subKey;
    case UndoStepKind::DeleteGroupItem:
    case UndoStepKind::DeleteGroup:
        return "Program group: " + step.group;
    default:
        return step.path;
    }
}

bool IsGroupStep(const UndoStep& step) {
    return step.kind == UndoStepKind::DeleteGroupItem || step.kind == UndoStepKind::DeleteGroup;
}

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

void CarryOut(const UndoPlan& plan, RemovalProgress& progress, RemovalQuestions& questions,
              RemovalOutcome& outcome) {
    const std::string ownPath = OwnPath();
    const auto keep = [&](std::optional<KeptObject> kept) {
        if (kept) {
            outcome.kept.push_back(std::move(*kept));
        }
    };
    const std::span<const UndoStep> steps = plan.steps;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const UndoStep& step = steps[i];
        progress.Show(StepText(step), i);
        if (IsGroupStep(step)) {
            // The group steps stand together: one conversation for all of them.
            std::size_t end = i;
            while (end < steps.size() && IsGroupStep(steps[end])) {
                ++end;
            }
            std::ranges::move(RemoveProgramGroups(steps.subspan(i, end - i), progress.Window()),
                              std::back_inserter(outcome.kept));
            i = end - 1;
            continue;
        }
        switch (step.kind) {
        case UndoStepKind::RemoveIniKey:
            keep(RemoveIniKey(step));
            break;
        case UndoStepKind::DeleteRegistryValue:
            keep(DeleteRegistryValue(step));
            break;
        case UndoStepKind::DeleteRegistryKey:
            keep(DeleteEmptyRegistryKey(step));
            break;
        case UndoStepKind::DeleteUninstallEntry:
            keep(DeleteUninstallEntry(step));
            break;
        case UndoStepKind::LowerSharedCount:
            keep(LowerSharedCount(step.path, ownPath, questions));
            break;
        case UndoStepKind::DeleteFile:
            // The running uninstaller stays, whatever the script made of it.
            if (!SamePathText(step.path, ownPath)) {
                keep(DeleteInstalledFile(step.path, questions));
            }
            break;
        case UndoStepKind::DeleteLog:
        case UndoStepKind::DeleteScriptCopy:
            keep(DeleteInstalledFile(step.path, questions));
            break;
        case UndoStepKind::RemoveDirectory:
        case UndoStepKind::RemoveDestination:
            keep(RemoveEmptyDirectory(step.path));
            break;
        default:
            break;
        }
    }
    progress.Show("", steps.size());
}

int Remove(HINSTANCE instance, const std::string& scriptPath) {
    if (scriptPath.empty()) {
        Tell(nullptr, "Usage: KXUN32.EXE <the installed setup script>", kCaption, MB_ICONSTOP);
        return kUninstallRefused;
    }
    if (!IsAbsolutePath(scriptPath)) {
        Tell(nullptr, FillIn("%s is not a full path.\r\n\r\nNothing was removed.", {scriptPath}),
             kCaption, MB_ICONSTOP);
        return kUninstallRefused;
    }
    if (!FileExists(scriptPath)) {
        Tell(nullptr,
             FillIn("There is nothing to remove: %s does not exist (the product was removed "
                    "already).",
                    {scriptPath}),
             kCaption, MB_ICONINFORMATION);
        return kUninstallDone;
    }
    SetupScript script;
    try {
        script = LoadSetupScript(scriptPath.c_str());
    } catch (const SetupError& error) {
        Tell(nullptr,
             FillIn("The setup script %s cannot be read (error %s).\r\n\r\nNothing was "
                    "removed.",
                    {scriptPath, std::to_string(error.code())}),
             kCaption, MB_ICONSTOP);
        return kUninstallRefused;
    }
    const std::string product(script.productName.View());
    const std::string destination = DirectoryPart(scriptPath);
    const std::string logPath = JoinPath(destination, kLogFileName);
    if (!FileExists(logPath)) {
        Tell(nullptr,
             FillIn("The install log %s was not found.\r\n\r\nNothing was removed.", {logPath}),
             product, MB_ICONSTOP);
        return kUninstallRefused;
    }
    const std::string bytes = ReadWholeFile(logPath);
    const InstallLogRecord log = ReadInstallLog(std::span<const char>(bytes.data(), bytes.size()));
    ResolveInstalledPaths(script, std::string(DirectoryPart(scriptPath)));
    const UndoPlan plan = MakeUndoPlan(log, script, scriptPath, kLogFileName);
    if (!plan.refusal.empty()) {
        Tell(nullptr,
             FillIn("The install log %s cannot be used: %s.\r\n\r\nNothing was removed.",
                    {logPath, plan.refusal}),
             product, MB_ICONSTOP);
        return kUninstallRefused;
    }
    if (MessageBoxA(nullptr, FillIn("Remove %s and all of its components?", {product}).c_str(),
                    product.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        return kUninstallDeclined;
    }

    MessageBoxQuestions questions(product);
    RemovalOutcome outcome;
    outcome.notUndone = plan.reported;
    {
        RemovalProgress progress(instance, product, plan.steps.size());
        questions.SetOwner(progress.Window());
        try {
            CarryOut(plan, progress, questions, outcome);
        } catch (const RemovalStopped&) {
            outcome.stopped = true;
        }
    }
    Tell(nullptr, RemovalMessage(product, outcome), product,
         outcome.kept.empty() && !outcome.stopped ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
    return outcome.stopped ? kUninstallDeclined : kUninstallDone;
}

} // namespace

int RunUninstall(HINSTANCE instance, const std::string& scriptPath) {
    try {
        return Remove(instance, scriptPath);
    } catch (const SetupError& error) {
        Tell(nullptr, FillIn("The removal failed (error %s).", {std::to_string(error.code())}),
             kCaption, MB_ICONSTOP);
    } catch (const std::exception& error) {
        Tell(nullptr, FillIn("The removal failed: %s.", {error.what()}), kCaption, MB_ICONSTOP);
    }
    return kUninstallRefused;
}

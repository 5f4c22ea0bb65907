#include "shell/Completion.h"

#include "common/Win32Handles.h"
#include "engine/PathRules.h"
#include "engine/ProcessOperations.h"
#include "engine/SystemFileChange.h"
#include "engine/TempFileGuard.h"
#include "integration/IniEntries.h"
#include "integration/ProgramGroups.h"
#include "integration/RegistryEntries.h"
#include "integration/UninstallRegistration.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"
#include "shell/FlowController.h"
#include "shell/SetupState.h"
#include "shell/SilentExitCodes.h"
#include "ui/MessageBoxes.h"
#include "resources/ResourceText.h"

#include <array>

namespace {

constexpr int kQuestionCapacity = 256;
constexpr std::size_t kFinalTextCapacity = 1024;
constexpr const char* kEditsysName = "EDITSYS.DLL";

void AskAndCreateProgramGroups() {
    if (!g_setup.createGroups) {
        return;
    }
    // An unattended run has its answer already: createGroups.
    if (g_setup.script.askBeforeGroup && !g_setup.silent &&
        ResourceTextMessageBox(g_setup.mainWindow, IDS_ASK_GROUP, g_setup.script.productName.CStr(),
                               MB_YESNO) != IDYES) {
        g_setup.createGroups = false;
        return;
    }
    CreateProgramGroups(g_setup.script, g_setup.installLog, g_setup.removalRecord,
                        g_setup.mainWindow);
}

void ShowClosingMessage(std::uint32_t systemChanges) {
    const SetupScript& script = g_setup.script;
    if (g_setup.allFilesInstalled && systemChanges != 0) {
        g_setup.exitCode = kSilentInstalled;
        SetupMessageBox(g_setup.mainWindow, script.successText.CStr(), script.successCaption.CStr(),
                        MB_OK);
    } else {
        g_setup.exitCode = kSilentFailed;
        SetupMessageBox(g_setup.mainWindow, script.failureText.CStr(), script.failureCaption.CStr(),
                        MB_OK);
    }
}

// A yes-or-no question formatted with the product name, captioned with it.
bool AskYesNo(UINT textId) {
    RestoreMainWindow(g_setup.mainWindow);
    const char* product = g_setup.script.productName.CStr();
    const std::string text = FormatResourceText(textId, kQuestionCapacity, product);
    return SetupMessageBox(g_setup.mainWindow, text.c_str(), product, MB_YESNO) == IDYES;
}

void CompleteRun() {
    if (g_setup.bitmapWindow) {
        ShowWindow(g_setup.bitmapWindow, SW_HIDE);
    }
    AskAndCreateProgramGroups();
    const std::uint32_t systemChanges = RunSystemFileChanges();
    WriteRegistryEntries(g_setup.script, g_setup.Macros(), g_setup.installLog,
                         g_setup.removalRecord);
    WriteIniEntries(g_setup.script, g_setup.installLog, g_setup.removalRecord);
    RegisterUninstall(g_setup.script, g_setup.Macros(), g_setup.scriptPath.View(),
                      g_setup.installLog, g_setup.removalRecord);
    ShowClosingMessage(systemChanges);
    RunProgramsAndRestart();
}

} // namespace

void FinishSetup(FinishFlag flag) {
    // The run ends once: a call after the window is gone (the error report below ends the run
    // through this function) finds nothing left to do.
    if (!IsWindow(g_setup.mainWindow)) {
        return;
    }
    if (flag == FinishFlag::Complete) {
        CompleteRun();
    }
    DestroyWindow(g_setup.mainWindow);
    g_setup.bitmapControl = nullptr;
}

std::uint32_t RunSystemFileChanges() {
    const SetupScript& script = g_setup.script;
    if (script.systemChangesFirst.empty() && script.systemChangesSecond.empty()) {
        return 1;
    }
    // The library is installed only to be used here: it goes whatever happens below.
    const TempFileGuard guard(JoinPath(g_setup.DestinationDirectory().View(), kEditsysName));
    std::uint32_t result = 0;
    {
        const UniqueModule library(LoadLibraryA(guard.Path().c_str()));
        if (!library) {
            return 0;
        }
        const auto makeChange = reinterpret_cast<MakeSystemFileChangeFunction>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), "MakeSystemFileChange")));
        const auto init = reinterpret_cast<EditsysInitFunction>(
            reinterpret_cast<void*>(GetProcAddress(library.get(), "Init")));
        if (init) {
            init(g_setup.mainWindow, script.productName.CStr());
            for (const SystemFileChange& record : script.systemChangesFirst) {
                ApplySystemFileChange(record, makeChange);
            }
            for (const SystemFileChange& record : script.systemChangesSecond) {
                ApplySystemFileChange(record, makeChange);
            }
            std::array<char, kFinalTextCapacity> text{};
            if (makeChange) {
                result = static_cast<std::uint32_t>(
                    makeChange(kFinishSystemFileChanges, script.cancelText.CStr(), 1,
                               reinterpret_cast<LONG_PTR>(text.data()), kFinalTextCapacity, 0));
            }
            // The library's text may fill the whole buffer: it ends within it regardless.
            text.back() = '\0';
            g_setup.installLog.Line(text.data());
            if (text[0] != '\0') {
                g_setup.removalRecord.notes.push_back(std::string(text.data()));
            }
        }
    }
    DeleteFileA(guard.Path().c_str());
    return result;
}

void RunProgramsAndRestart() {
    if (!g_setup.silent || g_setup.answers.startPrograms) {
        for (const FinalProgram& program : g_setup.script.finalPrograms) {
            RunProgram(program.commandLine.View(), program.showCommand,
                       program.workingDirectory.View());
        }
    }
    const std::uint32_t flags = g_setup.script.completionFlags;
    if (g_setup.silent) {
        // Never restarted unattended: the code tells the caller that a restart is due.
        const bool restart = flags & (kCompletionReboot | kCompletionRestartWindows);
        if (restart && g_setup.exitCode == kSilentInstalled) {
            g_setup.exitCode = kSilentRestartNeeded;
        }
        return;
    }
    if (flags & kCompletionReboot) {
        if (AskYesNo(IDS_REBOOT)) {
            RebootComputer();
        }
    } else if (flags & kCompletionRestartWindows) {
        if (AskYesNo(IDS_RESTART_WINDOWS)) {
            ExitWindowsEx(EWX_LOGOFF, 0xFFFFFFFF);
        }
    }
}

void RebootComputer() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    const UniqueKernelObject owner(token);
    TOKEN_PRIVILEGES privileges{};
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    ExitWindowsEx(EWX_REBOOT, 0);
}

#include "shell/UnattendedRun.h"

#include "engine/FileOperations.h"
#include "engine/PathOperations.h"
#include "engine/PathRules.h"
#include "integration/RunLog.h"
#include "resources/ResourceMessageBox.h"
#include "script/SetupError.h"
#include "shell/Completion.h"
#include "shell/FlowController.h"
#include "shell/InstallRun.h"
#include "shell/MainWindow.h"
#include "shell/PageOrder.h"
#include "shell/SetupLifetime.h"
#include "shell/SetupState.h"
#include "shell/SilentExitCodes.h"
#include "shell/SpaceCheck.h"
#include "shell/StartupDirectories.h"
#include "ui/GuardedProcedures.h"

#include <vector>

namespace {

constexpr const char* kRunLogName = "setup-run.log";

RunLog g_runLog;

const char* AnswerName(int answer) {
    switch (answer) {
    case IDOK:
        return "OK";
    case IDCANCEL:
        return "Cancel";
    case IDABORT:
        return "Abort";
    case IDRETRY:
        return "Retry";
    case IDIGNORE:
        return "Ignore";
    case IDYES:
        return "Yes";
    default:
        return "No";
    }
}

// A box of an unattended run: logged, answered with the button that stops or declines.
int AnswerSilently(const char* text, const char* caption, UINT style) {
    int answer = IDOK;
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        answer = IDCANCEL;
        break;
    case MB_ABORTRETRYIGNORE:
        answer = IDABORT;
        break;
    case MB_YESNO:
        answer = IDNO;
        break;
    default:
        break;
    }
    LogRunLine(std::string("message \"") + (caption ? caption : "") + "\": " + (text ? text : "") +
               " -> " + AnswerName(answer));
    return answer;
}

// A file in use: tried again a few times, a second apart, then skipped (the run then ends
// with the failure message).
int AnswerFileInUse(const char* path) {
    static std::string triedPath;
    static int tries = 0;
    if (path != triedPath) {
        triedPath = path;
        tries = 0;
    }
    if (++tries < kUnattendedFileInUseTries) {
        LogRunLine(std::string("file in use, trying again: ") + path);
        Sleep(kUnattendedFileInUsePauseMs);
        return IDRETRY;
    }
    LogRunLine(std::string("file in use, skipped: ") + path);
    return IDIGNORE;
}

// The sections and lines of the answer file, as the profile functions read them.
std::vector<IniSection> ReadIniSections(const std::string& path) {
    std::vector<IniSection> sections;
    std::string names(32768, '\0');
    GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    for (const char* name = names.data(); *name; name += lstrlenA(name) + 1) {
        std::string lines(32768, '\0');
        GetPrivateProfileSectionA(name, lines.data(), static_cast<DWORD>(lines.size()),
                                  path.c_str());
        IniSection section{name, {}};
        for (const char* line = lines.data(); *line; line += lstrlenA(line) + 1) {
            if (line[0] != ';') {
                section.lines.push_back(std::string(line));
            }
        }
        sections.push_back(std::move(section));
    }
    return sections;
}

// The answers of the file at path (the defaults without one); an error text when the file
// cannot be read or holds a wrong answer.
std::string LoadAnswers(const std::string& path) {
    if (path.empty()) {
        g_setup.answers = DefaultAnswers(g_setup.script);
        return {};
    }
    char full[MAX_PATH + 1] = {};
    if (!GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr) || !PathExists(full)) {
        return "the answer file " + path + " cannot be read";
    }
    AnswersOrError read = ReadAnswers(ReadIniSections(full), g_setup.script);
    if (!read.error.empty()) {
        return "the answer file " + std::string(full) + ": " + read.error;
    }
    g_setup.answers = std::move(read.answers);
    return {};
}

// The answers in the state, as the wizard's pages would leave them.
void ApplyAnswers() {
    SetupScript& script = g_setup.script;
    const Answers& answers = g_setup.answers;
    if (!answers.destination.empty()) {
        g_setup.DestinationDirectory().Assign(answers.destination);
    }
    g_setup.setupType = answers.setupType; // never 0: the defaults are filled in
    // As the wizard's group step leaves it: a group page without groups creates none.
    g_setup.createGroups =
        answers.createGroups &&
        !NextFlowStep(FlowPoint::GroupStep, PageAnswer::Next, CurrentFlowChoices())
             .clearCreateGroups;
    if (!answers.groupName.empty() && script.programGroups.size() == 1) {
        script.programGroups[0] = FixedText(answers.groupName);
    }
    LogRunLine("destination: " + g_setup.DestinationDirectory().Str());
    LogRunLine("setup type: " + std::string(SetupTypeNameOf(g_setup.setupType)));
    LogRunLine(std::string("program groups: ") + (g_setup.createGroups ? "yes" : "no"));
}

// The components of a custom installation, ticked and unticked as on the custom page.
void ChooseComponents() {
    if (g_setup.setupType != kSetupCustom) {
        return;
    }
    SetupScript& script = g_setup.script;
    const std::vector<std::uint8_t>& chosen = g_setup.answers.components;
    for (std::size_t index = 0; index < chosen.size() && index < script.components.size();
         ++index) {
        Component& component = script.components[index];
        if ((component.selected != 0) != chosen[index]) {
            ToggleComponent(script, g_setup.drives, component);
        }
        LogRunLine("component " + component.name.Str() + ": " + (chosen[index] ? "yes" : "no"));
    }
}

// The space check without its dialog: a drive without room stops the run.
bool EveryDriveHasRoom() {
    for (const DriveEntry& drive : g_setup.drives) {
        const std::string lack = LackOfSpace(drive);
        if (!lack.empty()) {
            LogRunLine("not enough space: " + lack);
            return false;
        }
    }
    return true;
}

// The wizard's steps with the answers standing in for the pages; installing is set when the
// run got as far as the installation (which ends the run itself).
Failure PrepareAndInstall(const SetupCommandLine& commandLine, bool& installing) {
    if (Failure failure = ComputeStartupDirectories()) {
        return failure;
    }
    if (Failure failure = LoadScript()) {
        return failure;
    }
    ExpandStartupStrings(g_setup.script, g_setup.Macros());
    LogRunLine("product: " + g_setup.script.productName.Str());
    if (const std::string error = LoadAnswers(commandLine.answersPath); !error.empty()) {
        LogRunLine(error);
        g_setup.exitCode = kSilentBadArguments;
        return std::nullopt;
    }
    ApplyAnswers();
    if (Failure failure = ResolveDestination()) {
        return failure;
    }
    ChooseComponents();
    ApplySetupType(g_setup.script, g_setup.setupType);
    if (Failure failure =
            BuildDriveList(g_setup.script, g_setup.drives, VolumeRoot, ChangeCurrentDirectory)) {
        return failure;
    }
    if (!EveryDriveHasRoom()) {
        g_setup.exitCode = kSilentFailed;
        return std::nullopt;
    }
    installing = true;
    RunInstall();
    return std::nullopt;
}

const char* OutcomeText(int code) {
    switch (code) {
    case kSilentInstalled:
        return "installed";
    case kSilentRestartNeeded:
        return "installed; Windows has to be restarted";
    case kSilentScriptUnreadable:
        return "SETUP.INF could not be read";
    case kSilentBadArguments:
        return "bad command line or answer file";
    case kSilentDiskMissing:
        return "a disk was not found";
    default:
        return "not installed";
    }
}

// The folders where disk number disk may be: each folder of the command line and its diskN,
// then diskN beside disk 1.
std::vector<std::string> DiskCandidates(std::uint32_t disk) {
    const std::string name = "disk" + std::to_string(disk);
    std::vector<std::string> candidates;
    for (const std::string& folder : g_setup.diskFolders) {
        candidates.push_back(JoinPath(folder, name));
        candidates.push_back(folder);
    }
    const std::string diskOne = DirectoryPart(g_setup.scriptPath.View());
    const std::string besideDiskOne = DirectoryPart(diskOne.substr(0, diskOne.size() - 1));
    candidates.push_back(JoinPath(besideDiskOne, name));
    return candidates;
}

} // namespace

void LogRunLine(const std::string& line) {
    g_runLog.Write(line);
}

int RunSilent(HINSTANCE instance, const SetupCommandLine& commandLine) {
    g_runLog =
        RunLog(commandLine.logPath.empty() ? InTemporaryFolder(kRunLogName) : commandLine.logPath,
               RunLog::Start::Fresh);
    LogRunLine("SETUP.EXE, unattended");
    if (!commandLine.error.empty()) {
        LogRunLine("bad command line: " + commandLine.error);
        LogRunLine(std::string("outcome: ") + OutcomeText(kSilentBadArguments));
        return kSilentBadArguments;
    }
    SetSilentAnswerer(AnswerSilently);
    SetFileInUsePrompt(AnswerFileInUse);
    SetFailureReport(ReportSetupError);
    g_setup.instance = instance;
    if (!RegisterMainWindowClass(instance) ||
        !(g_setup.mainWindow = CreateMainWindow(instance, false))) {
        LogRunLine("outcome: no window could be created");
        return kSilentFailed;
    }
    SetupLifetime lifetime;
    g_setup.silent = true;
    g_setup.diskFolders = commandLine.diskFolders;
    bool installing = false;
    if (Failure failure = PrepareAndInstall(commandLine, installing)) {
        ReportSetupError(failure->code());
    } else if (!installing) {
        FinishSetup(FinishFlag::Incomplete);
    }
    LogRunLine(std::string("outcome: ") + OutcomeText(g_setup.exitCode) + " (exit code " +
               std::to_string(g_setup.exitCode) + ")");
    return g_setup.exitCode;
}

void RecordAnswers(const std::string& path) {
    const SetupScript& script = g_setup.script;
    Answers answers;
    answers.destination = g_setup.DestinationDirectory().Str();
    answers.setupType = g_setup.setupType;
    if (g_setup.setupType == kSetupCustom) {
        for (const Component& component : script.components) {
            answers.components.push_back(component.selected != 0);
        }
    }
    answers.createGroups = g_setup.createGroups;
    if (script.programGroups.size() == 1) {
        answers.groupName = std::string(TextOf(script.programGroups[0]));
    }
    if (!WriteWholeFile(path, WriteAnswers(answers, script, true))) {
        const std::string message = "The answers could not be written to " + path + ".";
        SetupMessageBox(g_setup.mainWindow, message.c_str(), script.productName.CStr(),
                        MB_OK | MB_ICONEXCLAMATION);
    }
}

Failure SilentInstallHost::AskForDisk(std::uint32_t disk, std::string_view relativePath) {
    for (const std::string& folder : DiskCandidates(disk)) {
        const std::string path = JoinPath(folder, relativePath);
        if (relativePath.empty() ? PathExists(folder) : FileExists(path)) {
            g_setup.sourceDirectory.Assign(folder.ends_with('\\') ? folder : folder + '\\');
            g_setup.currentDisk = disk;
            LogRunLine("disk " + std::to_string(disk) + ": " + folder);
            return std::nullopt;
        }
        LogRunLine("disk " + std::to_string(disk) + " is not in " + folder);
    }
    g_setup.exitCode = kSilentDiskMissing;
    return SetupError(kErrorCancelled, "a disk was not found");
}

bool SilentInstallHost::AskForDiskAgain(std::string_view relativePath) {
    LogRunLine("missing on disk " + std::to_string(g_setup.currentDisk) + ": " +
               std::string(relativePath));
    return false;
}

Failure SilentInstallHost::AskFileExists(const char* existingPath, const char*, RememberedChoice&,
                                         std::uint32_t& answer) {
    const bool replace = g_setup.answers.fileExists == FileExistsAnswer::Replace;
    LogRunLine(std::string(replace ? "replaced: " : "kept: ") + existingPath);
    answer = replace ? kChoiceReplace : kChoiceKeep;
    return std::nullopt;
}

bool SilentInstallHost::AskContinueAfterFailure(const std::string& text) {
    LogRunLine(text + " -> stopped");
    return false;
}

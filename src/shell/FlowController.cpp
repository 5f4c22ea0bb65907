#include "shell/FlowController.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "engine/LoadSetupScript.h"
#include "script/SetupError.h"
#include "engine/Accounting.h"
#include "shell/Completion.h"
#include "shell/InstallRun.h"
#include "shell/MainWindow.h"
#include "shell/PageOrder.h"
#include "shell/SetupState.h"
#include "shell/SilentExitCodes.h"
#include "shell/SpaceCheck.h"
#include "shell/UnattendedRun.h"
#include "shell/StartupDirectories.h"
#include "ui/SetupMessages.h"
#include "ui/BitmapControl.h"
#include "ui/CustomPage.h"
#include "ui/MainWindowPainting.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramGroupPage.h"
#include "ui/SetupTypePage.h"

#include <string>

namespace {

// Ends the run through the report when a section of the flow failed; true when it did.
bool Reported(const Failure& failure) {
    if (failure) {
        ReportSetupError(failure->code());
    }
    return failure.has_value();
}

// Carries out a step by posting the flow message that stands for it, so that it runs once the
// page (or the handler) that led to it has returned.
void PostStep(FlowPoint from, const FlowStep& step) {
    if (step.setupTypeBecomesCustom) {
        g_setup.setupType = kSetupCustom;
    }
    switch (step.action) {
    case FlowAction::Stay:
        return;
    case FlowAction::ShowWelcome:
        PostFlowMessage(WM_SHOW_WELCOME);
        return;
    case FlowAction::ShowReadme:
        PostFlowMessage(WM_SHOW_README, from == FlowPoint::Welcome ? 1 : 0);
        return;
    case FlowAction::ShowDestination:
        PostFlowMessage(WM_SHOW_DESTINATION);
        return;
    case FlowAction::ResolveDirectories:
        PostFlowMessage(WM_DESTINATION_CHOSEN);
        return;
    case FlowAction::ShowSetupType:
        PostFlowMessage(WM_SHOW_SETUP_TYPE);
        return;
    case FlowAction::ShowCustom:
        PostFlowMessage(WM_SHOW_CUSTOM);
        return;
    case FlowAction::GroupStep:
    case FlowAction::ShowProgramGroup:
        PostFlowMessage(WM_GROUP_STEP);
        return;
    case FlowAction::Install:
        PostFlowMessage(WM_GROUP_CHOSEN);
        return;
    case FlowAction::Abort:
        PostFlowMessage(WM_SETUP_ABORT);
        return;
    }
}

// The pages' host: every answer goes through the one page order.
class WizardHost final : public PageHost {
public:
    void PageAnswered(WizardPage page, PageAnswer answer) override {
        const FlowPoint point = PointOf(page);
        PostStep(point, NextFlowStep(point, answer, CurrentFlowChoices()));
    }
};

WizardHost g_wizardHost;

} // namespace

FlowChoices CurrentFlowChoices() {
    const SetupScript& script = g_setup.script;
    FlowChoices choices;
    choices.typicalOffered = script.typicalOffered != 0;
    choices.minimalOffered = script.minimalOffered != 0;
    choices.customOffered = script.customOffered != 0;
    choices.setupType = g_setup.setupType;
    choices.showGroupPage = script.showGroupPage != 0;
    choices.groupCount = script.programGroups.size();
    return choices;
}

Failure LoadScript() {
    if (Failure failure = LoadSetupScript(g_setup.scriptPath.CStr(), g_setup.script)) {
        return failure;
    }
    // Every later step takes the first directory as the destination.
    if (g_setup.script.directories.empty()) {
        return SetupError(kErrorBadScript, "the script names no destination directory");
    }
    g_setup.scriptLoaded = true;
    return std::nullopt;
}

Failure ResolveDestination() {
    std::string root;
    if (Failure failure = VolumeRoot(g_setup.DestinationDirectory().View(), root)) {
        return failure;
    }
    g_setup.destinationRoot.Assign(root);
    ResolveDirectories(g_setup.script, g_setup.destinationRoot.View(), g_setup.Macros());
    return BuildDriveList(g_setup.script, g_setup.drives, VolumeRoot, ChangeCurrentDirectory);
}

PageHost& WizardFlowHost() {
    return g_wizardHost;
}

void SkipReadme(WPARAM forward) {
    // Past the read-me page as if it had been shown and left the same way.
    const PageAnswer answer = forward ? PageAnswer::Next : PageAnswer::Back;
    PostStep(FlowPoint::Readme, NextFlowStep(FlowPoint::Readme, answer, CurrentFlowChoices()));
}

void StartSetup() {
    if (Reported(ComputeStartupDirectories()) || Reported(LoadScript())) {
        return;
    }
    ExpandStartupStrings(g_setup.script, g_setup.Macros());
    if (Reported(LoadBackgroundImages(
            g_setup.mainWindow, g_setup.script,
            {g_setup.sourceDirectory.View(), g_setup.temporaryDirectory.View()}))) {
        return;
    }
    SetWindowTextA(g_setup.mainWindow, g_setup.script.productName.CStr());
    PreloadResources();
    // Without the control the run goes on; the install list's billboards are not shown.
    if (BitmapControl* control = CreateBitmapControl(g_setup.mainWindow)) {
        g_setup.bitmapControl = control;
        g_setup.bitmapWindow = control->window;
    }
    PostFlowMessage(WM_SHOW_WELCOME);
}

void AfterDestination() {
    DestroyCurrentPage();
    if (Reported(ResolveDestination())) {
        return;
    }
    PostStep(FlowPoint::DirectoriesResolved,
             NextFlowStep(FlowPoint::DirectoriesResolved, PageAnswer::Next, CurrentFlowChoices()));
}

void GroupStep() {
    const FlowStep step =
        NextFlowStep(FlowPoint::GroupStep, PageAnswer::Next, CurrentFlowChoices());
    if (step.action == FlowAction::ShowProgramGroup) {
        CreateAndShowPage(IDD_PROGRAM_GROUP, ProgramGroupPageProc);
        return;
    }
    if (step.clearCreateGroups) {
        g_setup.createGroups = false;
    }
    DestroyCurrentPage();
    BeginInstall();
}

void BeginInstall() {
    ApplySetupType(g_setup.script, g_setup.setupType);
    if (Reported(
            BuildDriveList(g_setup.script, g_setup.drives, VolumeRoot, ChangeCurrentDirectory))) {
        return;
    }
    // Back and Exit have posted the next flow message already.
    bool goOn = false;
    if (Reported(CheckAllDrivesSpace(goOn)) || !goOn) {
        return;
    }
    if (!g_setup.recordPath.empty()) {
        RecordAnswers(g_setup.recordPath);
    }
    InvalidateRect(g_setup.mainWindow, nullptr, TRUE);
    UpdateWindow(g_setup.mainWindow);
    RunInstall();
}

void ReportSetupError(std::uint32_t code) {
    // A failure caught after the window has gone is still told, without owner.
    HWND owner = IsWindow(g_setup.mainWindow) ? g_setup.mainWindow : nullptr;
    if (g_setup.exitCode == kSilentInstalled) {
        g_setup.exitCode = code == kErrorBadScript ? kSilentScriptUnreadable : kSilentFailed;
    }
    if (code == kErrorBadScript) {
        ResourceMessageBox(owner, IDS_SCRIPT_UNREADABLE, IDS_SETUP_CAPTION, MB_OK);
    }
    if (g_setup.bitmapWindow) {
        ShowWindow(g_setup.bitmapWindow, SW_HIDE);
    }
    if (g_setup.scriptLoaded) {
        SetupMessageBox(owner, g_setup.script.failureText.CStr(),
                        g_setup.script.failureCaption.CStr(), MB_OK);
    } else {
        ResourceMessageBox(owner, IDS_NOT_ALL_INSTALLED, IDS_SETUP_CAPTION, MB_OK);
    }
    FinishSetup(FinishFlag::Incomplete);
}

void ShowSetupTypePage() {
    CreateAndShowPage(IDD_SETUP_TYPE, SetupTypePageProc);
}

void ShowCustomPage() {
    CreateAndShowPage(IDD_CUSTOM, CustomPageProc);
}

#include "shell/FlowController.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "engine/LoadSetupScript.h"
#include "script/SetupError.h"
#include "engine/Accounting.h"
#include "shell/Completion.h"
#include "shell/InstallRun.h"
#include "shell/MainWindow.h"
#include "ui/SetupMessages.h"
#include "shell/SetupState.h"
#include "shell/SpaceCheck.h"
#include "shell/StartupDirectories.h"
#include "ui/BitmapControl.h"
#include "ui/CustomPage.h"
#include "ui/MainWindowPainting.h"
#include "ui/MessageBoxes.h"
#include "ui/ProgramGroupPage.h"
#include "ui/SetupTypePage.h"

#include <string>

namespace {

// Runs one guarded section of the flow: a SetupError ends the run through the report.
template <typename Section> void Guarded(Section section) {
    try {
        section();
    } catch (const SetupError& error) {
        ReportSetupError(error.code());
    }
}

void LoadScript() {
    g_setup.script = LoadSetupScript(g_setup.scriptPath.CStr());
    // Every later step takes the first directory as the destination.
    if (g_setup.script.directories.empty()) {
        throw SetupError(kErrorBadScript, "the script names no destination directory");
    }
    g_setup.scriptLoaded = true;
}

} // namespace

void StartSetup() {
    Guarded([] {
        ComputeStartupDirectories();
    });
    if (!IsWindow(g_setup.mainWindow)) {
        return; // the directory set-up failed and the run has been ended
    }
    Guarded([] {
        LoadScript();
        ExpandStartupStrings(g_setup.script, g_setup.Macros());
        LoadBackgroundImages();
        SetWindowTextA(g_setup.mainWindow, g_setup.script.productName.CStr());
        PreloadResources();
        // Without the control the run goes on; the install list's billboards are not shown.
        if (BitmapControl* control = CreateBitmapControl(g_setup.mainWindow)) {
            g_setup.bitmapControl = control;
            g_setup.bitmapWindow = control->window;
        }
        PostFlowMessage(WM_SHOW_WELCOME);
    });
}

void AfterDestination() {
    Guarded([] {
        DestroyCurrentPage();
        g_setup.destinationRoot.Assign(VolumeRoot(g_setup.DestinationDirectory().View()));
        ResolveDirectories(g_setup.script, g_setup.destinationRoot.View(), g_setup.Macros());
        BuildDriveList(g_setup.script, g_setup.drives, VolumeRoot, ChangeCurrentDirectory);

        const SetupScript& script = g_setup.script;
        if (script.minimalOffered || script.typicalOffered) {
            PostFlowMessage(WM_SHOW_SETUP_TYPE);
        } else if (script.customOffered) {
            // With Custom the only choice, the user's ticks are the selection.
            g_setup.setupType = kSetupCustom;
            PostFlowMessage(WM_SHOW_CUSTOM);
        } else {
            PostFlowMessage(WM_GROUP_STEP);
        }
    });
}

void GroupStep() {
    const SetupScript& script = g_setup.script;
    if (script.showGroupPage) {
        if (script.programGroups.size() == 1) {
            CreateAndShowPage(IDD_PROGRAM_GROUP, ProgramGroupPageProc);
            return;
        }
        if (script.programGroups.empty()) {
            g_setup.createGroups = false;
        }
    }
    DestroyCurrentPage();
    BeginInstall();
}

void BeginInstall() {
    bool goOn = false;
    Guarded([&goOn] {
        ApplySetupType(g_setup.script, g_setup.setupType);
        BuildDriveList(g_setup.script, g_setup.drives, VolumeRoot, ChangeCurrentDirectory);
        // Back and Exit have posted the next flow message already.
        goOn = CheckAllDrivesSpace();
    });
    if (!goOn) {
        return;
    }
    InvalidateRect(g_setup.mainWindow, nullptr, TRUE);
    UpdateWindow(g_setup.mainWindow);
    RunInstall();
}

void ReportSetupError(std::uint32_t code) {
    if (code == kErrorBadScript) {
        ResourceMessageBox(g_setup.mainWindow, IDS_SCRIPT_UNREADABLE, IDS_SETUP_CAPTION, MB_OK);
    }
    if (g_setup.bitmapWindow) {
        ShowWindow(g_setup.bitmapWindow, SW_HIDE);
    }
    if (g_setup.scriptLoaded) {
        MessageBoxA(g_setup.mainWindow, g_setup.script.failureText.CStr(),
                    g_setup.script.failureCaption.CStr(), MB_OK);
    } else {
        ResourceMessageBox(g_setup.mainWindow, IDS_NOT_ALL_INSTALLED, IDS_SETUP_CAPTION, MB_OK);
    }
    FinishSetup(FinishFlag::Incomplete);
}

void ShowSetupTypePage() { CreateAndShowPage(IDD_SETUP_TYPE, SetupTypePageProc); }

void ShowCustomPage() { CreateAndShowPage(IDD_CUSTOM, CustomPageProc); }

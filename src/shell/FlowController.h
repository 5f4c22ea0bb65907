#pragma once

#include "script/SetupError.h"

#include "shell/PageOrder.h"
#include "ui/PageContext.h"

#include <windows.h>

#include <cstdint>

// The installer's state machine: what runs between the pages, and the one way every error that
// reaches the flow is reported.

// What the page order needs to know of the script and the choices made so far.
FlowChoices CurrentFlowChoices();

// Loads the script at scriptPath into the state. Fails with 8000 when it cannot be read or
// names no destination directory.
Failure LoadScript();

// Resolves the destination's volume root, the other directories and the drive list. Fails with
// 5000 when a directory's volume cannot be queried.
Failure ResolveDestination();

// WM_SETUP_START: directories, script, start-up texts and pictures, then the welcome page.
void StartSetup();

// WM_DESTINATION_CHOSEN: resolves the directories and drives and picks the next page.
void AfterDestination();

// WM_GROUP_STEP: the program-group page, or straight on to the installation.
void GroupStep();

// The setup type and drive totals for the final selection, the space check, the run.
void BeginInstall();

// Shows the failure report for a caught error code and ends the run.
void ReportSetupError(std::uint32_t code);

// The host that the pages report their answers to; it asks the page order for the next step
// and posts the flow message that carries it out.
PageHost& WizardFlowHost();

// WM_SHOW_README when the script names no read-me: on in the direction wParam gives (1 forward
// from the welcome page, 0 back from the destination page).
void SkipReadme(WPARAM forward);

void ShowSetupTypePage();
void ShowCustomPage();

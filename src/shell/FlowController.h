#pragma once

#include <cstdint>

// The installer's state machine: what runs between the pages, and the one way every error that
// reaches the flow is reported.

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

void ShowSetupTypePage();
void ShowCustomPage();

#pragma once

#include "ui/WizardPages.h"

#include <cstddef>
#include <cstdint>

// The order of the wizard in one place: from where the flow stands and the user's answer, the
// next step. The pages only answer Next, Back or Cancel; the shell carries the step out.

// Where the flow stands: on one of the pages, or at one of the two points between pages where
// the flow decides alone (after the directories and drives have been resolved, and at the
// program-group step).
enum class FlowPoint {
    Welcome,
    Readme,
    Destination,
    SetupType,
    Custom,
    ProgramGroup,
    DirectoriesResolved,
    GroupStep,
};

FlowPoint PointOf(WizardPage page);

enum class FlowAction {
    Stay, // the answer is not offered where the flow stands
    ShowWelcome,
    ShowReadme,
    ShowDestination,
    ResolveDirectories, // then the flow asks again from DirectoriesResolved
    ShowSetupType,
    ShowCustom,
    GroupStep, // then the flow asks again from GroupStep
    ShowProgramGroup,
    Install,
    Abort,
};

// The state's choices that the order depends on.
struct FlowChoices {
    bool typicalOffered = false;
    bool minimalOffered = false;
    bool customOffered = false;
    std::uint32_t setupType = 0; // 1042 Typical, 1043 Minimal, 1044 Custom
    bool showGroupPage = false;
    std::size_t groupCount = 0;
};

struct FlowStep {
    FlowAction action = FlowAction::Stay;
    // With Custom the only type offered, the user's ticks are the selection: the setup type
    // becomes Custom before the custom page is shown.
    bool setupTypeBecomesCustom = false;
    // The group page is asked for but the script names no group: no group is created.
    bool clearCreateGroups = false;

    friend bool operator==(const FlowStep&, const FlowStep&) = default;
};

// At the two points between pages the answer does not matter (pass Next).
FlowStep NextFlowStep(FlowPoint point, PageAnswer answer, const FlowChoices& choices);

#include "shell/PageOrder.h"

#include "engine/Accounting.h"

namespace {

FlowStep Step(FlowAction action) {
    return FlowStep{action, false, false};
}

bool TypeChoiceOffered(const FlowChoices& choices) {
    return choices.typicalOffered || choices.minimalOffered;
}

FlowStep AfterResolving(const FlowChoices& choices) {
    if (TypeChoiceOffered(choices)) {
        return Step(FlowAction::ShowSetupType);
    }
    if (choices.customOffered) {
        return FlowStep{FlowAction::ShowCustom, true, false};
    }
    return Step(FlowAction::GroupStep);
}

FlowStep AtGroupStep(const FlowChoices& choices) {
    if (choices.showGroupPage && choices.groupCount == 1) {
        return Step(FlowAction::ShowProgramGroup);
    }
    return FlowStep{FlowAction::Install, false, choices.showGroupPage && choices.groupCount == 0};
}

FlowStep Forward(FlowPoint point, const FlowChoices& choices) {
    switch (point) {
    case FlowPoint::Welcome:
        // The read-me step comes whether or not there is a read-me: its handler skips it.
        return Step(FlowAction::ShowReadme);
    case FlowPoint::Readme:
        return Step(FlowAction::ShowDestination);
    case FlowPoint::Destination:
        return Step(FlowAction::ResolveDirectories);
    case FlowPoint::SetupType:
        return Step(choices.setupType == kSetupCustom ? FlowAction::ShowCustom
                                                      : FlowAction::GroupStep);
    case FlowPoint::Custom:
        return Step(FlowAction::GroupStep);
    case FlowPoint::ProgramGroup:
        return Step(FlowAction::Install);
    case FlowPoint::DirectoriesResolved:
        return AfterResolving(choices);
    case FlowPoint::GroupStep:
        return AtGroupStep(choices);
    }
    return Step(FlowAction::Stay);
}

FlowStep Backward(FlowPoint point, const FlowChoices& choices) {
    switch (point) {
    case FlowPoint::Readme:
        return Step(FlowAction::ShowWelcome);
    case FlowPoint::Destination:
        return Step(FlowAction::ShowReadme);
    case FlowPoint::SetupType:
        return Step(FlowAction::ShowDestination);
    case FlowPoint::Custom:
        // Resolved again, then the setup type, or the custom page when only Custom is offered.
        return Step(FlowAction::ResolveDirectories);
    case FlowPoint::ProgramGroup:
        if (choices.setupType == kSetupCustom) {
            return Step(FlowAction::ShowCustom);
        }
        return Step(TypeChoiceOffered(choices) ? FlowAction::ShowSetupType
                                               : FlowAction::ShowDestination);
    case FlowPoint::Welcome: // Back is disabled on the welcome page
        return Step(FlowAction::Stay);
    case FlowPoint::DirectoriesResolved:
    case FlowPoint::GroupStep:
        return Forward(point, choices);
    }
    return Step(FlowAction::Stay);
}

} // namespace

FlowPoint PointOf(WizardPage page) {
    switch (page) {
    case WizardPage::Welcome:
        return FlowPoint::Welcome;
    case WizardPage::Readme:
        return FlowPoint::Readme;
    case WizardPage::Destination:
        return FlowPoint::Destination;
    case WizardPage::SetupType:
        return FlowPoint::SetupType;
    case WizardPage::Custom:
        return FlowPoint::Custom;
    case WizardPage::ProgramGroup:
        return FlowPoint::ProgramGroup;
    }
    return FlowPoint::Welcome;
}

FlowStep NextFlowStep(FlowPoint point, PageAnswer answer, const FlowChoices& choices) {
    switch (answer) {
    case PageAnswer::Next:
        return Forward(point, choices);
    case PageAnswer::Back:
        return Backward(point, choices);
    case PageAnswer::Cancel:
        // The page has asked the cancel question already; between pages there is nothing to
        // cancel, so the flow goes on.
        if (point == FlowPoint::DirectoriesResolved || point == FlowPoint::GroupStep) {
            return Forward(point, choices);
        }
        return Step(FlowAction::Abort);
    }
    return Step(FlowAction::Stay);
}

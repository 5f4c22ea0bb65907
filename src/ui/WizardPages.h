#pragma once

// The wizard's pages and what the user answers on them. A page reports only the answer; the
// shell decides where it leads.

enum class WizardPage {
    Welcome,
    Readme,
    Destination,
    SetupType,
    Custom,
    ProgramGroup,
};

// Cancel is reported only once the user has confirmed the cancel question.
enum class PageAnswer {
    Next,
    Back,
    Cancel,
};

#include "shell/PageOrder.h"

#include "engine/Accounting.h"

#include <gtest/gtest.h>

namespace {

using A = FlowAction;
using P = FlowPoint;

// The script's offer of setup types, as letters: T Typical, M Minimal, C Custom.
FlowChoices Offering(const char* types, std::uint32_t setupType = kSetupTypical) {
    FlowChoices choices;
    for (const char* type = types; *type; ++type) {
        choices.typicalOffered |= *type == 'T';
        choices.minimalOffered |= *type == 'M';
        choices.customOffered |= *type == 'C';
    }
    choices.setupType = setupType;
    return choices;
}

FlowChoices Groups(bool showGroupPage, std::size_t count) {
    FlowChoices choices = Offering("TMC");
    choices.showGroupPage = showGroupPage;
    choices.groupCount = count;
    return choices;
}

struct Route {
    const char* name;
    FlowPoint point;
    PageAnswer answer;
    FlowChoices choices;
    FlowStep step;
};

FlowStep To(FlowAction action) {
    return FlowStep{action, false, false};
}

} // namespace

TEST(PageOrder, EveryRouteOfTheWizard) {
    constexpr auto Next = PageAnswer::Next;
    constexpr auto Back = PageAnswer::Back;
    const Route routes[] = {
        // The read-me step comes with or without a read-me: its handler skips a missing one.
        {"welcome Next", P::Welcome, Next, Offering("T"), To(A::ShowReadme)},
        {"welcome Back is not offered", P::Welcome, Back, Offering("T"), To(A::Stay)},
        {"read-me Next", P::Readme, Next, Offering("T"), To(A::ShowDestination)},
        {"read-me Back", P::Readme, Back, Offering("T"), To(A::ShowWelcome)},
        {"destination Next resolves", P::Destination, Next, Offering(""),
         To(A::ResolveDirectories)},
        {"destination Back", P::Destination, Back, Offering("T"), To(A::ShowReadme)},
        {"resolved, Typical offered", P::DirectoriesResolved, Next, Offering("TC"),
         To(A::ShowSetupType)},
        {"resolved, Minimal offered", P::DirectoriesResolved, Next, Offering("M"),
         To(A::ShowSetupType)},
        {"resolved, only Custom: the type becomes Custom", P::DirectoriesResolved, Next,
         Offering("C"), FlowStep{A::ShowCustom, true, false}},
        {"resolved, no type offered", P::DirectoriesResolved, Next, Offering(""), To(A::GroupStep)},
        {"setup type Next with Typical", P::SetupType, Next, Offering("TMC", kSetupTypical),
         To(A::GroupStep)},
        {"setup type Next with Minimal", P::SetupType, Next, Offering("TMC", kSetupMinimal),
         To(A::GroupStep)},
        {"setup type Next with Custom", P::SetupType, Next, Offering("TMC", kSetupCustom),
         To(A::ShowCustom)},
        {"setup type Back", P::SetupType, Back, Offering("TMC"), To(A::ShowDestination)},
        {"custom Next", P::Custom, Next, Offering("C", kSetupCustom), To(A::GroupStep)},
        {"custom Back resolves again", P::Custom, Back, Offering("C", kSetupCustom),
         To(A::ResolveDirectories)},
        {"group step, page asked, one group", P::GroupStep, Next, Groups(true, 1),
         To(A::ShowProgramGroup)},
        {"group step, page asked, two groups", P::GroupStep, Next, Groups(true, 2), To(A::Install)},
        {"group step, page asked, no group", P::GroupStep, Next, Groups(true, 0),
         FlowStep{A::Install, false, true}},
        {"group step, no page, one group", P::GroupStep, Next, Groups(false, 1), To(A::Install)},
        {"group step, no page, no group", P::GroupStep, Next, Groups(false, 0), To(A::Install)},
        {"group page Next", P::ProgramGroup, Next, Groups(true, 1), To(A::Install)},
        {"group page Back after Custom", P::ProgramGroup, Back, Offering("TC", kSetupCustom),
         To(A::ShowCustom)},
        {"group page Back after Custom, only Custom offered", P::ProgramGroup, Back,
         Offering("C", kSetupCustom), To(A::ShowCustom)},
        {"group page Back after Typical", P::ProgramGroup, Back, Offering("TC", kSetupTypical),
         To(A::ShowSetupType)},
        {"group page Back after Minimal", P::ProgramGroup, Back, Offering("M", kSetupMinimal),
         To(A::ShowSetupType)},
        {"group page Back, no type offered", P::ProgramGroup, Back, Offering("", kSetupTypical),
         To(A::ShowDestination)},
    };
    for (const Route& route : routes) {
        const FlowStep step = NextFlowStep(route.point, route.answer, route.choices);
        EXPECT_EQ(step.action, route.step.action) << route.name;
        EXPECT_EQ(step.setupTypeBecomesCustom, route.step.setupTypeBecomesCustom) << route.name;
        EXPECT_EQ(step.clearCreateGroups, route.step.clearCreateGroups) << route.name;
    }
}

TEST(PageOrder, ConfirmedCancelOnAnyPageAborts) {
    const WizardPage pages[] = {WizardPage::Welcome,     WizardPage::Readme,
                                WizardPage::Destination, WizardPage::SetupType,
                                WizardPage::Custom,      WizardPage::ProgramGroup};
    for (WizardPage page : pages) {
        EXPECT_EQ(NextFlowStep(PointOf(page), PageAnswer::Cancel, Offering("TMC")), To(A::Abort))
            << static_cast<int>(page);
    }
}

TEST(PageOrder, PagesMapToTheirOwnPoints) {
    EXPECT_EQ(PointOf(WizardPage::Welcome), P::Welcome);
    EXPECT_EQ(PointOf(WizardPage::Readme), P::Readme);
    EXPECT_EQ(PointOf(WizardPage::Destination), P::Destination);
    EXPECT_EQ(PointOf(WizardPage::SetupType), P::SetupType);
    EXPECT_EQ(PointOf(WizardPage::Custom), P::Custom);
    EXPECT_EQ(PointOf(WizardPage::ProgramGroup), P::ProgramGroup);
}

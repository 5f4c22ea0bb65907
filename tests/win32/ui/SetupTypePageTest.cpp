#include "PageTest.h"

#include "resources/ResourceIds.h"
#include "ui/SetupTypePage.h"

#include <array>

namespace {

struct Slot {
    RECT icon;
    RECT button;
};

RECT ClientRect(HWND page, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(page, id), &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class SetupTypePage : public PageTest {
protected:
    void Offer(bool typical, bool minimal, bool custom) {
        script.typicalOffered = typical;
        script.minimalOffered = minimal;
        script.customOffered = custom;
        script.typicalLabel.Assign("Typical: the usual files");
        script.minimalLabel.Assign("Minimal: the least");
        script.customLabel.Assign("Custom: you choose");
    }

    // The template's three slots, top to bottom, read from a page that offers every type.
    std::array<Slot, 3> TemplateSlots() {
        Offer(true, true, true);
        HWND full = OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
        std::array<Slot, 3> slots{{
            {ClientRect(full, IDC_TYPICAL_ICON), ClientRect(full, IDC_TYPICAL)},
            {ClientRect(full, IDC_MINIMAL_ICON), ClientRect(full, IDC_MINIMAL)},
            {ClientRect(full, IDC_CUSTOM_ICON), ClientRect(full, IDC_CUSTOM)},
        }};
        DestroyWindow(full);
        page = nullptr;
        return slots;
    }

    void ExpectInSlot(int icon, int button, const Slot& slot) {
        SCOPED_TRACE(testing::Message() << "button " << button);
        EXPECT_TRUE(Shown(icon));
        EXPECT_TRUE(Shown(button));
        EXPECT_TRUE(Enabled(button));
        EXPECT_TRUE(Same(ClientRect(page, icon), slot.icon));
        EXPECT_TRUE(Same(ClientRect(page, button), slot.button));
    }

    void ExpectHidden(int icon, int button) {
        SCOPED_TRACE(testing::Message() << "button " << button);
        EXPECT_FALSE(Shown(icon));
        EXPECT_FALSE(Shown(button));
        EXPECT_FALSE(Enabled(icon));
        EXPECT_FALSE(Enabled(button));
    }
};

} // namespace

TEST_F(SetupTypePage, ShowsTheScriptsLabelsAndProductName) {
    Offer(true, true, true);
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    EXPECT_EQ(Text(IDC_TYPICAL), "Typical: the usual files");
    EXPECT_EQ(Text(IDC_MINIMAL), "Minimal: the least");
    EXPECT_EQ(Text(IDC_CUSTOM), "Custom: you choose");
    char caption[256] = {};
    GetWindowTextA(page, caption, sizeof caption);
    EXPECT_STREQ(caption, "Page Product");
    EXPECT_TRUE(Checked(IDC_TYPICAL));
    EXPECT_FALSE(Checked(IDC_MINIMAL));
    EXPECT_FALSE(Checked(IDC_CUSTOM));
}

TEST_F(SetupTypePage, TypicalAbsentMovesMinimalToTopAndCustomToMiddle) {
    const auto slots = TemplateSlots();
    Offer(false, true, true);
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    ExpectHidden(IDC_TYPICAL_ICON, IDC_TYPICAL);
    ExpectInSlot(IDC_MINIMAL_ICON, IDC_MINIMAL, slots[0]);
    ExpectInSlot(IDC_CUSTOM_ICON, IDC_CUSTOM, slots[1]);
}

TEST_F(SetupTypePage, OtherCombinationsKeepOrderAndFillFromTheTop) {
    const auto slots = TemplateSlots();
    struct Case {
        bool typical, minimal, custom;
        int typicalSlot, minimalSlot, customSlot; // -1: hidden
    };
    const Case cases[] = {
        {true, true, true, 0, 1, 2},     {true, true, false, 0, 1, -1},
        {true, false, true, 0, -1, 1},   {true, false, false, 0, -1, -1},
        {false, true, false, -1, 0, -1}, {false, false, true, -1, -1, 0},
    };
    const int icons[] = {IDC_TYPICAL_ICON, IDC_MINIMAL_ICON, IDC_CUSTOM_ICON};
    const int buttons[] = {IDC_TYPICAL, IDC_MINIMAL, IDC_CUSTOM};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "offered " << c.typical << c.minimal << c.custom);
        Offer(c.typical, c.minimal, c.custom);
        OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
        const int wanted[] = {c.typicalSlot, c.minimalSlot, c.customSlot};
        for (int choice = 0; choice < 3; ++choice) {
            if (wanted[choice] < 0) {
                ExpectHidden(icons[choice], buttons[choice]);
            } else {
                ExpectInSlot(icons[choice], buttons[choice], slots[wanted[choice]]);
            }
        }
        DestroyWindow(page);
        page = nullptr;
    }
}

TEST_F(SetupTypePage, SetupTypeNotOfferedChecksTheFirstOfferedChoice) {
    // The start value is Typical; with Typical hidden its button must not be the checked one.
    Offer(false, true, true);
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    EXPECT_FALSE(Checked(IDC_TYPICAL));
    EXPECT_TRUE(Checked(IDC_MINIMAL));
    Command(IDC_NEXT);
    EXPECT_EQ(setupType, kSetupMinimal);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::SetupType, PageAnswer::Next}}));
}

TEST_F(SetupTypePage, OfferedSetupTypeStaysChecked) {
    Offer(true, true, true);
    setupType = kSetupCustom;
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    EXPECT_TRUE(Checked(IDC_CUSTOM));
    EXPECT_FALSE(Checked(IDC_TYPICAL));
}

TEST_F(SetupTypePage, NextSetsTheTypeAndGoesOn) {
    Offer(true, true, true);
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    SendDlgItemMessageA(page, IDC_MINIMAL, BM_CLICK, 0, 0);
    Command(IDC_NEXT);
    EXPECT_EQ(setupType, kSetupMinimal);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::SetupType, PageAnswer::Next}}));

    SendDlgItemMessageA(page, IDC_CUSTOM, BM_CLICK, 0, 0);
    Command(IDC_NEXT);
    EXPECT_EQ(setupType, kSetupCustom);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::SetupType, PageAnswer::Next}}));

    SendDlgItemMessageA(page, IDC_TYPICAL, BM_CLICK, 0, 0);
    Command(IDC_NEXT);
    EXPECT_EQ(setupType, kSetupTypical);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::SetupType, PageAnswer::Next}}));
}

TEST_F(SetupTypePage, NextWithNothingCheckedStays) {
    Offer(true, true, true);
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    CheckDlgButton(page, IDC_TYPICAL, BST_UNCHECKED);
    setupType = kSetupMinimal;
    Command(IDC_NEXT);
    EXPECT_EQ(setupType, kSetupMinimal);
    EXPECT_TRUE(Answers().empty());
}

TEST_F(SetupTypePage, BackIsReportedAndKeepsTheType) {
    Offer(true, false, true);
    OpenPage(IDD_SETUP_TYPE, SetupTypePageProc);
    Command(IDC_BACK);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::SetupType, PageAnswer::Back}}));
    EXPECT_EQ(setupType, kSetupTypical);
}

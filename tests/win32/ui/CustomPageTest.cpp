#include "PageTest.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/CustomPage.h"

#include <cstdlib>

namespace {

class CustomPage : public PageTest {
protected:
    HWND List() const { return GetDlgItem(page, IDC_OPTION_LIST); }

    RECT Entry(int index) const {
        RECT rect{};
        SendMessageA(List(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        return rect;
    }

    // A mouse click at x on the middle of the entry's line.
    void ClickEntry(int index, int x) {
        const RECT rect = Entry(index);
        const LPARAM point = MAKELPARAM(x, (rect.top + rect.bottom) / 2);
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageA(List(), WM_LBUTTONUP, 0, point);
        Answers();
    }

    void PressSpace() { SendMessageA(List(), WM_CHAR, ' ', 0); }

    int Selection() const { return static_cast<int>(SendMessageA(List(), LB_GETCURSEL, 0, 0)); }

    bool Selected(int component) const { return script.components.at(component).selected != 0; }

    std::uint64_t RequiredOnC() const { return drives.at(0).requiredBytes; }

    // The 12 by 12 pixels of the check box of an entry, as the screen shows them.
    std::vector<COLORREF> CheckPixels(int index) {
        UpdateWindow(List());
        const RECT rect = Entry(index);
        HDC dc = GetDC(List());
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                pixels.push_back(GetPixel(dc, rect.left + x, rect.top + 1 + y));
            }
        }
        ReleaseDC(List(), dc);
        return pixels;
    }

    // The pixels of a check bitmap of the program's resources.
    std::vector<COLORREF> BitmapPixels(int id) {
        HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(memory, bitmap);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                pixels.push_back(GetPixel(memory, x, y));
            }
        }
        SelectObject(memory, old);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        DeleteObject(bitmap);
        return pixels;
    }
};

} // namespace

TEST_F(CustomPage, ListsComponentsInScriptOrderWithFirstSelected) {
    UseComponentScript();
    OpenPage(IDD_CUSTOM, CustomPageProc);
    ASSERT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(SendMessageA(List(), LB_GETITEMDATA, i, 0),
                  reinterpret_cast<LRESULT>(&script.components[i]))
            << "entry " << i;
    }
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Text(IDC_OPTION_DESCRIPTION), "The program itself.");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED_LABEL), "Space required on C:");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "4797 K");
    EXPECT_EQ(Text(IDC_SPACE_AVAILABLE_LABEL), "Space available on C:");
    // Free space moves while other tests write; the figure is the volume's, give or take.
    const std::string available = Text(IDC_SPACE_AVAILABLE);
    ASSERT_GT(available.size(), 2u);
    EXPECT_EQ(available.substr(available.size() - 2), " K");
    const long long shown = std::atoll(available.c_str());
    const auto actual = static_cast<long long>(FreeDiskSpaceK("C:"));
    EXPECT_GT(shown, 0);
    EXPECT_LT(std::llabs(shown - actual), 1'000'000) << available;
}

TEST_F(CustomPage, ClickInTheCheckAreaTogglesAndClickOnTheTextOnlySelects) {
    UseComponentScript();
    OpenPage(IDD_CUSTOM, CustomPageProc);

    ClickEntry(1, 6);
    EXPECT_EQ(Selection(), 1);
    EXPECT_FALSE(Selected(1));
    EXPECT_EQ(Text(IDC_OPTION_DESCRIPTION), "Help and the tutorial.");
    // HELP leaves the total; SHARED stays, Samples still holds it.
    EXPECT_EQ(RequiredOnC(), 4'547'000u);
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "4547 K");

    ClickEntry(2, 100);
    EXPECT_EQ(Selection(), 2);
    EXPECT_TRUE(Selected(2));
    EXPECT_EQ(Text(IDC_OPTION_DESCRIPTION), "Sample documents.");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "4547 K");

    // The 13th pixel is still the check area, the 14th is text.
    ClickEntry(0, 13);
    EXPECT_EQ(Selection(), 0);
    EXPECT_TRUE(Selected(0));
    ClickEntry(0, 12);
    EXPECT_FALSE(Selected(0));
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "3047 K");

    ClickEntry(0, 0);
    ClickEntry(1, 11);
    EXPECT_TRUE(Selected(0));
    EXPECT_TRUE(Selected(1));
    EXPECT_EQ(RequiredOnC(), 4'797'999u);
}

TEST_F(CustomPage, SpaceBarTogglesTheSelectedEntryOnly) {
    UseComponentScript();
    OpenPage(IDD_CUSTOM, CustomPageProc);
    SendMessageA(List(), LB_SETCURSEL, 2, 0);
    Command(IDC_OPTION_LIST, LBN_SELCHANGE);
    EXPECT_EQ(Text(IDC_OPTION_DESCRIPTION), "Sample documents.");

    PressSpace();
    EXPECT_FALSE(Selected(2));
    EXPECT_TRUE(Selected(0));
    EXPECT_TRUE(Selected(1));
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "1797 K"); // SAMPLES gone, SHARED kept by Help Files

    // Other characters go to the list (which may move the selection) and toggle nothing.
    SendMessageA(List(), WM_CHAR, 'x', 0);
    EXPECT_FALSE(Selected(2));
    EXPECT_EQ(RequiredOnC(), 1'797'999u);

    SendMessageA(List(), LB_SETCURSEL, 2, 0);
    PressSpace();
    EXPECT_TRUE(Selected(2));
    EXPECT_EQ(RequiredOnC(), 4'797'999u);
}

TEST_F(CustomPage, SharedFileLeavesTheTotalWithItsLastComponent) {
    UseComponentScript();
    OpenPage(IDD_CUSTOM, CustomPageProc);
    ClickEntry(1, 6);
    EXPECT_EQ(RequiredOnC(), 4'797'999u - 250'999u);
    ClickEntry(2, 6);
    EXPECT_EQ(RequiredOnC(), 4'797'999u - 250'999u - 3'000'000u - 40'000u);
    EXPECT_EQ(script.installItems[2].installCount, 0);
    ClickEntry(0, 6);
    EXPECT_EQ(RequiredOnC(), 7'000u); // the item of no component stays
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "7 K");
    // And back, exactly.
    ClickEntry(0, 6);
    ClickEntry(1, 6);
    ClickEntry(2, 6);
    EXPECT_EQ(RequiredOnC(), 4'797'999u);
    EXPECT_EQ(script.installItems[2].installCount, 2);
}

TEST_F(CustomPage, CheckBoxShowsTheSelectedFlag) {
    UseComponentScript();
    OpenPage(IDD_CUSTOM, CustomPageProc);
    const auto checked = BitmapPixels(IDB_CHECKED);
    const auto unchecked = BitmapPixels(IDB_UNCHECKED);
    ASSERT_NE(checked, unchecked);
    EXPECT_EQ(CheckPixels(1), checked);
    ClickEntry(1, 6);
    EXPECT_EQ(CheckPixels(1), unchecked);
    PressSpace();
    EXPECT_EQ(CheckPixels(1), checked);
    EXPECT_EQ(CheckPixels(2), checked);
}

TEST_F(CustomPage, ComponentWithoutFilesShowsNoDriveAndZero) {
    UseComponentScript();
    Component empty;
    empty.name.Assign("Nothing");
    empty.description.Assign("Holds no file.");
    script.components.push_back(empty);
    OpenPage(IDD_CUSTOM, CustomPageProc);
    SendMessageA(List(), LB_SETCURSEL, 3, 0);
    Command(IDC_OPTION_LIST, LBN_SELCHANGE);
    EXPECT_EQ(Text(IDC_OPTION_DESCRIPTION), "Holds no file.");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED_LABEL), "Space required on ");
    EXPECT_EQ(Text(IDC_SPACE_AVAILABLE_LABEL), "Space available on ");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "0 K");
    PressSpace();
    EXPECT_FALSE(script.components[3].selected);
    EXPECT_EQ(RequiredOnC(), 4'797'999u);
}

TEST_F(CustomPage, TotalsBeyondFourGigabytesShowTheirValue) {
    UseComponentScript();
    script.installItems[3].size = 4'000'000'000u;
    script.installItems[1].size = 3'000'000'000u;
    EXPECT_FALSE(BuildDriveList(script, drives, VolumeRoot, [](const std::string&) {}));
    OpenPage(IDD_CUSTOM, CustomPageProc);
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "7001547 K");
    ClickEntry(1, 6);
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "4001547 K");
}

TEST_F(CustomPage, WithoutComponentsTheLabelsKeepTheirTemplateTexts) {
    OpenPage(IDD_CUSTOM, CustomPageProc);
    EXPECT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(Selection(), LB_ERR);
    EXPECT_EQ(Text(IDC_OPTION_DESCRIPTION), "Static");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED_LABEL), "Space Required on C:");
    EXPECT_EQ(Text(IDC_SPACE_REQUIRED), "Static");
    PressSpace();
    SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(Answers().empty());
    Command(IDC_NEXT);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::Custom, PageAnswer::Next}}));
}

TEST_F(CustomPage, ButtonsReportTheAnswers) {
    UseComponentScript();
    OpenPage(IDD_CUSTOM, CustomPageProc);
    Command(IDC_NEXT);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::Custom, PageAnswer::Next}}));
    Command(IDC_BACK);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::Custom, PageAnswer::Back}}));
    Command(IDC_CUSTOM_HELP);
    EXPECT_TRUE(Answers().empty());
}

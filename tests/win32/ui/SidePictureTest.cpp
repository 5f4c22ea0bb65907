#include "ui/MainWindowPainting.h"

#include "PageTest.h"
#include "PictureTestSupport.h"
#include "resources/ResourceIds.h"
#include "ui/DestinationPage.h"
#include "ui/ProgramGroupPage.h"
#include "ui/SetupTypePage.h"
#include "ui/WelcomePage.h"

#include <gtest/gtest.h>

#include <string>

// Every page with control 1050 shows its context's side picture stretched over that control,
// created from its template by its own procedure as the flow creates it.

namespace {

class SidePicture : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        const std::string path = ScratchDirectory("side-picture-test") + "SIDE.BMP";
        WriteTestFile(path, EncodeBmp(QuarterPicture(121, 260), FileHeader::With));
        ASSERT_FALSE(LoadBitmapFile(sidePicture, path.c_str()));
        ASSERT_TRUE(sidePicture.deviceBitmap);
        script.typicalOffered = 1;
        script.programGroups = {FixedText("Side Picture Group")};
    }

    void TearDown() override {
        PageTest::TearDown();
        SideImage() = BitmapImage{};
    }

    // The side control of the page shows the quarters of the picture over its whole client
    // area.
    void ExpectSidePicture(int templateId, DLGPROC procedure, const std::string& name) {
        OpenPage(templateId, procedure);
        ASSERT_NE(page, nullptr) << name;
        const HWND side = GetDlgItem(page, IDC_SIDE_BITMAP);
        ASSERT_NE(side, nullptr) << name;
        InvalidateRect(page, nullptr, TRUE);
        UpdateWindow(page);
        Answers();
        const Capture shown = CaptureClient(side);
        const RECT whole{0, 0, shown.width, shown.height};
        const int checked = ExpectStretchedQuarters(shown, whole, 121, 260, name);
        EXPECT_GT(checked, shown.width * shown.height / 2) << name;
        EXPECT_EQ(shown.At(0, 0), QuarterColour(0)) << name;
        EXPECT_EQ(shown.At(shown.width - 1, shown.height - 1), QuarterColour(3)) << name;
        SaveCapture(CaptureClient(page), "page-" + name);
        DestroyWindow(page);
        page = nullptr;
    }
};

} // namespace

TEST_F(SidePicture, WelcomePage) {
    ExpectSidePicture(IDD_WELCOME, WelcomePageProc, "welcome");
}

TEST_F(SidePicture, DestinationPage) {
    ExpectSidePicture(IDD_DESTINATION, DestinationPageProc, "destination");
}

TEST_F(SidePicture, SetupTypePage) {
    ExpectSidePicture(IDD_SETUP_TYPE, SetupTypePageProc, "setup-type");
}

TEST_F(SidePicture, ProgramGroupPage) {
    ExpectSidePicture(IDD_PROGRAM_GROUP, ProgramGroupPageProc, "program-group");
}

TEST_F(SidePicture, ProgramsOwnPictureWhenTheScriptNamesNone) {
    script.sideBitmap.Assign("");
    EXPECT_FALSE(LoadBackgroundImages(mainWindow, script, {"", ""}));
    // The start-up hands the loaded picture to the pages.
    sidePicture = std::move(SideImage());
    ASSERT_TRUE(sidePicture.deviceBitmap);
    OpenPage(IDD_WELCOME, WelcomePageProc);
    ASSERT_NE(page, nullptr);
    const HWND side = GetDlgItem(page, IDC_SIDE_BITMAP);
    UpdateWindow(page);
    Answers();
    // The resource stretched over the control: its corners at the control's corners.
    const Capture resource = CaptureBitmap(sidePicture.deviceBitmap.get());
    const Capture shown = CaptureClient(side);
    EXPECT_EQ(shown.At(0, 0), resource.At(0, 0));
    EXPECT_EQ(shown.At(shown.width - 1, shown.height - 1),
              resource.At(resource.width - 1, resource.height - 1));
}

TEST_F(SidePicture, WithoutPictureTheControlStaysEmpty) {
    sidePicture = BitmapImage{};
    OpenPage(IDD_WELCOME, WelcomePageProc);
    ASSERT_NE(page, nullptr);
    UpdateWindow(page);
    Answers();
    // Painted by the static itself: the dialog's face colour, no picture.
    const Capture shown = CaptureClient(GetDlgItem(page, IDC_SIDE_BITMAP));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const std::uint32_t expected = Colour(GetRValue(face), GetGValue(face), GetBValue(face));
    ExpectPixels(
        shown, [expected](int, int) { return expected; }, "empty side control");
}

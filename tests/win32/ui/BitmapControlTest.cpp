#include "ui/BitmapControl.h"

#include "PictureTestSupport.h"
#include "script/SetupError.h"

#include <gtest/gtest.h>

#include <string>

// Billboards in a stand-in MainWindow over its gradient (style 4, no background picture), shown
// and hidden as the install list does, checked by where the control is and by the pixels of
// MainWindow's client area.

namespace {

class Billboard : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        UseBackground(4);
        control = CreateBitmapControl(window);
        ASSERT_NE(control, nullptr);
        billboard = control;
    }

    std::string Picture(const std::string& name, const TestPicture& picture) {
        const std::string path = folder + name;
        WriteTestFile(path, EncodeBmp(picture, FileHeader::With));
        return path;
    }

    // The control's window rectangle in MainWindow's client coordinates.
    RECT Placed() const {
        RECT rect{};
        GetWindowRect(control->window, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // Where the picture is painted: the control's client area, in MainWindow's coordinates.
    RECT PictureArea() const {
        RECT rect{};
        GetClientRect(control->window, &rect);
        MapWindowPoints(control->window, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    // The window is pictureWidth x pictureHeight, centred by the rule: each half of client
    // and picture size truncated on its own.
    void ExpectCentred(int pictureWidth, int pictureHeight, int line) {
        RECT client{};
        GetClientRect(window, &client);
        const RECT placed = Placed();
        EXPECT_EQ(placed.left, client.right / 2 - pictureWidth / 2) << "line " << line;
        EXPECT_EQ(placed.top, client.bottom / 2 - pictureHeight / 2) << "line " << line;
        EXPECT_EQ(placed.right - placed.left, pictureWidth) << "line " << line;
        EXPECT_EQ(placed.bottom - placed.top, pictureHeight) << "line " << line;
    }

    // The stretched quarters inside the control, the gradient everywhere outside it.
    void ExpectShown(const Capture& shown, int pictureWidth, int pictureHeight,
                     const std::string& what) {
        EXPECT_GT(ExpectStretchedQuarters(shown, PictureArea(), pictureWidth, pictureHeight, what),
                  0);
        ExpectGradientOutside(shown, Placed(), what);
    }

    static void ExpectGradientOutside(const Capture& shown, const RECT& excluded,
                                      const std::string& what) {
        const int height = shown.height;
        ExpectPixels(
            shown, [height](int, int y) { return GradientColour(y, height); }, what + " outside",
            [&excluded](int x, int y) {
                return x < excluded.left || x >= excluded.right || y < excluded.top ||
                       y >= excluded.bottom;
            });
    }

    BitmapControl* control = nullptr;
};

} // namespace

TEST_F(Billboard, ControlStartsHiddenAndEmpty) {
    char className[32] = {};
    GetClassNameA(control->window, className, sizeof className);
    EXPECT_STREQ(className, "DynaBitmap");
    EXPECT_FALSE(IsWindowVisible(control->window));
    EXPECT_EQ(GetParent(control->window), window);
    const RECT placed = Placed();
    EXPECT_EQ(placed.left, 10);
    EXPECT_EQ(placed.top, 10);
    EXPECT_EQ(placed.right - placed.left, 10);
    ASSERT_NE(control->image, nullptr);
    EXPECT_FALSE(control->image->deviceBitmap);
    const Capture shown = Repaint();
    ExpectGradientOutside(shown, RECT{}, "no billboard");
}

TEST_F(Billboard, PictureIsShownCentred) {
    EXPECT_FALSE(ShowBillboard(control, Picture("one.bmp", QuarterPicture(200, 150)).c_str()));
    EXPECT_TRUE(IsWindowVisible(control->window));
    ExpectCentred(200, 150, __LINE__);
    const Capture shown = Repaint();
    ExpectShown(shown, 200, 150, "billboard");
    SaveCapture(shown, "billboard");
}

TEST_F(Billboard, LargerPictureThanTheWindowIsPlacedAtNegativeCoordinates) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right + 101;
    const int height = client.bottom + 61;
    EXPECT_FALSE(
        ShowBillboard(control, Picture("large.bmp", QuarterPicture(width, height)).c_str()));
    ExpectCentred(width, height, __LINE__);
    EXPECT_LT(Placed().left, 0);
    EXPECT_LT(Placed().top, 0);
    const Capture shown = Repaint();
    // The picture covers the whole client area, its middle at the middle of it.
    const int checked = ExpectStretchedQuarters(shown, PictureArea(), width, height, "large");
    EXPECT_GT(checked, shown.width * shown.height * 8 / 10);
    EXPECT_EQ(shown.At(0, 0), QuarterColour(0));
    EXPECT_EQ(shown.At(shown.width - 1, shown.height - 1), QuarterColour(3));
    SaveCapture(shown, "billboard-large");
}

TEST_F(Billboard, LaterPictureReplacesTheEarlierOne) {
    EXPECT_FALSE(ShowBillboard(control, Picture("first.bmp", QuarterPicture(300, 200)).c_str()));
    EXPECT_FALSE(ShowBillboard(control, Picture("second.bmp", QuarterPicture(90, 60)).c_str()));
    EXPECT_TRUE(IsWindowVisible(control->window));
    ExpectCentred(90, 60, __LINE__);
    EXPECT_EQ(control->image->width, 90);
    // Nothing of the first picture is left around the second.
    ExpectShown(Repaint(), 90, 60, "second billboard");
}

TEST_F(Billboard, HideBitmapHidesIt) {
    EXPECT_FALSE(ShowBillboard(control, Picture("shown.bmp", QuarterPicture(120, 80)).c_str()));
    HideBillboard(control);
    EXPECT_FALSE(IsWindowVisible(control->window));
    ExpectGradientOutside(Repaint(), RECT{}, "hidden billboard");
}

TEST_F(Billboard, ResizedMainWindowCentresItAgain) {
    EXPECT_FALSE(ShowBillboard(control, Picture("moving.bmp", QuarterPicture(160, 100)).c_str()));
    SetClientSize(500, 300);
    ExpectCentred(160, 100, __LINE__);
    ExpectShown(Repaint(), 160, 100, "after the first resize");
    SetClientSize(351, 237);
    ExpectCentred(160, 100, __LINE__);
    ExpectShown(Repaint(), 160, 100, "after the second resize");
}

TEST_F(Billboard, FileThatIsNotAPictureShowsTheEmptyControlCentred) {
    EXPECT_FALSE(ShowBillboard(control, Picture("shown.bmp", QuarterPicture(120, 80)).c_str()));
    const std::string path = folder + "notes.bmp";
    WriteTestFile(path, {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't'});
    EXPECT_FALSE(ShowBillboard(control, path.c_str()));
    // Shown whatever the load gave, placed by the rule for an empty picture: its top-left
    // corner at the middle of the client area; the earlier picture is gone.
    EXPECT_TRUE(IsWindowVisible(control->window));
    EXPECT_FALSE(control->image->deviceBitmap);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(Placed().left, client.right / 2);
    EXPECT_EQ(Placed().top, client.bottom / 2);
}

TEST_F(Billboard, MissingFileFailsAndHidesTheBillboard) {
    EXPECT_FALSE(ShowBillboard(control, Picture("shown.bmp", QuarterPicture(120, 80)).c_str()));
    const std::string path = folder + "missing.bmp";
    const Failure failure = ShowBillboard(control, path.c_str());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(IsWindowVisible(control->window));
}

TEST_F(Billboard, DestroyingMainWindowFreesTheControl) {
    EXPECT_FALSE(ShowBillboard(control, Picture("last.bmp", QuarterPicture(50, 50)).c_str()));
    const HWND shown = control->window;
    billboard = nullptr;
    DestroyWindow(window);
    window = nullptr;
    EXPECT_FALSE(IsWindow(shown));
}

TEST_F(Billboard, WindowWithoutControlIsRefused) {
    const HWND orphan = CreateWindowExA(0, "DynaBitmap", "", WS_CHILD, 0, 0, 10, 10, window,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(orphan, nullptr);
}

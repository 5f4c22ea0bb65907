#include "ui/WindowPlacement.h"

#include "TestWindows.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

HWND MakeWindow(DWORD style, HWND owner, int x, int y, int width, int height) {
    return CreateWindowA(PlainTestWindowClass(), "", style, x, y, width, height, owner, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

POINT TopLeft(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

class WindowPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        owner = MakeWindow(WS_OVERLAPPEDWINDOW, nullptr, 100, 50, 600, 400);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    HWND owner = nullptr;
};

} // namespace

TEST_F(WindowPlacement, PageVariantUsesTheCentredOffsetAsScreenPosition) {
    HWND page = MakeWindow(WS_POPUP, owner, 0, 0, 200, 100);
    CentreOverParent(page, CentreVariant::Page);
    const POINT at = TopLeft(page);
    EXPECT_EQ(at.x, 200);
    EXPECT_EQ(at.y, 150);
    DestroyWindow(page);
}

TEST_F(WindowPlacement, PopupVariantCentresOverTheOwnersClientArea) {
    HWND popup = MakeWindow(WS_POPUP | WS_CAPTION, owner, 0, 0, 200, 100);
    CentreOverParent(popup, CentreVariant::Popup);
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    EXPECT_GE(origin.x, 100);
    EXPECT_GE(origin.y, 50);
    const POINT at = TopLeft(popup);
    EXPECT_EQ(at.x, 200 + origin.x);
    EXPECT_EQ(at.y, 150 + origin.y);
    DestroyWindow(popup);
}

TEST_F(WindowPlacement, SizeStaysAndTheScreenEdgeIsKept) {
    // A plain popup owner, which may be wider than the screen (a framed window is held to it).
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    HWND wideOwner = MakeWindow(WS_POPUP, nullptr, 0, 0, screenWidth * 2, 400);
    HWND wide = MakeWindow(WS_POPUP, wideOwner, 0, 0, 900, 100);
    CentreOverParent(wide, CentreVariant::Page);
    RECT rect{};
    GetWindowRect(wide, &rect);
    EXPECT_EQ(rect.right, screenWidth);
    EXPECT_EQ(rect.right - rect.left, 900);
    EXPECT_EQ(rect.bottom - rect.top, 100);
    DestroyWindow(wide);
    DestroyWindow(wideOwner);
}

TEST_F(WindowPlacement, WindowWithoutOwnerStaysWhereItIs) {
    HWND alone = MakeWindow(WS_POPUP, nullptr, 30, 40, 200, 100);
    CentreOverParent(alone, CentreVariant::Popup);
    CentreOverParent(alone, CentreVariant::Page);
    const POINT at = TopLeft(alone);
    EXPECT_EQ(at.x, 30);
    EXPECT_EQ(at.y, 40);
    DestroyWindow(alone);
}

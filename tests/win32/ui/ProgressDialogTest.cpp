#include "ui/ProgressDialog.h"

#include "PromptTest.h"
#include "engine/MessagePump.h"
#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"

#include <cstdio>
#include <vector>

namespace {

constexpr COLORREF kBar = RGB(50, 0, 255);

class ProgressDialogTest : public PromptTest {
protected:
    void SetUp() override {
        PromptTest::SetUp();
        ShowWindow(mainWindow, SW_RESTORE);
        SetWindowPos(mainWindow, HWND_TOP, 20, 10, 760, 560, 0);
        UpdateWindow(mainWindow);
        PumpMessages();
    }
};

// The bar as it is on the screen: its client area, read back from the window.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

Capture CaptureClient(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    Capture capture;
    capture.width = client.right;
    capture.height = client.bottom;
    HDC windowDc = GetDC(window);
    HDC memory = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, capture.width, capture.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, windowDc, 0, 0, SRCCOPY);
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            capture.pixels.push_back(GetPixel(memory, x, y) & 0xFFFFFF);
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, windowDc);
    return capture;
}

// Keeps a picture of the window (24-bit BMP) in the test's working directory.
void SavePicture(HWND window, const char* name) {
    const Capture capture = CaptureClient(window);
    const int rowBytes = (capture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = capture.width;
    info.biHeight = capture.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * capture.height);
    FILE* out = std::fopen(name, "wb");
    ASSERT_NE(out, nullptr) << name;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::vector<unsigned char> row(static_cast<std::size_t>(rowBytes));
    for (int y = capture.height - 1; y >= 0; --y) {
        for (int x = 0; x < capture.width; ++x) {
            const COLORREF colour = capture.At(x, y);
            row[static_cast<std::size_t>(x * 3)] = GetBValue(colour);
            row[static_cast<std::size_t>(x * 3 + 1)] = GetGValue(colour);
            row[static_cast<std::size_t>(x * 3 + 2)] = GetRValue(colour);
        }
        std::fwrite(row.data(), row.size(), 1, out);
    }
    std::fclose(out);
}

// The columns of the bar's top row in the bar colour, counted from the left: the row lies above
// the label, so it shows the fill alone.
int FilledColumns(const Capture& bar) {
    int filled = 0;
    while (filled < bar.width && bar.At(filled, 0) == kBar) {
        ++filled;
    }
    return filled;
}

bool RowIs(const Capture& bar, int y, int from, int to, COLORREF colour) {
    for (int x = from; x < to; ++x) {
        if (bar.At(x, y) != colour) {
            return false;
        }
    }
    return true;
}

void ExpectCorner(HWND dialog, HWND owner) {
    RECT ownerRect;
    RECT dialogRect;
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(dialog, &dialogRect);
    EXPECT_EQ(dialogRect.right, ownerRect.right - 8 * GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(dialogRect.bottom, ownerRect.bottom - 8 * GetSystemMetrics(SM_CYDLGFRAME));
}

} // namespace

TEST_F(ProgressDialogTest, SitsInTheOwnersLowerRightCornerAndStaysThere) {
    ProgressRecord progress(mainWindow, 3);
    ASSERT_NE(progress.Window(), nullptr);
    EXPECT_EQ(GetParent(progress.Window()), mainWindow);
    EXPECT_TRUE(IsWindowVisible(progress.Window()));
    ExpectCorner(progress.Window(), mainWindow);

    SetWindowPos(mainWindow, nullptr, 60, 40, 640, 500, SWP_NOZORDER);
    PlaceProgressDialog(progress.Window());
    ExpectCorner(progress.Window(), mainWindow);
}

TEST_F(ProgressDialogTest, ShowsTheFilesOfTheNotice) {
    ProgressRecord progress(mainWindow, 1);
    NotifyProgressFiles(progress.Window(), "A:\\BIN\\TOOL.EX_", "C:\\APP\\TOOL.EXE");
    EXPECT_EQ(Person::Text(progress.Window(), IDC_SOURCE_FILE), "A:\\BIN\\TOOL.EX_");
    EXPECT_EQ(Person::Text(progress.Window(), IDC_DESTINATION_FILE), "C:\\APP\\TOOL.EXE");
    // Without a window the notice goes nowhere.
    NotifyProgressFiles(nullptr, "x", "y");
}

TEST_F(ProgressDialogTest, TheBarFillsWithTheFinishedItems) {
    ProgressRecord progress(mainWindow, 4);
    const HWND bar = GetDlgItem(progress.Window(), IDC_PROGRESS_BAR);
    const COLORREF window = GetSysColor(COLOR_WINDOW) & 0xFFFFFF;
    PumpMessages();

    Capture capture = CaptureClient(bar);
    ASSERT_GT(capture.width, 100);
    EXPECT_EQ(FilledColumns(capture), 0);
    EXPECT_TRUE(RowIs(capture, 0, 0, capture.width, window));
    SavePicture(bar, "progress-bar-0.bmp");

    progress.Step();
    progress.Step();
    capture = CaptureClient(bar);
    EXPECT_EQ(FilledColumns(capture), capture.width / 2);
    EXPECT_TRUE(RowIs(capture, 0, capture.width / 2, capture.width, window));
    SavePicture(bar, "progress-bar-50.bmp");

    progress.Step();
    progress.Step();
    capture = CaptureClient(bar);
    EXPECT_EQ(FilledColumns(capture), capture.width);
    SavePicture(bar, "progress-bar-100.bmp");
    // The label "100%" is drawn in the window colour on the bar: the middle row has both.
    int labelPixels = 0;
    for (int x = 0; x < capture.width; ++x) {
        labelPixels += capture.At(x, capture.height / 2) == window;
    }
    EXPECT_GT(labelPixels, 0);

    // A step past the total does not repaint; a repaint for another reason stays at 100%.
    progress.Step();
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
    EXPECT_EQ(FilledColumns(CaptureClient(bar)), capture.width);
}

TEST_F(ProgressDialogTest, CancelSetsTheFlagWithoutAQuestion) {
    ProgressRecord progress(mainWindow, 2);
    EXPECT_FALSE(progress.Cancelled());
    SendMessageA(GetDlgItem(progress.Window(), IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(progress.Cancelled());
    EXPECT_TRUE(IsWindowVisible(progress.Window()));
}

TEST_F(ProgressDialogTest, TheMainWindowsCloseRequestCountsAsCancelAtTheNextStep) {
    ProgressRecord progress(mainWindow, 2);
    PostMessageA(progress.Window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(progress.Cancelled());
    progress.Step();
    EXPECT_TRUE(progress.Cancelled());
}

TEST_F(ProgressDialogTest, EndingTheRecordDestroysTheWindow) {
    HWND window = nullptr;
    {
        ProgressRecord progress(mainWindow, 0);
        window = progress.Window();
        ASSERT_TRUE(IsWindow(window));
        // A pass of no items paints 0%.
        const HWND bar = GetDlgItem(window, IDC_PROGRESS_BAR);
        PumpMessages();
        EXPECT_EQ(FilledColumns(CaptureClient(bar)), 0);
    }
    EXPECT_FALSE(IsWindow(window));
}

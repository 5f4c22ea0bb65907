#include "PictureTestSupport.h"

#include "ui/BitmapControl.h"
#include "ui/BitmapImage.h"
#include "ui/MainWindowPainting.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// What the stand-in MainWindow paints and keeps centred: the state of the test that runs.
const SetupScript* g_paintedScript = nullptr;
const BitmapControl* const* g_centredControl = nullptr;

// Paints and sizes as MainWindow does: the backdrop from the script, the billboard centred
// again on every size or move.
LRESULT CALLBACK StandInMainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (g_paintedScript && PaintMainWindow(window, *g_paintedScript)) {
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (g_paintedScript &&
            EraseMainBackground(window, reinterpret_cast<HDC>(wParam), *g_paintedScript)) {
            return 1;
        }
        break;
    case WM_SIZE:
    case WM_MOVE:
        InvalidateRect(window, nullptr, TRUE);
        if (g_centredControl && *g_centredControl) {
            CentreBitmapControl(**g_centredControl);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

constexpr char kStandInClass[] = "PictureTestMain";

bool RegisterStandInClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = StandInMainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kStandInClass;
    return RegisterClassA(&windowClass) != 0;
}

Capture FromDc(HDC source, int x, int y, int width, int height) {
    Capture capture;
    capture.width = width;
    capture.height = height;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(source);
    if (!section || !memory || !bits) {
        ADD_FAILURE() << "no bitmap to read " << width << "x" << height << " pixels into";
        return capture;
    }
    const HGDIOBJ old = SelectObject(memory, section);
    EXPECT_TRUE(BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY));
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : capture.pixels) {
        pixel &= 0xFFFFFF;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    return capture;
}

std::string ShotFolder() {
    CreateDirectoryA("picture-shots", nullptr);
    return "picture-shots\\";
}

} // namespace

Capture CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    Capture capture = FromDc(dc, 0, 0, client.right, client.bottom);
    ReleaseDC(window, dc);
    return capture;
}

Capture CaptureBitmap(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(memory, bitmap);
    Capture capture = FromDc(memory, 0, 0, info.bmWidth, info.bmHeight);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

void SaveCapture(const Capture& capture, const std::string& name) {
    TestPicture picture;
    picture.width = capture.width;
    picture.height = capture.height;
    picture.bitCount = 24;
    picture.pixel = [&capture](int x, int y) { return capture.At(x, y); };
    WriteTestFile(ShotFolder() + name + ".bmp", EncodeBmp(picture, FileHeader::With));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    GdiFlush();
}

void WriteTestFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ASSERT_EQ(std::fclose(file), 0) << path;
    ASSERT_TRUE(written) << path;
}

std::uint32_t PatternColour(int x, int y) {
    return Colour((x * 7) % 256, (y * 11) % 256, ((x + y) * 5 + 40) % 256);
}

TestPicture PatternPicture(int width, int height) {
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = 24;
    picture.pixel = [](int x, int y) { return PatternColour(x, y); };
    return picture;
}

std::uint32_t QuarterColour(int quarter) {
    constexpr std::uint32_t kColours[] = {Colour(255, 0, 0), Colour(0, 255, 0), Colour(255, 255, 0),
                                          Colour(255, 0, 255)};
    return kColours[quarter];
}

TestPicture QuarterPicture(int width, int height) {
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = 4;
    for (int i = 0; i < 4; ++i) {
        const std::uint32_t colour = QuarterColour(i);
        picture.table.push_back({static_cast<std::uint8_t>(colour >> 16),
                                 static_cast<std::uint8_t>(colour >> 8),
                                 static_cast<std::uint8_t>(colour)});
    }
    picture.colorsUsed = 4;
    picture.pixel = [width, height](int x, int y) {
        return static_cast<std::uint32_t>((x >= width / 2 ? 1 : 0) + (y >= height / 2 ? 2 : 0));
    };
    return picture;
}

bool LetteringIsBlack(int x, int y) {
    // Three strokes: a bar, a post and a diagonal, none touching the picture's edges.
    const bool bar = y >= 4 && y < 9 && x >= 4 && x < 40;
    const bool post = x >= 20 && x < 25 && y >= 4 && y < 30;
    const bool diagonal =
        x >= 30 && x < 56 && y >= 10 && y < 30 && std::abs((x - 30) - (y - 10)) < 3;
    return bar || post || diagonal;
}

TestPicture LetteringPicture(int width, int height) {
    TestPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bitCount = 1;
    picture.table = {{0, 0, 0}, {255, 255, 255}};
    picture.pixel = [](int x, int y) { return LetteringIsBlack(x, y) ? 0u : 1u; };
    return picture;
}

int GradientBlue(int y, int height) {
    const int bandHeight = height / 63;
    const int band = bandHeight > 0 ? std::min(y / bandHeight, 62) : y;
    return 255 - 3 * band;
}

void ExpectPixels(const Capture& capture, const PixelRule& expected, const std::string& what,
                  const std::function<bool(int x, int y)>& where) {
    ASSERT_GT(capture.width, 0) << what;
    ASSERT_GT(capture.height, 0) << what;
    int wrong = 0;
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            if (where && !where(x, y)) {
                continue;
            }
            if (capture.At(x, y) != expected(x, y) && ++wrong <= 5) {
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex
                              << capture.At(x, y) << ", expected " << expected(x, y);
            }
        }
    }
    EXPECT_EQ(wrong, 0) << what << ": pixels that differ from the rule";
}

int ExpectStretchedQuarters(const Capture& capture, const RECT& area, int pictureWidth,
                            int pictureHeight, const std::string& what) {
    const double scaleX = static_cast<double>(area.right - area.left) / pictureWidth;
    const double scaleY = static_cast<double>(area.bottom - area.top) / pictureHeight;
    const double seamX = pictureWidth / 2;
    const double seamY = pictureHeight / 2;
    int checked = 0;
    int wrong = 0;
    for (int y = std::max<int>(area.top, 0); y < std::min<int>(area.bottom, capture.height); ++y) {
        for (int x = std::max<int>(area.left, 0); x < std::min<int>(area.right, capture.width);
             ++x) {
            // The source pixel this one is taken from; near a seam the stretch may blend.
            const double sourceX = (x - area.left + 0.5) / scaleX;
            const double sourceY = (y - area.top + 0.5) / scaleY;
            if (std::abs(sourceX - seamX) < 1.5 || std::abs(sourceY - seamY) < 1.5) {
                continue;
            }
            const int quarter = (sourceX > seamX ? 1 : 0) + (sourceY > seamY ? 2 : 0);
            ++checked;
            if (capture.At(x, y) != QuarterColour(quarter) && ++wrong <= 5) {
                ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex
                              << capture.At(x, y) << ", expected " << QuarterColour(quarter);
            }
        }
    }
    EXPECT_EQ(wrong, 0) << what << ": pixels that differ from the stretched quarters";
    return checked;
}

void MainWindowTest::SetUp() {
    static const bool registered = RegisterStandInClass();
    ASSERT_TRUE(registered);
    g_paintedScript = &script;
    g_centredControl = &billboard;
    window = CreateWindowExA(0, kStandInClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    folder = ScratchDirectory("main-window-test");
}

void MainWindowTest::TearDown() {
    MainBackgroundImage() = BitmapImage{};
    SideImage() = BitmapImage{};
    if (window && IsWindow(window)) {
        DestroyWindow(window);
    }
    PumpMessages();
    g_paintedScript = nullptr;
    g_centredControl = nullptr;
}

void MainWindowTest::UseBackground(std::uint8_t style, const TestPicture* picture) {
    script.BackgroundStyle = style;
    if (!picture) {
        return;
    }
    const std::string path = folder + "BACK.BMP";
    WriteTestFile(path, EncodeBmp(*picture, FileHeader::With));
    script.backgroundBitmap.Assign("BACK.BMP");
    ASSERT_FALSE(LoadBitmapFile(MainBackgroundImage(), path.c_str()));
    ASSERT_TRUE(MainBackgroundImage().deviceBitmap);
}

Capture MainWindowTest::Repaint() {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    PumpMessages();
    return CaptureClient(window);
}

void MainWindowTest::SetClientSize(int width, int height) {
    ShowWindow(window, SW_SHOWNORMAL);
    RECT frame{};
    RECT client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const int extraWidth = (frame.right - frame.left) - client.right;
    const int extraHeight = (frame.bottom - frame.top) - client.bottom;
    SetWindowPos(window, nullptr, 0, 0, width + extraWidth, height + extraHeight,
                 SWP_NOZORDER | SWP_NOMOVE);
    PumpMessages();
    GetClientRect(window, &client);
    ASSERT_EQ(client.right, width);
    ASSERT_EQ(client.bottom, height);
}

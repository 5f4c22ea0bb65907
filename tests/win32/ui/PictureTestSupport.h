#pragma once

#include "TestFiles.h"
#include "script/ScriptModel.h"
#include "support/BmpBuilder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Pixels read back from the screen or from a bitmap, and the pictures the painting tests
// show. Colours are 0xRRGGBB.

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // top row first

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

constexpr std::uint32_t Colour(int red, int green, int blue) {
    return static_cast<std::uint32_t>((red << 16) | (green << 8) | blue);
}

// The client area of window as it shows (child windows included), read from its device
// context.
Capture CaptureClient(HWND window);

// A device bitmap's pixels.
Capture CaptureBitmap(HBITMAP bitmap);

// Keeps a capture as picture-shots/NAME.bmp below the test's working directory.
void SaveCapture(const Capture& capture, const std::string& name);

// Delivers what is queued, painting included.
void PumpMessages();

// Writes bytes to path; fails the test when it cannot.
void WriteTestFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Test pictures: each pixel's colour follows from its position, so expected colours are
// computed rather than stored.
//   A 24-bit picture whose pixel (x, y) is PatternColour(x, y).
TestPicture PatternPicture(int width, int height);
std::uint32_t PatternColour(int x, int y);
//   A 4-bit picture of four solid quarters (top left, top right, bottom left, bottom right).
TestPicture QuarterPicture(int width, int height);
std::uint32_t QuarterColour(int quarter);
//   A 1-bit black-on-white picture: black where LetteringIsBlack(x, y).
TestPicture LetteringPicture(int width, int height);
bool LetteringIsBlack(int x, int y);

// Blue of the main window's gradient at row y of a client area height pixels high: 63 bands
// of height / 63 rows (the last takes the remainder), one band per row under 63 rows, blue
// 255 in the first band and 3 less in each further one.
int GradientBlue(int y, int height);

constexpr std::uint32_t kWhite = Colour(255, 255, 255);
constexpr std::uint32_t kBlack = Colour(0, 0, 0);

inline std::uint32_t GradientColour(int y, int height) {
    return Colour(0, 0, GradientBlue(y, height));
}

using PixelRule = std::function<std::uint32_t(int x, int y)>;

// Compares every pixel of the capture for which `where` holds with the rule; the first few
// differences are named. where defaults to every pixel.
void ExpectPixels(const Capture& capture, const PixelRule& expected, const std::string& what,
                  const std::function<bool(int x, int y)>& where = nullptr);

// The quarters of a QuarterPicture of pictureWidth x pictureHeight stretched over area (in
// capture coordinates, possibly beyond the capture): every pixel of the capture inside the
// area and away from the seams between the quarters has its quarter's colour. Returns the
// number of pixels checked.
int ExpectStretchedQuarters(const Capture& capture, const RECT& area, int pictureWidth,
                            int pictureHeight, const std::string& what);

class BitmapControl;

// A stand-in for MainWindow, shown maximised as the program shows its own: it paints its
// backdrop from the test's script with the main window's painting, and centres the test's
// billboard control again whenever it is sized or moved.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The script's background style, and its picture, loaded as at start-up.
    void UseBackground(std::uint8_t style, const TestPicture* picture = nullptr);

    // Repaints the whole window and reads its client area back.
    Capture Repaint();

    // Restores the window and sizes it so that its client area is width x height.
    void SetClientSize(int width, int height);

    HWND window = nullptr;
    std::string folder; // for the pictures the test writes
    SetupScript script;
    BitmapControl* billboard = nullptr; // centred on every size or move when set
};

#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace robot {

// What a person saw in one message box.
struct SeenBox {
    std::string caption;
    std::string text;
    std::vector<int> buttons; // the ids of its buttons (IDOK, IDYES, IDNO, ...)
    bool ownedByMainWindow = false;
    bool mainWindowMinimised = false; // while the box was shown
    bool exclamationIcon = false;
    int pressed = 0;
};

// A person who answers every message box that the test's thread shows while this object
// lives, in order, pressing the next answer of the list. A box beyond the list is answered
// with IDNO, IDCANCEL or IDOK (whichever it has) and recorded too, so a test sees every box
// that appeared, also the unexpected ones. The boxes are read only after Finish() (GoogleTest
// is built without threads here, so the person checks nothing itself).
class BoxAnswerer {
public:
    BoxAnswerer(HWND mainWindow, std::vector<int> answers);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    // Stops looking for boxes (after a last look) and gives what was seen.
    const std::vector<SeenBox>& Finish();

private:
    void Run();

    DWORD thread_;
    HWND mainWindow_;
    std::vector<int> answers_;
    std::vector<SeenBox> seen_;
    std::atomic<bool> stop_{false};
    std::thread person_;
};

} // namespace robot

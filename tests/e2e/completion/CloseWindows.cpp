// e2e_close_windows: closes the top-level windows of other programs that bear the given
// captions: the folder windows that Wine's shell opens for ShowGroup, which would otherwise stay
// on the shared display.
//   e2e_close_windows.exe [--if-open] CAPTION...
// Waits up to twenty seconds for each caption to appear and up to twenty more for its windows
// to go, closing any that appear meanwhile (a loaded machine may keep the shell busy that long).
// Exit code 0 when every caption was found and closed, 1 otherwise, 64 on bad usage. With
// --if-open a caption that is not there within two seconds counts as closed: after a removal
// that took the group's folder away, the shell may have closed its window itself.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Search {
    std::string caption;
    std::vector<HWND> found;
};

BOOL CALLBACK FindCaption(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() && IsWindowVisible(window) && search.caption == caption) {
        search.found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> Windows(const std::string& caption) {
    Search search{caption, {}};
    EnumWindows(FindCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

constexpr int kTries = 200;      // of 100 ms each
constexpr int kIfOpenTries = 20; // of 100 ms each, with --if-open
constexpr int kQuietTries = 5;   // without a window of the caption, the last ones

int main(int argc, char** argv) {
    const bool ifOpen = argc > 1 && std::string(argv[1]) == "--if-open";
    const int first = ifOpen ? 2 : 1;
    if (argc <= first) {
        std::fprintf(stderr, "usage: e2e_close_windows [--if-open] CAPTION...\n");
        return 64;
    }
    int result = 0;
    for (int i = first; i < argc; ++i) {
        const std::string caption = argv[i];
        std::vector<HWND> windows;
        for (int tries = 0; tries < (ifOpen ? kIfOpenTries : kTries) && windows.empty(); ++tries) {
            windows = Windows(caption);
            if (windows.empty()) {
                Sleep(100);
            }
        }
        if (windows.empty()) {
            std::printf("no window \"%s\"\n", caption.c_str());
            result = ifOpen ? result : 1;
            continue;
        }
        // The shell may still be bringing the folder up: a window of that caption that
        // appears meanwhile is closed too, until none has been seen for half a second.
        int quiet = 0;
        for (int tries = 0; tries < kTries && quiet < kQuietTries; ++tries) {
            for (HWND window : windows) {
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
            Sleep(100);
            windows = Windows(caption);
            quiet = windows.empty() ? quiet + 1 : 0;
        }
        if (quiet < kQuietTries) {
            std::printf("the window \"%s\" did not close\n", caption.c_str());
            result = 1;
        } else {
            std::printf("closed \"%s\"\n", caption.c_str());
        }
    }
    return result;
}

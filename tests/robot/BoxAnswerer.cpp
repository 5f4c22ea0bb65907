#include "BoxAnswerer.h"

#include <cstdio>

namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kCloseWaitMs = 10000;

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::string(className) == "#32770" && IsWindowVisible(window)) {
        reinterpret_cast<Search*>(parameter)->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The box's icon is a static control with SS_ICON (its id differs between Windows and Wine).
BOOL CALLBACK FindExclamation(HWND child, LPARAM parameter) {
    char className[64] = {};
    GetClassNameA(child, className, sizeof className);
    if (std::string(className) == "Static" &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        const auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        if (icon && icon == LoadIconA(nullptr, IDI_EXCLAMATION)) {
            *reinterpret_cast<bool*>(parameter) = true;
        }
    }
    return TRUE;
}

SeenBox Read(HWND box, HWND mainWindow) {
    SeenBox seen;
    seen.caption = WindowText(box);
    // Every message box gives its text the id 0xFFFF.
    seen.text = WindowText(GetDlgItem(box, 0xFFFF));
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        if (GetDlgItem(box, id)) {
            seen.buttons.push_back(id);
        }
    }
    seen.ownedByMainWindow = mainWindow && GetWindow(box, GW_OWNER) == mainWindow;
    seen.mainWindowMinimised = mainWindow && IsIconic(mainWindow);
    EnumChildWindows(box, FindExclamation, reinterpret_cast<LPARAM>(&seen.exclamationIcon));
    return seen;
}

int FallbackAnswer(HWND box) {
    for (int id : {IDNO, IDCANCEL, IDOK}) {
        if (GetDlgItem(box, id)) {
            return id;
        }
    }
    return IDOK;
}

} // namespace

BoxAnswerer::BoxAnswerer(HWND mainWindow, std::vector<int> answers)
    : thread_(GetCurrentThreadId()), mainWindow_(mainWindow), answers_(std::move(answers)),
      person_([this] { Run(); }) {}

BoxAnswerer::~BoxAnswerer() {
    Finish();
}

const std::vector<SeenBox>& BoxAnswerer::Finish() {
    if (person_.joinable()) {
        stop_ = true;
        person_.join();
    }
    return seen_;
}

void BoxAnswerer::Run() {
    for (;;) {
        // One last look after the stop: a box shown just before it is still handled.
        const bool last = stop_;
        Search search;
        EnumThreadWindows(thread_, FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            HWND box = search.found;
            SeenBox seen = Read(box, mainWindow_);
            seen.pressed =
                seen_.size() < answers_.size() ? answers_[seen_.size()] : FallbackAnswer(box);
            if (!GetDlgItem(box, seen.pressed)) {
                seen.pressed = FallbackAnswer(box);
            }
            seen_.push_back(seen);
            PostMessageA(GetDlgItem(box, seen.pressed), BM_CLICK, 0, 0);
            for (DWORD waited = 0; IsWindow(box) && waited < kCloseWaitMs; waited += kPollMs) {
                Sleep(kPollMs);
            }
            if (IsWindow(box)) {
                std::fprintf(stderr, "the box \"%s\" did not close\n", seen.caption.c_str());
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), 99);
            }
            continue;
        }
        if (last) {
            return;
        }
        Sleep(kPollMs);
    }
}

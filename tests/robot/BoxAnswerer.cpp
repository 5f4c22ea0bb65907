#include "robot/BoxAnswerer.h"

#include "robot/Buttons.h"
#include "robot/Finding.h"
#include "robot/Waiting.h"
#include "robot/Windows.h"

#include <cstdio>

namespace robot {

namespace {

constexpr DWORD kCloseWaitMs = 10000;

// The box's icon is a static control with SS_ICON (its id differs between Windows and Wine).
BOOL CALLBACK FindExclamation(HWND child, LPARAM parameter) {
    if (IsClass(child, "Static") && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
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
    const HWND text = GetDlgItem(box, 0xFFFF);
    seen.text = text ? WindowText(text) : std::string();
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
        if (const HWND box = FindWindowOf(Scope::Thread(thread_), Wanted::AnyDialog())) {
            SeenBox seen = Read(box, mainWindow_);
            seen.pressed =
                seen_.size() < answers_.size() ? answers_[seen_.size()] : FallbackAnswer(box);
            if (!GetDlgItem(box, seen.pressed)) {
                seen.pressed = FallbackAnswer(box);
            }
            seen_.push_back(seen);
            Press(box, seen.pressed);
            if (!WaitUntilClosed(box, kCloseWaitMs)) {
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

} // namespace robot

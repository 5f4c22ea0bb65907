#include "robot/Finding.h"

#include "robot/Waiting.h"
#include "robot/Windows.h"

namespace robot {

namespace {

struct Search {
    const Wanted& wanted;
    HWND found = nullptr;
};

bool Matches(HWND window, const Wanted& wanted) {
    if (!IsWindowVisible(window)) {
        return false;
    }
    if (wanted.className && WindowClass(window) != *wanted.className) {
        return false;
    }
    return !wanted.caption || WindowText(window) == *wanted.caption;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    if (Matches(window, search.wanted)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindWindowOf(Scope scope, const Wanted& wanted) {
    if (scope.kind == Scope::Kind::Process) {
        for (const HWND window : ProcessWindows(scope.id)) {
            if (Matches(window, wanted)) {
                return window;
            }
        }
        return nullptr;
    }
    Search search{wanted};
    EnumThreadWindows(scope.id, MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(Scope scope, const Wanted& wanted, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(timeoutMs, [&] { return (found = FindWindowOf(scope, wanted)) != nullptr; });
    return found;
}

bool WaitUntilClosed(HWND window, DWORD timeoutMs, Closed closed) {
    return WaitUntil(timeoutMs, [&] {
        return !IsWindow(window) ||
               (closed == Closed::HiddenOrDestroyed && !IsWindowVisible(window));
    });
}

} // namespace robot

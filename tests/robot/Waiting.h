#pragma once

#include <windows.h>

namespace robot {

// How often a wait looks again. Short, because every test sits through the remainder of the
// interval after what it waits for has happened; a look costs a window enumeration.
inline constexpr DWORD kPollMs = 20;

// Whether the tick count has reached deadline (GetTickCount wraps after 49 days).
inline bool TimeReached(DWORD deadline) {
    return static_cast<LONG>(GetTickCount() - deadline) >= 0;
}

// Looks at check until it holds or timeoutMs have passed; returns whether it held. Every wait
// of the robot has a time-out: a window that never comes fails a test, it does not hang it.
template <typename Check> bool WaitUntil(DWORD timeoutMs, Check check) {
    const DWORD deadline = GetTickCount() + timeoutMs;
    for (;;) {
        if (check()) {
            return true;
        }
        if (TimeReached(deadline)) {
            return false;
        }
        Sleep(kPollMs);
    }
}

} // namespace robot

#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace robot {

// Where a window is looked for: among the top-level windows of one thread (the prompts that
// a test's own thread shows) or of one process (the program under test).
struct Scope {
    enum class Kind { Thread, Process };
    Kind kind;
    DWORD id;

    static Scope Thread(DWORD threadId) { return {Kind::Thread, threadId}; }
    static Scope Process(DWORD processId) { return {Kind::Process, processId}; }
};

// What the wanted window looks like; an empty field matches any window. Only visible windows
// are found: a person cannot answer a hidden one.
struct Wanted {
    std::optional<std::string> caption;
    std::optional<std::string> className;

    static Wanted Dialog(const std::string& caption) { return {caption, "#32770"}; }
    static Wanted AnyDialog() { return {std::nullopt, "#32770"}; }
};

// The first visible top-level window of the scope that matches; nullptr when none does.
HWND FindWindowOf(Scope scope, const Wanted& wanted);

// The same, looked for until it appears or timeoutMs have passed (then nullptr).
HWND WaitForWindow(Scope scope, const Wanted& wanted, DWORD timeoutMs);

// What counts as closed: a modal dialog is hidden before it is destroyed, and a person sees
// it gone once it is hidden.
enum class Closed { Destroyed, HiddenOrDestroyed };

// Waits until window is closed; false when it is still there after timeoutMs.
bool WaitUntilClosed(HWND window, DWORD timeoutMs, Closed closed = Closed::Destroyed);

} // namespace robot

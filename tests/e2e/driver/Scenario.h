#pragma once

#include <optional>
#include <string>
#include <vector>

// A scenario: what a person does with the program under test and what they expect to see, one
// step per line. The grammar is described in tests/e2e/README.md; this is its parsed form.

// A control of the current window, named by its id or by its text (for buttons: the caption
// with '&' and the decoration around the words left out, so "Next" names "&Next >").
struct ControlRef {
    enum class Kind { Id, Text, Message };
    Kind kind = Kind::Id;
    int id = 0;
    std::string text;

    std::string Describe() const;
};

// Which top-level window of the program a wait looks for. All given criteria must hold.
struct WindowQuery {
    std::optional<std::string> caption;     // caption equals
    std::optional<std::string> className;   // window class equals
    std::optional<std::string> staticText;  // a static control's text contains
    std::optional<int> controlId;           // a control with this id exists
    bool dialog = false;                    // a dialog (class #32770): page, dialog or box
    bool messageBox = false;                // a message box (its text is in messageText)
    std::optional<std::string> messageText; // the message box's text equals

    std::string Describe() const;
};

enum class Verb {
    Timeout,        // number: default time-out in seconds
    WaitWindow,     // query
    WaitClosed,     // the current window goes away
    ExpectWindow,   // query: such a window is shown (enabled or not); the current one stays
    ExpectNoWindow, // query: no such window is shown
    ExpectCaption,  // text
    ExpectText,     // control, text, contains
    ExpectState,    // control, state
    ExpectSelected, // control, text or index
    ExpectCount,    // control, number: entries of a list or combo box
    ExpectExit,     // number: exit code
    Type,           // control, text: WM_SETTEXT
    Keys,           // control, text: one WM_CHAR per character
    Check,          // control
    Uncheck,        // control
    Choose,         // control
    Select,         // control, text or index, doubleClick
    Click,          // control
    ClickAt,        // control, point or entry (+ x)
    Key,            // keys, delivery
    Focus,          // control
    Close,          //
    Shot,           // text: file name; screen
    Dump,           //
    Insert,         // text: the folder the disk drive shows from now on; empty: eject
    WaitFile,       // text: a path (wildcards allowed), number: its least size in bytes
    Run,            // text: a command that the runner runs on the host
    Kill,           // ends the program at once, as a crash or a power cut would
    Start,          // starts the program again once it has ended
    Autopilot,      // answers every window with its default until the program ends
};

enum class ControlState { Enabled, Disabled, Checked, Unchecked, Visible, Hidden, Focused };

// How keystrokes reach the program: posted to the focused control's queue, or injected as
// input into the window that the driver brings to the foreground.
enum class KeyDelivery { Post, Input };

// One key stroke: a virtual-key code and the modifiers held down with it.
struct KeyStroke {
    int virtualKey = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
    std::string name;
};

struct Step {
    int line = 0;
    std::string source; // the line as written, for the transcript
    Verb verb = Verb::Dump;
    WindowQuery query;
    ControlRef control;
    std::string text;
    bool contains = false;
    bool doubleClick = false;
    bool screen = false;
    ControlState state = ControlState::Enabled;
    std::vector<KeyStroke> keys;
    KeyDelivery delivery = KeyDelivery::Post;
    int number = 0;
    std::optional<int> index; // a list entry by its index (from 0) instead of its text
    std::optional<int> entry; // click: the list entry to click on
    std::optional<int> x;     // click: client coordinates (y only without entry)
    std::optional<int> y;
    std::optional<int> timeoutSeconds; // per-step override
};

struct Scenario {
    std::vector<Step> steps;
};

// Thrown for a line that does not follow the grammar; the message names the line.
struct ScenarioError {
    std::string message;
};

// Parses the whole text before anything runs, so a mistake in a scenario is reported at once
// and never half-way through a run.
Scenario ParseScenario(const std::string& text);

// Parses a key name as the `key` step takes it: enter, escape, space, tab, up, ..., a single
// letter or digit, with optional shift+, ctrl+, alt+ prefixes. Empty on an unknown name.
std::optional<KeyStroke> ParseKeyName(const std::string& name);

// The caption of a button or label as a person reads it: '&' markers removed, and everything
// but letters, digits and inner single spaces dropped ("< &Back" reads "Back").
std::string NormaliseCaption(const std::string& caption);

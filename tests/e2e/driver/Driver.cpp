#include "Driver.h"

#include "Screenshot.h"
#include "robot/Finding.h"
#include "robot/Quoting.h"
#include "robot/Waiting.h"
#include "robot/Windows.h"

#include <algorithm>
#include <cstdio>
#include <utility>

using namespace robot;

namespace {

// How long an expectation may take to come true after the step before it: the program may
// still be handling what it was sent or posted.
constexpr DWORD kSettleMs = 2000;
// What the driver makes a program that it has to end exit with, so that it is told apart.
constexpr UINT kTerminatedExitCode = 0xE2E;

std::string Indent(const std::string& block, const char* prefix) {
    std::string out;
    std::size_t start = 0;
    while (start < block.size()) {
        std::size_t end = block.find('\n', start);
        if (end == std::string::npos) {
            end = block.size();
        }
        out += prefix + block.substr(start, end - start) + "\n";
        start = end + 1;
    }
    return out;
}

std::string ExitCodeText(DWORD code) {
    char text[48];
    if (code >= 0x80000000u) {
        std::snprintf(text, sizeof text, "%lu (0x%08lX)", code, code);
    } else {
        std::snprintf(text, sizeof text, "%lu", code);
    }
    return text;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

void SetUserValue(const std::string& keyPath, const char* name, DWORD type, const void* data,
                  DWORD size) {
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS) {
        return;
    }
    UniqueRegKey key(opened);
    RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsExtendedKey(int virtualKey) {
    switch (virtualKey) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
        return true;
    default:
        return false;
    }
}

bool IsRadio(HWND control) {
    const LONG type = GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
    return IsClass(control, "Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

} // namespace

// Wine settings for an unattended run, made before the program starts:
// - An unhandled exception starts the debugger, whose crash dialog would keep the crashed
//   program waiting for a person; without it the program ends at once with the exception
//   code, which `expect exit` reports.
// - The virtual display has no window manager, and Wine's X11 driver waits up to 2 s for one
//   whenever a managed window is hidden (every closed page, dialog and box). Windows that Wine
//   does not hand to a window manager close at once; Wine then draws their title bars itself,
//   which the pictures show. Set for the program under test only (by its file name) and taken
//   back after the run.
class WineSettings {
public:
    explicit WineSettings(const std::string& program)
        : appKey_("Software\\Wine\\AppDefaults\\" + FileNameOf(program) + "\\X11 Driver") {
        if (!UnderWine()) {
            appKey_.clear();
            return;
        }
        const DWORD off = 0;
        SetUserValue("Software\\Wine\\WineDbg", "ShowCrashDialog", REG_DWORD, &off, sizeof off);
        SetUserValue(appKey_, "Managed", REG_SZ, "N", 2);
    }
    ~WineSettings() {
        if (!appKey_.empty()) {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, appKey_.c_str(), "Managed");
        }
    }
    WineSettings(const WineSettings&) = delete;
    WineSettings& operator=(const WineSettings&) = delete;

private:
    std::string appKey_;
};

Driver::Driver(DriverOptions options, Transcript& transcript)
    : options_(std::move(options)), transcript_(transcript), startTick_(GetTickCount()) {}

Driver::~Driver() {
    if (process_ && !ProgramEnded()) {
        TerminateProcess(process_.get(), kTerminatedExitCode);
    }
}

RunResult Driver::Run(const Scenario& scenario) {
    try {
        Start();
        for (const Step& step : scenario.steps) {
            step_ = &step;
            transcript_.Line("line " + std::to_string(step.line) + ": " + step.source);
            Execute(step);
        }
        step_ = nullptr;
        if (!ProgramEnded()) {
            Fail("the scenario ended while the program was still running (end it with "
                 "\"expect exit\")");
        }
        transcript_.Line("PASSED");
        return RunResult::Passed;
    } catch (const StepFailed& failure) {
        RecordFailure(failure.message);
        return RunResult::Failed;
    }
}

void Driver::Start() {
    if (!wineSettings_) {
        wineSettings_ = std::make_unique<WineSettings>(options_.program);
    }

    // The program and everything it starts live in a job that ends with the driver, so that
    // nothing outlives a run that fails or is killed. A program started again joins it too.
    if (!job_) {
        job_.reset(CreateJobObjectA(nullptr, nullptr));
    }
    if (job_) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        if (!SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits,
                                     sizeof limits)) {
            job_.reset();
        }
    }

    std::string commandLine = "\"" + options_.program + "\"";
    if (!options_.arguments.empty()) {
        commandLine += " " + options_.arguments;
    }
    const std::string directory = DirectoryOf(options_.program);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(options_.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, directory.c_str(), &startup, &started)) {
        Fail("cannot start " + options_.program + ": error " + std::to_string(GetLastError()));
    }
    process_.reset(started.hProcess);
    const UniqueKernelObject thread(started.hThread);
    processId_ = started.dwProcessId;
    if (job_ && !AssignProcessToJobObject(job_.get(), process_.get())) {
        transcript_.Line("note: the program could not be put in a job (error " +
                         std::to_string(GetLastError()) + ")");
    }
    ResumeThread(thread.get());
    transcript_.Line("started " + commandLine + " in " + directory + " (process " +
                     std::to_string(processId_) + ")");
}

void Driver::Execute(const Step& step) {
    switch (step.verb) {
    case Verb::Timeout:
        defaultTimeoutSeconds_ = step.number;
        break;
    case Verb::WaitWindow:
        WaitWindow(step);
        break;
    case Verb::WaitClosed:
        WaitClosed(step);
        break;
    case Verb::ExpectWindow:
        ExpectWindow(step, true);
        break;
    case Verb::ExpectNoWindow:
        ExpectWindow(step, false);
        break;
    case Verb::ExpectCaption:
        ExpectCaption(step);
        break;
    case Verb::ExpectText:
        ExpectText(step);
        break;
    case Verb::ExpectState:
        ExpectState(step);
        break;
    case Verb::ExpectSelected:
        ExpectSelected(step);
        break;
    case Verb::ExpectCount:
        ExpectCount(step);
        break;
    case Verb::ExpectExit:
        ExpectExit(step);
        break;
    case Verb::Type:
        Type(step);
        break;
    case Verb::Keys:
        Keys(step);
        break;
    case Verb::Check:
        SetCheck(step, true);
        break;
    case Verb::Uncheck:
        SetCheck(step, false);
        break;
    case Verb::Choose:
        SetCheck(step, true);
        break;
    case Verb::Select:
        Select(step);
        break;
    case Verb::Click:
        Click(step);
        break;
    case Verb::ClickAt:
        ClickAt(step);
        break;
    case Verb::Key:
        Key(step);
        break;
    case Verb::Focus:
        Focus(step);
        break;
    case Verb::Close:
        Close(step);
        break;
    case Verb::Shot:
        Shot(step);
        break;
    case Verb::Dump:
        transcript_.Block(Indent(DescribeWindow(RequireWindow()), "           "));
        break;
    case Verb::Insert:
        Insert(step);
        break;
    case Verb::WaitFile:
        WaitFile(step);
        break;
    case Verb::Run:
        Run(step);
        break;
    case Verb::Kill:
        Kill(step);
        break;
    case Verb::Start:
        StartAgain(step);
        break;
    case Verb::Autopilot:
        Autopilot(step);
        break;
    }
}

// ---- Waits ------------------------------------------------------------------------------

void Driver::WaitWindow(const Step& step) {
    const DWORD timeout = TimeoutMs(step);
    HWND found = nullptr;
    DWORD exitCode = 0;
    bool ended = false;
    Poll(timeout, [&] {
        // Only what a person could act on: visible and enabled (a window under a modal box is
        // disabled until the box is gone).
        for (const HWND window : ProcessWindows(processId_)) {
            if (window != actedOn_ && IsUsable(window) && Matches(window, step.query)) {
                found = window;
                return true;
            }
        }
        ended = ProgramEnded(&exitCode);
        return ended;
    });
    if (!found) {
        if (ended) {
            Fail("the program ended with exit code " + ExitCodeText(exitCode) +
                 " while the scenario waited for a " + step.query.Describe());
        }
        Fail("timed out after " + std::to_string(timeout / 1000) + " s waiting for a " +
             step.query.Describe());
    }
    current_ = found;
    actedOn_ = nullptr;
    RecordWindow(found);
    if (step.query.messageText) {
        const std::string shown = WindowText(MessageTextControl(found));
        if (shown != *step.query.messageText) {
            Fail("the box says " + Quoted(shown) + ", expected " + Quoted(*step.query.messageText));
        }
    }
}

void Driver::WaitClosed(const Step& step) {
    if (!current_) {
        Fail("no current window (a wait step chooses one)");
    }
    const HWND window = current_;
    const DWORD timeout = TimeoutMs(step);
    if (!WaitUntilClosed(window, RemainingMs(timeout), Closed::HiddenOrDestroyed)) {
        Fail("timed out after " + std::to_string(timeout / 1000) + " s waiting for " +
             DescribeWindowBriefly(window) + " to close");
    }
    current_ = nullptr;
}

void Driver::ExpectWindow(const Step& step, bool wanted) {
    HWND found = nullptr;
    const bool held = Poll(SettleMs(step), [&] {
        found = nullptr;
        for (const HWND window : ProcessWindows(processId_)) {
            if (IsWindowVisible(window) && Matches(window, step.query)) {
                found = window;
                break;
            }
        }
        return (found != nullptr) == wanted;
    });
    if (found) {
        transcript_.Block(Indent(DescribeWindow(found), "           "));
    }
    if (!held) {
        Fail(wanted ? "no " + step.query.Describe() + " is shown"
                    : "a " + step.query.Describe() + " is shown");
    }
}

bool Driver::Matches(HWND window, const WindowQuery& query) const {
    if (query.messageBox && !IsMessageBox(window)) {
        return false;
    }
    if (query.dialog && !IsClass(window, "#32770")) {
        return false;
    }
    if (query.caption && WindowText(window) != *query.caption) {
        return false;
    }
    if (query.className && WindowClass(window) != *query.className) {
        return false;
    }
    const std::vector<HWND> controls =
        query.controlId || query.staticText ? Descendants(window) : std::vector<HWND>{};
    if (query.controlId && std::none_of(controls.begin(), controls.end(), [&](HWND control) {
            return GetDlgCtrlID(control) == *query.controlId;
        })) {
        return false;
    }
    if (query.staticText && std::none_of(controls.begin(), controls.end(), [&](HWND control) {
            return IsClass(control, "Static") &&
                   WindowText(control).find(*query.staticText) != std::string::npos;
        })) {
        return false;
    }
    return true;
}

// ---- Expectations -----------------------------------------------------------------------

void Driver::ExpectCaption(const Step& step) {
    const HWND window = RequireWindow();
    std::string caption;
    if (!Poll(SettleMs(step), [&] { return (caption = WindowText(window)) == step.text; })) {
        Fail("the caption is " + Quoted(caption) + ", expected " + Quoted(step.text));
    }
}

void Driver::ExpectText(const Step& step) {
    const HWND control = ResolveControl(step.control);
    std::string text;
    const bool held = Poll(SettleMs(step), [&] {
        text = WindowText(control);
        return step.contains ? text.find(step.text) != std::string::npos : text == step.text;
    });
    if (!held) {
        Fail(step.control.Describe() + " shows " + Quoted(text) + ", expected " +
             (step.contains ? "a text containing " : "") + Quoted(step.text));
    }
    transcript_.Line("  ok: " + Quoted(text));
}

void Driver::ExpectState(const Step& step) {
    const HWND control = ResolveControl(step.control);
    if ((step.state == ControlState::Checked || step.state == ControlState::Unchecked) &&
        !CheckState(control)) {
        Fail(step.control.Describe() + " is not a check box or radio button");
    }
    std::string actual;
    const bool held = Poll(SettleMs(step), [&] {
        switch (step.state) {
        case ControlState::Enabled:
        case ControlState::Disabled: {
            const bool enabled = IsWindowEnabled(control);
            actual = enabled ? "enabled" : "disabled";
            return enabled == (step.state == ControlState::Enabled);
        }
        case ControlState::Checked:
        case ControlState::Unchecked: {
            const bool checked = CheckState(control).value_or(false);
            actual = checked ? "checked" : "unchecked";
            return checked == (step.state == ControlState::Checked);
        }
        case ControlState::Visible:
        case ControlState::Hidden: {
            const bool visible = IsWindowVisible(control);
            actual = visible ? "visible" : "hidden";
            return visible == (step.state == ControlState::Visible);
        }
        case ControlState::Focused: {
            const HWND focus = FocusOf(control);
            actual = focus ? "not focused (the focus is on control " +
                                 std::to_string(GetDlgCtrlID(focus)) + " " +
                                 Quoted(WindowText(focus)) + ")"
                           : "not focused (no focus)";
            return focus == control;
        }
        }
        return false;
    });
    if (!held) {
        Fail(step.control.Describe() + " is " + actual);
    }
}

void Driver::ExpectSelected(const Step& step) {
    const HWND control = ResolveList(step.control);
    std::string selected;
    const bool held = Poll(SettleMs(step), [&] {
        const ListContents list = ReadList(control);
        const bool hasText = list.hasTexts && list.selected >= 0 &&
                             list.selected < static_cast<int>(list.texts.size());
        selected = list.selected < 0 ? "nothing"
                   : hasText         ? Quoted(list.texts[list.selected])
                                     : "entry " + std::to_string(list.selected);
        if (step.index) {
            return list.selected == *step.index;
        }
        return hasText && list.texts[list.selected] == step.text;
    });
    if (!held) {
        Fail(step.control.Describe() + " has " + selected + " selected, expected " +
             (step.index ? "entry " + std::to_string(*step.index) : Quoted(step.text)));
    }
}

void Driver::ExpectCount(const Step& step) {
    const HWND control = ResolveList(step.control);
    int count = 0;
    if (!Poll(SettleMs(step), [&] { return (count = ReadList(control).count) == step.number; })) {
        Fail(step.control.Describe() + " has " + std::to_string(count) + " entries, expected " +
             std::to_string(step.number));
    }
}

void Driver::ExpectExit(const Step& step) {
    const DWORD timeout = TimeoutMs(step);
    DWORD exitCode = 0;
    if (!Poll(timeout, [&] { return ProgramEnded(&exitCode); })) {
        Fail("the program is still running after " + std::to_string(timeout / 1000) + " s");
    }
    transcript_.Line("  the program ended with exit code " + ExitCodeText(exitCode));
    current_ = nullptr;
    if (exitCode != static_cast<DWORD>(step.number)) {
        Fail("exit code " + ExitCodeText(exitCode) + ", expected " + std::to_string(step.number));
    }
}

// ---- Actions ----------------------------------------------------------------------------

void Driver::Type(const Step& step) {
    const HWND control = ResolveControl(step.control);
    RequireUsable(control, step.control);
    if (IsClass(control, "Edit") && (GetWindowLongA(control, GWL_STYLE) & ES_READONLY)) {
        Fail(step.control.Describe() + " is read-only");
    }
    DWORD_PTR result = 0;
    const std::wstring text = Widen(step.text);
    if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_NORMAL, TimeoutMs(step), &result)) {
        Fail("the program did not take the text within " + std::to_string(TimeoutMs(step) / 1000) +
             " s");
    }
}

void Driver::Keys(const Step& step) {
    const HWND control = ResolveControl(step.control);
    RequireUsable(control, step.control);
    // Into the field as Tab would take a person there (the dialog selects an edit's text, so
    // typing replaces it); a field that has the focus already takes the keys at its caret.
    if (FocusOf(control) != control) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(RequireWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE,
                            SMTO_NORMAL, TimeoutMs(step), &result);
    }
    for (const char c : step.text) {
        const char typed = c == '\n' ? '\r' : c;
        SendNotifyMessageA(control, WM_CHAR, static_cast<unsigned char>(typed), 1);
    }
    Sync(control, TimeoutMs(step));
}

void Driver::SetCheck(const Step& step, bool wanted) {
    const HWND control = ResolveControl(step.control);
    RequireUsable(control, step.control);
    const std::optional<bool> state = CheckState(control);
    if (!state) {
        Fail(step.control.Describe() + " is not a check box or radio button");
    }
    if (step.verb == Verb::Choose && !IsRadio(control)) {
        Fail(step.control.Describe() + " is not a radio button");
    }
    if (*state != wanted) {
        SendAndSync(control, BM_CLICK, 0, 0, step);
    }
    if (!Poll(SettleMs(step), [&] { return CheckState(control) == std::optional<bool>(wanted); })) {
        Fail("clicking " + step.control.Describe() + " left it " +
             (wanted ? "unchecked" : "checked"));
    }
}

void Driver::Select(const Step& step) {
    const HWND control = ResolveList(step.control);
    RequireUsable(control, step.control);
    const bool combo = IsClass(control, "ComboBox");
    const ListContents list = ReadList(control);
    int index = -1;
    if (step.index) {
        if (*step.index < 0 || *step.index >= list.count) {
            Fail(step.control.Describe() + " has no entry " + std::to_string(*step.index) +
                 " (it has " + std::to_string(list.count) + ")");
        }
        index = *step.index;
    } else {
        if (!list.hasTexts) {
            Fail(step.control.Describe() + " is owner-drawn without texts: select by index");
        }
        const auto found = std::find(list.texts.begin(), list.texts.end(), step.text);
        if (found == list.texts.end()) {
            std::string entries;
            for (const std::string& entry : list.texts) {
                entries += (entries.empty() ? "" : ", ") + Quoted(entry);
            }
            Fail(step.control.Describe() + " has no entry " + Quoted(step.text) + " (it has " +
                 (entries.empty() ? "none" : entries) + ")");
        }
        index = static_cast<int>(found - list.texts.begin());
    }
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    DWORD_PTR result = 0;
    if (!combo && (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL))) {
        SendMessageTimeoutA(control, LB_SETSEL, TRUE, index, SMTO_NORMAL, TimeoutMs(step), &result);
    } else {
        SendMessageTimeoutA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0, SMTO_NORMAL,
                            TimeoutMs(step), &result);
    }
    // A click on an entry tells the dialog; a list box does so only with LBS_NOTIFY.
    if (!combo && !(style & LBS_NOTIFY)) {
        return;
    }
    const HWND parent = GetParent(control);
    const WORD id = static_cast<WORD>(GetDlgCtrlID(control));
    const LPARAM from = reinterpret_cast<LPARAM>(control);
    SendAndSync(parent, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE), from,
                step);
    if (step.doubleClick) {
        ActedOn(current_);
        SendAndSync(parent, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_DBLCLK : LBN_DBLCLK), from,
                    step);
    }
}

void Driver::Click(const Step& step) {
    const HWND control = ResolveControl(step.control);
    RequireUsable(control, step.control);
    if (!IsClass(control, "Button")) {
        Fail(step.control.Describe() + " is not a button");
    }
    transcript_.Line("  clicks control " + std::to_string(GetDlgCtrlID(control)) + " " +
                     Quoted(WindowText(control)));
    ActedOn(current_);
    SendAndSync(control, BM_CLICK, 0, 0, step);
}

void Driver::ClickAt(const Step& step) {
    const HWND control = ResolveControl(step.control);
    RequireUsable(control, step.control);
    RECT client = {};
    GetClientRect(control, &client);
    int x = step.x.value_or(client.right / 2);
    int y = step.y.value_or(0);
    if (step.entry) {
        // The middle of the entry's line, in a list of lines of one height.
        if (!IsClass(control, "ListBox")) {
            Fail(step.control.Describe() + " is not a list box");
        }
        const ListContents list = ReadList(control);
        if (*step.entry < 0 || *step.entry >= list.count) {
            Fail(step.control.Describe() + " has no entry " + std::to_string(*step.entry));
        }
        DWORD_PTR height = 0;
        DWORD_PTR top = 0;
        SendMessageTimeoutA(control, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, TimeoutMs(step), &height);
        SendMessageTimeoutA(control, LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, TimeoutMs(step), &top);
        y = (*step.entry - static_cast<int>(top)) * static_cast<int>(height) +
            static_cast<int>(height) / 2;
    }
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) {
        Fail("(" + std::to_string(x) + "," + std::to_string(y) + ") is outside " +
             step.control.Describe() + ", whose client area is " + std::to_string(client.right) +
             "x" + std::to_string(client.bottom));
    }
    transcript_.Line("  clicks at (" + std::to_string(x) + "," + std::to_string(y) +
                     ") in control " + std::to_string(GetDlgCtrlID(control)));
    ActedOn(current_);
    // Posted like the mouse's own messages, through the program's loop.
    const LPARAM point = MAKELPARAM(x, y);
    PostMessageA(control, WM_MOUSEMOVE, 0, point);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(control, WM_LBUTTONUP, 0, point);
    SettleAfterPosting(control, step);
}

void Driver::Insert(const Step& step) {
    // The runner owns the drive letter: it points the drive at the folder we ask for (or at
    // nothing) and answers "ok", or "no drive" in a run without one.
    const std::string answer =
        AskRunner("SWAP", step.text.empty() ? "-" : step.text, TimeoutMs(step));
    if (answer != "ok") {
        Fail("this run has no disk drive (the runner's --drive)");
    }
    diskInDrive_ = step.text;
    lastPromptLabel_.reset();
}

void Driver::WaitFile(const Step& step) {
    // A file that is being written grows while we look: its size is read from the directory
    // at every look.
    const DWORD timeout = TimeoutMs(step);
    const auto least = static_cast<ULONGLONG>(step.number);
    ULONGLONG size = 0;
    std::string seen;
    const bool found = Poll(timeout, [&] {
        WIN32_FIND_DATAA data;
        const HANDLE search = FindFirstFileA(step.text.c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) {
            return false;
        }
        bool big = false;
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
                seen = data.cFileName;
                big = size >= least;
            }
        } while (!big && FindNextFileA(search, &data));
        FindClose(search);
        return big;
    });
    if (!found) {
        Fail("timed out after " + std::to_string(timeout / 1000) + " s waiting for a file " +
             Quoted(step.text) + " of at least " + std::to_string(least) + " bytes" +
             (seen.empty() ? std::string(" (none was there)")
                           : " (the last seen, " + seen + ", had " + std::to_string(size) + ")"));
    }
    transcript_.Line("  found " + seen + " with " + std::to_string(size) + " bytes");
}

void Driver::Run(const Step& step) {
    // The runner runs the command with bash on the host and answers with its exit status.
    const std::string status = AskRunner("RUN", step.text, TimeoutMs(step));
    transcript_.Line("  the command exited with " + status);
    if (status != "0") {
        Fail("the command " + Quoted(step.text) + " exited with " + status +
             " (its output is in run.log)");
    }
}

void Driver::Kill(const Step&) {
    if (!process_ || ProgramEnded()) {
        Fail("the program is not running");
    }
    TerminateProcess(process_.get(), kTerminatedExitCode);
    if (WaitForSingleObject(process_.get(), RemainingMs(kSettleMs * 5)) != WAIT_OBJECT_0) {
        Fail("the program did not end after it was killed");
    }
    transcript_.Line("  killed the program");
    current_ = nullptr;
    actedOn_ = nullptr;
}

void Driver::StartAgain(const Step&) {
    if (!ProgramEnded()) {
        Fail("the program is still running (end it with \"expect exit\" or \"kill\")");
    }
    current_ = nullptr;
    actedOn_ = nullptr;
    Start();
}

void Driver::Key(const Step& step) {
    const HWND window = RequireWindow();
    if (!IsUsable(window)) {
        Fail("the current window is " +
             std::string(IsWindowVisible(window) ? "disabled" : "hidden") +
             ": a person's keys would not reach it");
    }
    ActedOn(window);
    for (const KeyStroke& stroke : step.keys) {
        if (step.delivery == KeyDelivery::Post) {
            PostKey(window, stroke);
        } else {
            InputKey(window, stroke);
        }
    }
    SettleAfterPosting(window, step);
}

void Driver::SettleAfterPosting(HWND window, const Step& step) {
    // Posted messages and input are handled after anything sent meanwhile: give the program's
    // loop a moment before the next step sends anything. The steps that follow poll for the
    // effect anyway.
    Sleep(150);
    Sync(window, TimeoutMs(step));
    Sleep(50);
    Sync(window, TimeoutMs(step));
}

void Driver::PostKey(HWND window, const KeyStroke& stroke) {
    if (stroke.shift || stroke.control) {
        Fail("posted keys cannot hold shift or ctrl down (use \"key input\"): " + stroke.name);
    }
    // To the control with the focus, as the keyboard would: the program's message loop sees
    // the key and hands it to the dialog manager.
    HWND target = FocusOf(window);
    if (!target || (target != window && !IsChild(window, target))) {
        target = window;
    }
    const UINT scan = MapVirtualKeyA(stroke.virtualKey, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
    if (IsExtendedKey(stroke.virtualKey)) {
        down |= 1 << 24;
    }
    if (stroke.alt) {
        down |= 1 << 29;
    }
    const LPARAM up = down | (1 << 30) | (1u << 31);
    const bool system = stroke.alt;
    PostMessageA(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, stroke.virtualKey, down);
    PostMessageA(target, system ? WM_SYSKEYUP : WM_KEYUP, stroke.virtualKey, up);
}

void Driver::InputKey(HWND window, const KeyStroke& stroke) {
    // Real input goes to the foreground window's focus, as from the keyboard.
    SetForegroundWindow(window);
    if (!Poll(2000, [&] { return GetForegroundWindow() == window; })) {
        Fail("could not bring the window to the foreground for input");
    }
    std::vector<INPUT> inputs;
    auto add = [&](int virtualKey, bool up) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(virtualKey);
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags =
            (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs.push_back(input);
    };
    const std::pair<bool, int> modifiers[] = {
        {stroke.shift, VK_SHIFT}, {stroke.control, VK_CONTROL}, {stroke.alt, VK_MENU}};
    for (const auto& [held, key] : modifiers) {
        if (held) {
            add(key, false);
        }
    }
    add(stroke.virtualKey, false);
    add(stroke.virtualKey, true);
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
        if (it->first) {
            add(it->second, true);
        }
    }
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) !=
        inputs.size()) {
        Fail("SendInput did not take the key " + stroke.name + " (error " +
             std::to_string(GetLastError()) + ")");
    }
}

void Driver::Focus(const Step& step) {
    const HWND control = ResolveControl(step.control);
    RequireUsable(control, step.control);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(RequireWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE,
                        SMTO_NORMAL, TimeoutMs(step), &result);
    if (!Poll(SettleMs(step), [&] { return FocusOf(control) == control; })) {
        Fail(step.control.Describe() + " did not take the focus");
    }
}

void Driver::Close(const Step& step) {
    const HWND window = RequireWindow();
    ActedOn(window);
    // What the close box in the title bar sends.
    SendAndSync(window, WM_SYSCOMMAND, SC_CLOSE, 0, step);
}

void Driver::Shot(const Step& step) {
    const std::string path = ShotPath(step.text);
    const bool saved = step.screen ? SaveScreen(path) : SaveWindow(RequireWindow(), path);
    if (!saved) {
        Fail("could not save the picture " + path);
    }
    transcript_.Line("  picture " + path);
}

// ---- Helpers ----------------------------------------------------------------------------

void Driver::Fail(const std::string& message) const {
    std::string text = message;
    if (TimeReached(startTick_ + static_cast<DWORD>(options_.deadlineSeconds) * 1000)) {
        text += " (the run's overall limit of " + std::to_string(options_.deadlineSeconds) +
                " s is used up)";
    }
    throw StepFailed{text};
}

DWORD Driver::TimeoutMs(const Step& step) const {
    return static_cast<DWORD>(step.timeoutSeconds.value_or(defaultTimeoutSeconds_)) * 1000;
}

DWORD Driver::SettleMs(const Step& step) const {
    return step.timeoutSeconds ? static_cast<DWORD>(*step.timeoutSeconds) * 1000 : kSettleMs;
}

DWORD Driver::RemainingMs(DWORD timeoutMs) const {
    const DWORD now = GetTickCount();
    const LONG overall =
        static_cast<LONG>(startTick_ + static_cast<DWORD>(options_.deadlineSeconds) * 1000 - now);
    if (overall <= 0) {
        return 0;
    }
    return static_cast<DWORD>(overall) < timeoutMs ? static_cast<DWORD>(overall) : timeoutMs;
}

template <typename Check> bool Driver::Poll(DWORD timeoutMs, Check check) const {
    return WaitUntil(RemainingMs(timeoutMs), check);
}

bool Driver::ProgramEnded(DWORD* exitCode) const {
    if (!process_ || WaitForSingleObject(process_.get(), 0) != WAIT_OBJECT_0) {
        return false;
    }
    if (exitCode) {
        GetExitCodeProcess(process_.get(), exitCode);
    }
    return true;
}

HWND Driver::RequireWindow() const {
    if (!current_) {
        Fail("no current window (a wait step chooses one)");
    }
    if (!IsWindow(current_)) {
        Fail("the current window has gone");
    }
    return current_;
}

HWND Driver::ResolveControl(const ControlRef& ref) const {
    const HWND window = RequireWindow();
    const std::vector<HWND> controls = Descendants(window);
    switch (ref.kind) {
    case ControlRef::Kind::Id:
        for (const HWND control : controls) {
            if (GetDlgCtrlID(control) == ref.id) {
                return control;
            }
        }
        Fail("the window has no control " + std::to_string(ref.id));
    case ControlRef::Kind::Message:
        if (const HWND text = MessageTextControl(window)) {
            return text;
        }
        Fail("the current window is not a message box");
    case ControlRef::Kind::Text:
        break;
    }
    // By its text: exactly as written first, else as a person reads it.
    std::vector<HWND> exact;
    std::vector<HWND> read;
    const std::string wanted = NormaliseCaption(ref.text);
    for (const HWND control : controls) {
        const std::string text = WindowText(control);
        if (text == ref.text) {
            exact.push_back(control);
        } else if (!wanted.empty() && NormaliseCaption(text) == wanted) {
            read.push_back(control);
        }
    }
    std::vector<HWND>& candidates = exact.empty() ? read : exact;
    if (candidates.size() > 1) {
        std::erase_if(candidates, [](HWND control) { return !IsWindowVisible(control); });
    }
    if (candidates.size() > 1) {
        std::erase_if(candidates, [](HWND control) { return !IsClass(control, "Button"); });
    }
    if (candidates.empty()) {
        Fail("the window has no control that reads " + Quoted(ref.text));
    }
    if (candidates.size() > 1) {
        Fail("more than one control reads " + Quoted(ref.text) + ": name it by its id");
    }
    return candidates.front();
}

HWND Driver::ResolveList(const ControlRef& ref) const {
    const HWND control = ResolveControl(ref);
    if (!IsClass(control, "ListBox") && !IsClass(control, "ComboBox")) {
        Fail(ref.Describe() + " is not a list box or combo box");
    }
    return control;
}

void Driver::RequireUsable(HWND control, const ControlRef& ref) const {
    const HWND window = RequireWindow();
    if (!IsUsable(window)) {
        Fail("the current window is " +
             std::string(IsWindowVisible(window) ? "disabled" : "hidden") +
             ": a person could not use " + ref.Describe());
    }
    if (!IsWindowVisible(control)) {
        Fail(ref.Describe() + " is hidden");
    }
    if (!IsWindowEnabled(control)) {
        Fail(ref.Describe() + " is disabled");
    }
}

void Driver::Sync(HWND window, DWORD timeoutMs) const {
    // A message sent after the action is answered once the program has handled the action or
    // is waiting for the user in a nested loop (a modal dialog or box it opened).
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result)) {
        return;
    }
    const DWORD error = GetLastError();
    if (!IsWindow(window) || ProgramEnded()) {
        return;
    }
    if (error == ERROR_TIMEOUT) {
        Fail("the program did not answer within " + std::to_string(timeoutMs / 1000) +
             " s (is it hung?)");
    }
}

void Driver::SendAndSync(HWND target, UINT message, WPARAM wParam, LPARAM lParam,
                         const Step& step) {
    // Sent without waiting: the handler may open a modal dialog and wait for us.
    if (!SendNotifyMessageA(target, message, wParam, lParam) && IsWindow(target)) {
        Fail("could not send to the window (error " + std::to_string(GetLastError()) + ")");
    }
    Sync(target, TimeoutMs(step));
}

void Driver::RecordWindow(HWND window) {
    transcript_.Block(Indent(DescribeWindow(window), "           "));
    if (IsMessageBox(window)) {
        transcript_.Line("box: " + Quoted(WindowText(window)) + " " +
                         Quoted(WindowText(MessageTextControl(window))));
    }
}

void Driver::ActedOn(HWND window) {
    actedOn_ = window;
    actedOnTick_ = GetTickCount();
}

void Driver::RecordFailure(const std::string& message) {
    transcript_.Line("FAILED" +
                     (step_ ? " at line " + std::to_string(step_->line) : std::string()) + ": " +
                     message);
    if (process_) {
        transcript_.Line("windows of the program:");
        for (const HWND window : ProcessWindows(processId_)) {
            transcript_.Block(Indent(DescribeWindow(window), "           "));
        }
        const std::vector<HWND> others = OtherVisibleWindows(processId_);
        if (!others.empty()) {
            transcript_.Line("visible windows of other programs:");
            for (const HWND window : others) {
                transcript_.Block(Indent(DescribeWindowBriefly(window), "           "));
            }
        }
    }
    if (!options_.shotDirectory.empty()) {
        TakeFailurePicture();
    }
    EndProgram();
}

namespace {

struct PictureJob {
    std::string path;
    bool saved = false;
};

DWORD WINAPI TakePicture(LPVOID param) {
    auto* job = static_cast<PictureJob*>(param);
    job->saved = SaveScreen(job->path);
    return 0;
}

} // namespace

void Driver::TakeFailurePicture() {
    // Wine's screen copy waits for the windows of a program that does not answer, so it runs
    // on a thread of its own; if it does not finish, the program is ended first.
    auto job = std::make_unique<PictureJob>();
    job->path = ShotPath("failure");
    const UniqueKernelObject thread(CreateThread(nullptr, 0, TakePicture, job.get(), 0, nullptr));
    if (!thread) {
        return;
    }
    bool finished = WaitForSingleObject(thread.get(), 3000) == WAIT_OBJECT_0;
    if (!finished) {
        transcript_.Line("the picture waits for the program, which does not answer");
        EndProgram();
        finished = WaitForSingleObject(thread.get(), 5000) == WAIT_OBJECT_0;
    }
    if (!finished) {
        job.release(); // still in use by the thread, which ends with the driver
        return;
    }
    if (job->saved) {
        transcript_.Line("picture of the screen: " + job->path);
    }
}

void Driver::EndProgram() {
    if (process_ && !ProgramEnded()) {
        TerminateProcess(process_.get(), kTerminatedExitCode);
        WaitForSingleObject(process_.get(), 5000);
        transcript_.Line("ended the program");
    }
}

std::string Driver::AskRunner(const std::string& name, const std::string& text, DWORD timeoutMs) {
    if (options_.requestDirectory.empty()) {
        Fail("this run has no runner to ask (the driver's --requests)");
    }
    const std::string request = options_.requestDirectory + "\\" + name + ".REQ";
    const std::string answer = options_.requestDirectory + "\\" + name + ".ACK";
    DeleteFileA(answer.c_str());
    {
        UniqueStdioFile file(std::fopen((request + ".NEW").c_str(), "wb"));
        if (!file || std::fputs(text.c_str(), file.get()) < 0) {
            Fail("cannot write " + request);
        }
    }
    // Renamed into place, so the runner never reads half a request; it writes its answer the
    // same way.
    if (!MoveFileExA((request + ".NEW").c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        Fail("cannot write " + request);
    }
    if (!Poll(timeoutMs,
              [&] { return GetFileAttributesA(answer.c_str()) != INVALID_FILE_ATTRIBUTES; })) {
        Fail("the runner did not answer the " + name + " request within " +
             std::to_string(timeoutMs / 1000) + " s");
    }
    std::string reply;
    {
        UniqueStdioFile file(std::fopen(answer.c_str(), "rb"));
        char buffer[256];
        std::size_t count = 0;
        while (file && (count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
            reply.append(buffer, count);
        }
    }
    DeleteFileA(answer.c_str());
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) {
        reply.pop_back();
    }
    return reply;
}

std::string Driver::ShotPath(const std::string& name) const {
    std::string directory = options_.shotDirectory.empty() ? "." : options_.shotDirectory;
    CreateDirectoryA(directory.c_str(), nullptr);
    if (directory.back() != '\\' && directory.back() != '/') {
        directory += '\\';
    }
    return directory + name + ".bmp";
}

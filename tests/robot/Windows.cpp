#include "robot/Windows.h"

#include <atomic>
#include <cstdio>

namespace robot {

namespace {

constexpr UINT kAnswerTimeoutMs = 3000;
constexpr UINT kHungAnswerTimeoutMs = 100;

// Set when the program last failed to answer in time, so that describing a hung program's
// windows does not take a full time-out per control.
std::atomic<bool> programSilent{false};

// Sends a message that only reads, and reports whether an answer came. Always as UTF-16:
// Wine's SendMessageTimeoutA of WM_GETTEXTLENGTH to another process waits without a time-out
// (it asks for the text to count its ANSI length), which a hung program turns into a hung
// driver.
bool Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    const UINT timeout = programSilent ? kHungAnswerTimeoutMs : kAnswerTimeoutMs;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, timeout, &result)) {
        programSilent = false;
        return true;
    }
    if (GetLastError() == ERROR_TIMEOUT) {
        programSilent = true;
    }
    return false;
}

struct ProcessWindowSearch {
    DWORD processId;
    bool wanted; // true: windows of the process; false: visible windows of others
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<ProcessWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.wanted ? owner == search.processId
                      : owner != search.processId && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

void CollectChildren(HWND parent, std::vector<HWND>& out) {
    // GW_CHILD walks the z-order, which for a dialog is the template's order.
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        out.push_back(child);
    }
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string narrow(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), size,
                        nullptr, nullptr);
    return narrow;
}

} // namespace

std::wstring Widen(const std::string& narrow) {
    if (narrow.empty()) {
        return {};
    }
    const int size =
        MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), wide.data(),
                        size);
    return wide;
}

namespace {

std::string Hex(const void* handle) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%08lX",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(handle)));
    return buffer;
}

// The message box template: an icon, the text (id 0xFFFF, as on Windows) and buttons with
// the standard ids only. A page's etched separator also has the id 0xFFFF (-1), but no text
// style, and a page has buttons of its own (Back is 1019).
bool IsTextStatic(HWND control) {
    switch (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP:
        return IsClass(control, "Static");
    default:
        return false;
    }
}

std::string DescribeList(HWND control) {
    const ListContents list = ReadList(control);
    std::string line = " " + std::to_string(list.count) + " entries";
    if (list.hasTexts) {
        line += " [";
        for (std::size_t i = 0; i < list.texts.size(); ++i) {
            line += (i ? ", " : "") + Quoted(list.texts[i]);
        }
        line += "]";
    } else {
        line += " (owner-drawn, no texts)";
    }
    if (list.selected < 0) {
        line += " selected none";
    } else if (list.hasTexts && list.selected < static_cast<int>(list.texts.size())) {
        line += " selected " + Quoted(list.texts[list.selected]);
    } else {
        line += " selected index " + std::to_string(list.selected);
    }
    return line;
}

std::string DescribeControl(HWND control, HWND focus) {
    const std::string className = WindowClass(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    std::string line = std::to_string(GetDlgCtrlID(control)) + " " + className;
    if (!(IsClass(control, "Static") && (style & SS_TYPEMASK) == SS_ICON)) {
        line += " " + Quoted(WindowText(control));
    }
    line += IsWindowVisible(control) ? " visible" : " hidden";
    line += IsWindowEnabled(control) ? " enabled" : " disabled";
    if (const auto checked = CheckState(control)) {
        line += *checked ? " checked" : " unchecked";
    }
    if (IsClass(control, "Edit") && (style & ES_READONLY)) {
        line += " read-only";
    }
    if (IsClass(control, "ListBox") || IsClass(control, "ComboBox")) {
        line += DescribeList(control);
    }
    if (control == focus) {
        line += " focus";
    }
    return line;
}

} // namespace

std::vector<HWND> ProcessWindows(DWORD processId) {
    ProcessWindowSearch search{processId, true, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    std::vector<HWND> windows;
    for (const HWND window : search.found) {
        windows.push_back(window);
        for (const HWND child : Descendants(window)) {
            if (IsClass(child, "#32770") &&
                (GetWindowLongA(child, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
                windows.push_back(child);
            }
        }
    }
    return windows;
}

std::vector<HWND> OtherVisibleWindows(DWORD processId) {
    ProcessWindowSearch search{processId, false, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsUsable(HWND window) {
    return IsWindowVisible(window) && IsWindowEnabled(window) &&
           IsWindowEnabled(GetAncestor(window, GA_ROOT));
}

std::string WindowText(HWND window) {
    if (!(GetWindowLongA(window, GWL_STYLE) & WS_CHILD)) {
        // A title bar shows the window's own text; reading it sends nothing to the program.
        char caption[512] = {};
        GetWindowTextA(window, caption, sizeof caption);
        return caption;
    }
    DWORD_PTR length = 0;
    if (!Ask(window, WM_GETTEXTLENGTH, 0, 0, length)) {
        return "<no answer>";
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), copied)) {
        return "<no answer>";
    }
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return Narrow(text);
}

std::string WindowClass(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsClass(HWND window, const char* className) {
    return lstrcmpiA(WindowClass(window).c_str(), className) == 0;
}

std::vector<HWND> Descendants(HWND window) {
    std::vector<HWND> all;
    CollectChildren(window, all);
    // Breadth first: the dialog's own controls, then what the controls hold (a combo box's
    // edit, a file dialog's nested panes).
    for (std::size_t i = 0; i < all.size(); ++i) {
        CollectChildren(all[i], all);
    }
    return all;
}

std::optional<bool> CheckState(HWND control) {
    if (!IsClass(control, "Button")) {
        return std::nullopt;
    }
    switch (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        break;
    default:
        return std::nullopt;
    }
    DWORD_PTR state = 0;
    if (!Ask(control, BM_GETCHECK, 0, 0, state)) {
        return std::nullopt;
    }
    return state == BST_CHECKED;
}

bool IsMessageBox(HWND window) {
    if (!IsClass(window, "#32770")) {
        return false;
    }
    int texts = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (IsClass(child, "Button")) {
            if (id < IDOK || id > IDCONTINUE) {
                return false;
            }
        } else if (IsClass(child, "Static")) {
            if (id == 0xFFFF && IsTextStatic(child)) {
                ++texts;
            } else if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
                return false;
            }
        } else {
            return false;
        }
    }
    return texts == 1;
}

HWND MessageTextControl(HWND box) {
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text && IsTextStatic(text) ? text : nullptr;
}

ListContents ReadList(HWND control) {
    // (Asked in UTF-16 also because Wine hands an ANSI caller in another process the entries
    // of a Unicode list box as UTF-16 all the same.)
    const bool combo = IsClass(control, "ComboBox");
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    ListContents list;
    list.hasTexts =
        combo ? !(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) || (style & CBS_HASSTRINGS)
              : !(style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) || (style & LBS_HASSTRINGS);
    DWORD_PTR count = 0;
    if (!Ask(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0, count) ||
        static_cast<LONG_PTR>(count) <= 0) {
        return list;
    }
    list.count = static_cast<int>(count);
    DWORD_PTR selected = 0;
    if (Ask(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0, selected)) {
        list.selected = static_cast<int>(static_cast<LONG_PTR>(selected));
    }
    if (!list.hasTexts) {
        return list;
    }
    for (int i = 0; i < list.count && i < 500; ++i) {
        DWORD_PTR length = 0;
        if (!Ask(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0, length) ||
            static_cast<LONG_PTR>(length) < 0) {
            list.texts.emplace_back("<no answer>");
            continue;
        }
        std::wstring entry(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!Ask(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i,
                 reinterpret_cast<LPARAM>(entry.data()), copied) ||
            static_cast<LONG_PTR>(copied) < 0) {
            list.texts.emplace_back("<no answer>");
            continue;
        }
        entry.resize(copied <= length ? copied : length);
        list.texts.push_back(Narrow(entry));
    }
    return list;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) {
        return nullptr;
    }
    return info.hwndFocus;
}

std::string DescribeWindowBriefly(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char place[96];
    std::snprintf(place, sizeof place, " pid %lu at (%ld,%ld)-(%ld,%ld)", processId, rect.left,
                  rect.top, rect.right, rect.bottom);
    std::string line = "window " + Hex(window) + " " + Quoted(WindowText(window)) + " class " +
                       Quoted(WindowClass(window)) + place;
    line += IsWindowVisible(window) ? " visible" : " hidden";
    line += IsWindowEnabled(window) ? " enabled" : " disabled";
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        line += " inside " + Hex(GetParent(window));
    } else if (const HWND owner = GetWindow(window, GW_OWNER)) {
        line += " owner " + Hex(owner);
    }
    return line;
}

std::string DescribeWindow(HWND window, const char* indent) {
    std::string text = DescribeWindowBriefly(window) + "\n";
    const HWND focus = FocusOf(window);
    for (const HWND control : Descendants(window)) {
        std::string prefix = indent;
        for (HWND up = GetParent(control); up && up != window; up = GetParent(up)) {
            prefix += "  ";
        }
        text += prefix + DescribeControl(control, focus) + "\n";
    }
    return text;
}

} // namespace robot

// A small program of our own that the end-to-end driver exercises, so that the driver's waits,
// typing, ticking, keys, time-outs and screenshots are proven independently of SETUP.EXE. It is
// built like the installer's wizard: a main window owning a modeless dialog that gets dialog
// keyboard handling in the program's one message loop.
//
// On OK or on "Ask..." answered Yes it writes RESULT.TXT beside itself (one key=value per line)
// and ends with 0; Cancel (or Esc) ends with 3, the dialog's close box with 4. "Hang" stops
// answering for a minute; "Read disk" shows the first line of A:\LABEL.TXT. The option list is
// owner-drawn with no texts, each line a check box that a click in its first 13 pixels or the
// space bar toggles.
#include "SelfTestIds.h"

#include <windows.h>

#include <cstdio>
#include <iterator>
#include <string>

namespace {

constexpr UINT_PTR kLaterTimer = 1;
constexpr UINT kLaterDelayMs = 1500;

constexpr int kCheckWidth = 13;

HINSTANCE instance;
HWND mainWindow;
HWND dialog;
WNDPROC listProc;

struct Option {
    const char* name;
    bool on;
};
Option options[] = {{"Alpha", true}, {"Beta", false}, {"Gamma", false}};

std::string LoadText(UINT id) {
    char buffer[256] = {};
    LoadStringA(instance, id, buffer, sizeof buffer);
    return buffer;
}

std::string ControlText(HWND control) {
    char buffer[256] = {};
    GetWindowTextA(control, buffer, sizeof buffer);
    return buffer;
}

std::string ListSelection(int id) {
    const HWND list = GetDlgItem(dialog, id);
    const bool isCombo = id == IDC_COUNT;
    const LRESULT index = SendMessageA(list, isCombo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    if (index < 0) {
        return "none";
    }
    char buffer[256] = {};
    SendMessageA(list, isCombo ? CB_GETLBTEXT : LB_GETTEXT, index,
                 reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string ChosenSize() {
    if (IsDlgButtonChecked(dialog, IDC_SMALL) == BST_CHECKED) {
        return "Small";
    }
    if (IsDlgButtonChecked(dialog, IDC_MEDIUM) == BST_CHECKED) {
        return "Medium";
    }
    if (IsDlgButtonChecked(dialog, IDC_LARGE) == BST_CHECKED) {
        return "Large";
    }
    return "none";
}

void SetStatus(const std::string& text) {
    SetDlgItemTextA(dialog, IDC_STATUS, text.c_str());
}

std::string OptionsText() {
    std::string text;
    for (const Option& option : options) {
        if (option.on) {
            text += text.empty() ? option.name : std::string(",") + option.name;
        }
    }
    return text.empty() ? "none" : text;
}

// The choices as RESULT.TXT holds them; also shown in the "Saved" box.
std::string Choices(const char* finishedBy) {
    std::string text;
    text += "name=" + ControlText(GetDlgItem(dialog, IDC_NAME)) + "\n";
    text += std::string("remember=") +
            (IsDlgButtonChecked(dialog, IDC_REMEMBER) == BST_CHECKED ? "1" : "0") + "\n";
    text += "size=" + ChosenSize() + "\n";
    text += "fruit=" + ListSelection(IDC_FRUIT) + "\n";
    text += "count=" + ListSelection(IDC_COUNT) + "\n";
    text += "options=" + OptionsText() + "\n";
    text += std::string("finished-by=") + finishedBy + "\n";
    return text;
}

void WriteResult(const std::string& choices) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string resultPath = path;
    resultPath.resize(resultPath.find_last_of('\\') + 1);
    resultPath += "RESULT.TXT";
    if (FILE* file = std::fopen(resultPath.c_str(), "wb")) {
        std::fputs(choices.c_str(), file);
        std::fclose(file);
    }
}

void Finish(int exitCode) {
    DestroyWindow(mainWindow);
    PostQuitMessage(exitCode);
}

void OnOk() {
    const std::string choices = Choices("ok");
    WriteResult(choices);
    char text[512] = {};
    std::snprintf(text, sizeof text, LoadText(IDS_SAVED_TEXT).c_str(), choices.c_str());
    MessageBoxA(dialog, text, LoadText(IDS_ASK_CAPTION).c_str(), MB_OK | MB_ICONINFORMATION);
    Finish(0);
}

void OnAsk() {
    const int answer = MessageBoxA(dialog, LoadText(IDS_ASK_TEXT).c_str(),
                                   LoadText(IDS_ASK_CAPTION).c_str(), MB_YESNO | MB_ICONQUESTION);
    if (answer == IDYES) {
        WriteResult(Choices("ask"));
        Finish(0);
    } else {
        SetStatus("Not finished");
    }
}

INT_PTR CALLBACK LaterProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void ToggleSelectedOption(HWND list) {
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index < 0 || index >= static_cast<LRESULT>(std::size(options))) {
        return;
    }
    Option& option = options[index];
    option.on = !option.on;
    InvalidateRect(list, nullptr, TRUE);
    SetDlgItemTextA(dialog, IDC_OPTION_STATE, OptionsText().c_str());
}

LRESULT CALLBACK OptionListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN: {
        CallWindowProcA(listProc, list, message, wParam, lParam);
        if (static_cast<short>(LOWORD(lParam)) < kCheckWidth) {
            ToggleSelectedOption(list);
        }
        return 0;
    }
    case WM_CHAR:
        if (wParam == ' ') {
            ToggleSelectedOption(list);
            return 0;
        }
        [[fallthrough]];
    default:
        return CallWindowProcA(listProc, list, message, wParam, lParam);
    }
}

void DrawOption(const DRAWITEMSTRUCT& item) {
    if (item.itemID >= std::size(options)) {
        return;
    }
    const Option& option = options[item.itemID];
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    RECT box = {item.rcItem.left + 1, item.rcItem.top + 1, item.rcItem.left + kCheckWidth - 1,
                item.rcItem.bottom - 1};
    FrameRect(item.hDC, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (option.on) {
        InflateRect(&box, -3, -3);
        FillRect(item.hDC, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    TextOutA(item.hDC, item.rcItem.left + kCheckWidth + 4, item.rcItem.top, option.name,
             lstrlenA(option.name));
}

void OnReadDisk() {
    std::string text = "none";
    if (FILE* file = std::fopen("A:\\LABEL.TXT", "rb")) {
        char line[128] = {};
        if (std::fgets(line, sizeof line, file)) {
            text = line;
            text.erase(text.find_last_not_of("\r\n") + 1);
        }
        std::fclose(file);
    }
    SetStatus("Disk: " + text);
}

void OnLaterTimer() {
    KillTimer(dialog, kLaterTimer);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_LATER), dialog, LaterProc, 0);
    SetStatus("Later done");
}

void OnCommand(WORD id, WORD code) {
    switch (id) {
    case IDOK:
        OnOk();
        break;
    case IDCANCEL:
        Finish(3);
        break;
    case IDC_ASK:
        OnAsk();
        break;
    case IDC_LATER:
        SetTimer(dialog, kLaterTimer, kLaterDelayMs, nullptr);
        SetStatus("Wait for it");
        break;
    case IDC_NAME:
        if (code == EN_CHANGE) {
            SetStatus("Name: " + ControlText(GetDlgItem(dialog, IDC_NAME)));
        }
        break;
    case IDC_REMEMBER:
        SetStatus(IsDlgButtonChecked(dialog, IDC_REMEMBER) == BST_CHECKED ? "Remember: on"
                                                                          : "Remember: off");
        break;
    case IDC_SMALL:
    case IDC_MEDIUM:
    case IDC_LARGE:
        SetStatus("Size: " + ChosenSize());
        break;
    case IDC_FRUIT:
        if (code == LBN_SELCHANGE) {
            SetStatus("Fruit: " + ListSelection(IDC_FRUIT));
        } else if (code == LBN_DBLCLK) {
            SetStatus("Fruit chosen: " + ListSelection(IDC_FRUIT));
        }
        break;
    case IDC_COUNT:
        if (code == CBN_SELCHANGE) {
            SetStatus("Count: " + ListSelection(IDC_COUNT));
        }
        break;
    case IDC_OPTIONS:
        if (code == LBN_SELCHANGE) {
            const LRESULT index = SendDlgItemMessageA(dialog, IDC_OPTIONS, LB_GETCURSEL, 0, 0);
            if (index >= 0 && index < static_cast<LRESULT>(std::size(options))) {
                SetStatus(std::string("Option selected: ") + options[index].name);
            }
        }
        break;
    case IDC_HANG:
        Sleep(60000);
        break;
    case IDC_READ_DISK:
        OnReadDisk();
        break;
    default:
        break;
    }
}

void OnInitDialog() {
    for (const char* fruit : {"Apple", "Banana", "Cherry"}) {
        SendDlgItemMessageA(dialog, IDC_FRUIT, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    }
    for (const char* count : {"One", "Two", "Three"}) {
        SendDlgItemMessageA(dialog, IDC_COUNT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(count));
    }
    CheckRadioButton(dialog, IDC_SMALL, IDC_LARGE, IDC_MEDIUM);
    const HWND list = GetDlgItem(dialog, IDC_OPTIONS);
    for (std::size_t i = 0; i < std::size(options); ++i) {
        // Owner-drawn without strings: the item data is all the list holds.
        SendMessageA(list, LB_ADDSTRING, 0, static_cast<LPARAM>(i));
    }
    listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OptionListProc)));
}

INT_PTR CALLBACK SelfTestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        dialog = window;
        OnInitDialog();
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_TIMER:
        if (wParam == kLaterTimer) {
            OnLaterTimer();
        }
        return TRUE;
    case WM_DRAWITEM:
        DrawOption(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CLOSE:
        Finish(4);
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    instance = hInstance;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MainProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = "E2ESelfTest";
    if (!RegisterClassA(&windowClass)) {
        return 1;
    }
    mainWindow = CreateWindowA("E2ESelfTest", "Self-Test Main", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                               nullptr, nullptr, instance, nullptr);
    if (!mainWindow) {
        return 1;
    }
    ShowWindow(mainWindow, SW_SHOW);
    if (!CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SELFTEST), mainWindow, SelfTestProc,
                            0)) {
        return 1;
    }
    ShowWindow(dialog, SW_SHOW);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

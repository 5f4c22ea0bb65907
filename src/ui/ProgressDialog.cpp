#include "ui/ProgressDialog.h"

#include "engine/MessagePump.h"
#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"

namespace {

// The record of the pass under way, for the dialog and bar procedures; null outside a pass.
ProgressRecord* g_currentRecord = nullptr;

// The bar control's own window procedure, while the dialog exists.
WNDPROC g_barProcedure = nullptr;

constexpr COLORREF kBarColour = RGB(50, 0, 255);

// The label in window colour on the bar colour over the done part, and in bar colour on the
// window colour over the rest: two clipped, opaque drawings of the same centred text.
void PaintBar(HWND bar, ProgressRecord& record) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(bar, &paint);
    RECT client;
    GetClientRect(bar, &client);
    SIZE letter{};
    GetTextExtentPoint32A(dc, "X", 1, &letter);
    const ProgressBarLayout layout =
        LayoutProgressBar(record.Counts(), client.right, client.bottom, letter.cy);

    SetTextAlign(dc, TA_CENTER | TA_TOP);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const int length = static_cast<int>(layout.label.size());

    const RECT done{0, 0, layout.fillWidth, client.bottom};
    SetTextColor(dc, window);
    SetBkColor(dc, kBarColour);
    ExtTextOutA(dc, layout.labelX, layout.labelY, ETO_OPAQUE | ETO_CLIPPED, &done,
                layout.label.c_str(), length, nullptr);

    const RECT rest{layout.fillWidth, 0, client.right, client.bottom};
    SetTextColor(dc, kBarColour);
    SetBkColor(dc, window);
    ExtTextOutA(dc, layout.labelX, layout.labelY, ETO_OPAQUE | ETO_CLIPPED, &rest,
                layout.label.c_str(), length, nullptr);
    EndPaint(bar, &paint);
}

LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ENABLE:
        InvalidateRect(bar, nullptr, FALSE);
        return 0;
    case WM_PAINT:
        if (g_currentRecord) {
            PaintBar(bar, *g_currentRecord);
            return 0;
        }
        // Without a record the static paints itself, which also validates the area; returning
        // without painting would bring the same WM_PAINT back for ever.
        [[fallthrough]];
    default:
        return CallWindowProcA(g_barProcedure, bar, message, wParam, lParam);
    }
}

INT_PTR OnInitDialog(HWND dialog) {
    const HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    g_barProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(bar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProgressBarProc)));
    PlaceProgressDialog(dialog);
    return TRUE;
}

void OnProgressFiles(HWND dialog, LPARAM lParam) {
    const auto* files = reinterpret_cast<const ProgressFiles*>(lParam);
    if (!files) {
        return;
    }
    SetDlgItemTextA(dialog, IDC_SOURCE_FILE, files->source ? files->source : "");
    SetDlgItemTextA(dialog, IDC_DESTINATION_FILE, files->destination ? files->destination : "");
}

// No question here: the pass looks at the flag after the item in hand and ends the run. The
// close box of MainWindow sends the same command while the pass runs.
void OnCancel() {
    if (g_currentRecord) {
        g_currentRecord->SetCancelled();
    }
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_PROGRESS_FILES:
        OnProgressFiles(dialog, lParam);
        return FALSE;
    case WM_COMMAND:
        if (wParam == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

ProgressRecord::ProgressRecord(HWND owner, std::uint32_t total) {
    counts_.total = total;
    g_currentRecord = this;
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PROGRESS), owner,
                                 ProgressDialogProc, reinterpret_cast<LPARAM>(this));
    if (window_) {
        ShowWindow(window_, SW_SHOW);
        InvalidateRect(window_, nullptr, TRUE);
        UpdateWindow(window_);
    }
}

ProgressRecord::~ProgressRecord() {
    if (window_) {
        ShowWindow(window_, SW_HIDE);
    }
    g_currentRecord = nullptr;
    if (window_) {
        DestroyWindow(window_);
    }
}

void ProgressRecord::Step() {
    const ProgressCounts before = counts_;
    ++counts_.done;
    if (window_) {
        const HWND bar = GetDlgItem(window_, IDC_PROGRESS_BAR);
        RECT client;
        GetClientRect(bar, &client);
        if (StepRepaintsBar(before, counts_, client.right)) {
            InvalidateRect(bar, nullptr, FALSE);
            UpdateWindow(bar);
        }
    }
    PumpMessages();
}

void NotifyProgressFiles(HWND window, const char* source, const char* destination) {
    if (!window) {
        return;
    }
    ProgressFiles files{source, destination};
    SendMessageA(window, WM_PROGRESS_FILES, 0, reinterpret_cast<LPARAM>(&files));
}

void PlaceProgressDialog(HWND window) {
    // A child window's GetParent is its parent; a popup's is its owner.
    const HWND owner = GetParent(window);
    if (!owner) {
        return;
    }
    RECT ownerRect;
    RECT windowRect;
    GetWindowRect(owner, &ownerRect);
    GetWindowRect(window, &windowRect);
    const ScreenPoint corner = ProgressCornerPosition(
        {ownerRect.left, ownerRect.top, ownerRect.right, ownerRect.bottom},
        {windowRect.left, windowRect.top, windowRect.right, windowRect.bottom},
        GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME));
    POINT position{corner.x, corner.y};
    // A child is placed in its parent's client coordinates, a popup on the screen.
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        ScreenToClient(owner, &position);
    }
    SetWindowPos(window, nullptr, position.x, position.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

#include "ui/CustomPage.h"

#include "common/Win32Handles.h"
#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "engine/Accounting.h"
#include "ui/GuardedProcedures.h"
#include "ui/OptionListRules.h"
#include "ui/PageCommon.h"
#include "ui/SetupMessages.h"
#include "resources/ResourceText.h"

#include <string>

namespace {

// The list's own window procedure while the page exists; the option-list procedure passes
// everything it does not handle there.
WNDPROC g_listProc = nullptr;

// The component of a list entry (its item data), or null for no entry.
Component* EntryComponent(HWND list, LRESULT index) {
    if (index == LB_ERR) {
        return nullptr;
    }
    const LRESULT data = SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    if (data == LB_ERR || data == 0) {
        return nullptr;
    }
    return reinterpret_cast<Component*>(data);
}

ListRect ToListRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// Flips the selected entry's component: the page keeps the counts and totals, then the check
// box is repainted at once.
void ToggleSelectedEntry(HWND list) {
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (!EntryComponent(list, index)) {
        return;
    }
    SendMessageA(GetParent(list), WM_OPTION_TOGGLED, 0, 0);
    RECT entry{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&entry));
    const ListRect area = CheckRepaintArea(ToListRect(entry));
    const RECT repaint{area.left, area.top, area.right, area.bottom};
    InvalidateRect(list, &repaint, TRUE);
    UpdateWindow(list);
}

void OnListButtonDown(HWND list, WPARAM wParam, LPARAM lParam) {
    // The list selects the entry under the mouse first; only then is the check box tested.
    CallWindowProcA(g_listProc, list, WM_LBUTTONDOWN, wParam, lParam);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return;
    }
    RECT entry{};
    SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&entry));
    const ListPoint click{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (HitsCheckArea(ToListRect(entry), click)) {
        ToggleSelectedEntry(list);
    }
}

LRESULT OptionListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        OnListButtonDown(list, wParam, lParam);
        return 0;
    case WM_CHAR:
        if (wParam == ' ') {
            ToggleSelectedEntry(list);
            return 0;
        }
        return CallWindowProcA(g_listProc, list, message, wParam, lParam);
    default:
        return CallWindowProcA(g_listProc, list, message, wParam, lParam);
    }
}

constexpr WNDPROC kOptionListProc = GuardedWindowProc<OptionListMessage>;

// The description of the selected component and the space lines of its drive.
void RefreshLabels(HWND page, const PageContext& context) {
    HWND list = GetDlgItem(page, IDC_OPTION_LIST);
    const Component* component = EntryComponent(list, SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (!component) {
        return;
    }
    SetDlgItemTextA(page, IDC_OPTION_DESCRIPTION, component->description.CStr());
    std::string drive;
    std::uint64_t required = 0;
    if (const DriveEntry* entry = ComponentDrive(context.script, context.drives, *component)) {
        drive = entry->rootPath;
        required = entry->requiredBytes;
    }
    const std::uint64_t available = FreeDiskSpaceK(drive);
    SetDlgItemTextA(page, IDC_SPACE_AVAILABLE_LABEL,
                    FormatResourceText(IDS_SPACE_AVAILABLE, 256, drive.c_str()).c_str());
    SetDlgItemTextA(page, IDC_SPACE_AVAILABLE, KiloFigureOfK(available).c_str());
    SetDlgItemTextA(page, IDC_SPACE_REQUIRED_LABEL,
                    FormatResourceText(IDS_SPACE_REQUIRED, 256, drive.c_str()).c_str());
    SetDlgItemTextA(page, IDC_SPACE_REQUIRED, KiloFigure(required).c_str());
}

INT_PTR OnInitDialog(HWND page, PageContext& context) {
    HWND list = GetDlgItem(page, IDC_OPTION_LIST);
    g_listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kOptionListProc)));
    // The template's list sorts, and every comparison would count as equal; inserting at the
    // end bypasses the sort, so the components appear in the script's order.
    for (Component& component : context.script.components) {
        SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&component));
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    RefreshLabels(page, context);
    return TRUE;
}

void OnDestroy(HWND page) {
    // The list is destroyed after the page; its last messages go to its own procedure.
    if (g_listProc) {
        SetWindowLongPtrA(GetDlgItem(page, IDC_OPTION_LIST), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(g_listProc));
        g_listProc = nullptr;
    }
}

// Counts and drive totals follow the selected component's new state.
void OnOptionToggled(HWND page, PageContext& context) {
    HWND list = GetDlgItem(page, IDC_OPTION_LIST);
    if (Component* component = EntryComponent(list, SendMessageA(list, LB_GETCURSEL, 0, 0))) {
        ToggleComponent(context.script, context.drives, *component);
    }
    RefreshLabels(page, context);
}

void DrawEntry(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || item.itemData == 0) {
        return;
    }
    const auto& component = *reinterpret_cast<const Component*>(item.itemData);
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;

    if (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        const int background = selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
        int text = selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
        if (item.itemState & ODS_DISABLED) {
            text = COLOR_GRAYTEXT;
        }
        SetBkColor(dc, GetSysColor(background));
        FillRect(dc, &rect, GetSysColorBrush(background));
        SetTextColor(dc, GetSysColor(text));
        SetBkMode(dc, OPAQUE);
        const HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));

        const std::string_view name = component.name.View();
        ExtTextOutA(dc, rect.left + kOptionNameIndent, rect.top + kOptionTextTop, ETO_CLIPPED,
                    &rect, name.data(), static_cast<UINT>(name.size()), nullptr);
        const std::string size = KiloFigure(component.totalSize);
        const UINT oldAlign = SetTextAlign(dc, TA_RIGHT | TA_TOP);
        ExtTextOutA(dc, rect.right - kOptionSizeMargin, rect.top + kOptionTextTop, ETO_CLIPPED,
                    &rect, size.data(), static_cast<UINT>(size.size()), nullptr);
        SetTextAlign(dc, oldAlign);
        SelectObject(dc, oldFont);
    } else if (item.itemAction & ODA_FOCUS) {
        DrawFocusRect(dc, &rect);
    }

    const UniqueGdi<HBITMAP> check(
        LoadBitmapA(GetModuleHandleA(nullptr),
                    MAKEINTRESOURCEA(component.selected ? IDB_CHECKED : IDB_UNCHECKED)));
    const UniqueMemoryDC memory(CreateCompatibleDC(dc));
    if (!check || !memory) {
        return;
    }
    BITMAP bitmap{};
    GetObjectA(check.get(), sizeof bitmap, &bitmap);
    const HGDIOBJ old = SelectObject(memory.get(), check.get());
    BitBlt(dc, rect.left, rect.top + 1, bitmap.bmWidth, bitmap.bmHeight, memory.get(), 0, 0,
           SRCCOPY);
    SelectObject(memory.get(), old);
}

INT_PTR OnCommand(HWND page, WPARAM wParam, const PageContext& context) {
    switch (LOWORD(wParam)) {
    case IDC_OPTION_LIST:
        if (HIWORD(wParam) != LBN_SELCHANGE) {
            return FALSE;
        }
        RefreshLabels(page, context);
        return TRUE;
    case IDC_NEXT:
        ReportAnswer(page, WizardPage::Custom, PageAnswer::Next);
        return TRUE;
    case IDC_BACK:
        ReportAnswer(page, WizardPage::Custom, PageAnswer::Back);
        return TRUE;
    case IDC_CANCEL:
        OnPageCancel(page, WizardPage::Custom);
        return TRUE;
    default:
        return FALSE; // Help (3) has no action
    }
}

INT_PTR HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        return OnInitDialog(page, AttachPageContext(page, lParam));
    }
    if (message == WM_DESTROY) {
        OnDestroy(page);
        return FALSE;
    }
    PageContext* context = PageContextOf(page);
    if (!context) {
        return FALSE;
    }
    switch (message) {
    case WM_DRAWITEM:
        if (wParam == IDC_OPTION_LIST) {
            DrawEntry(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return FALSE;
    case WM_OPTION_TOGGLED:
        OnOptionToggled(page, *context);
        return TRUE;
    case WM_COMMAND:
        return OnCommand(page, wParam, *context);
    default:
        return FALSE;
    }
}

} // namespace

const DLGPROC CustomPageProc = GuardedPageProc<HandleMessage>;

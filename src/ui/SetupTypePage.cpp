#include "ui/SetupTypePage.h"

#include "resources/ResourceIds.h"
#include "ui/GuardedProcedures.h"
#include "ui/PageCommon.h"
#include "ui/SetupTypeChoices.h"

namespace {

struct ChoiceControls {
    int icon;
    int button;
};

// Indexed by SetupChoice.
constexpr ChoiceControls kChoiceControls[] = {
    {IDC_TYPICAL_ICON, IDC_TYPICAL},
    {IDC_MINIMAL_ICON, IDC_MINIMAL},
    {IDC_CUSTOM_ICON, IDC_CUSTOM},
};

OfferedTypes Offered(const SetupScript& script) {
    return {script.typicalOffered != 0, script.minimalOffered != 0, script.customOffered != 0};
}

ChoiceRect ControlRect(HWND page, int id) {
    RECT rect{};
    GetWindowRect(GetDlgItem(page, id), &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void MoveControl(HWND page, int id, const ChoiceRect& rect, BOOL repaint) {
    MoveWindow(GetDlgItem(page, id), rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, repaint);
}

void HideControl(HWND page, int id) {
    HWND control = GetDlgItem(page, id);
    EnableWindow(control, FALSE);
    ShowWindow(control, SW_HIDE);
}

// Hides what the script does not offer and moves the rest up into the free slots.
void CompactChoices(HWND page, const SetupScript& script) {
    std::array<ChoiceSlot, 3> slots{};
    for (int choice = kChoiceTypical; choice <= kChoiceCustom; ++choice) {
        slots[choice] = {ControlRect(page, kChoiceControls[choice].icon),
                         ControlRect(page, kChoiceControls[choice].button)};
    }
    const auto placement = CompactSetupChoices(slots, Offered(script));
    for (int choice = kChoiceTypical; choice <= kChoiceCustom; ++choice) {
        const ChoiceControls& controls = kChoiceControls[choice];
        if (!placement[choice].shown) {
            HideControl(page, controls.icon);
            HideControl(page, controls.button);
        } else if (placement[choice].slot != slots[choice]) {
            // Minimal moves with repaint and Custom without; the page is not shown yet, so
            // either way it is painted whole when it appears.
            const BOOL repaint = choice == kChoiceMinimal;
            MoveControl(page, controls.icon, placement[choice].slot.icon, repaint);
            MoveControl(page, controls.button, placement[choice].slot.button, repaint);
        }
    }
}

INT_PTR OnInitDialog(HWND page, const PageContext& context) {
    InstallSideBitmapProc(page);
    const SetupScript& script = context.script;
    // A setup type the script does not offer would be checked while hidden; the first offered
    // choice is checked instead.
    CheckDlgButton(page, static_cast<int>(InitialSetupChoice(context.setupType, Offered(script))),
                   BST_CHECKED);
    SetDlgItemTextA(page, IDC_TYPICAL, script.typicalLabel.CStr());
    SetDlgItemTextA(page, IDC_MINIMAL, script.minimalLabel.CStr());
    SetDlgItemTextA(page, IDC_CUSTOM, script.customLabel.CStr());
    CompactChoices(page, script);
    SetWindowTextA(page, script.productName.CStr());
    return TRUE;
}

// The checked type becomes the setup type (held as its radio button's id); with nothing checked
// nothing happens.
void OnNext(HWND page) {
    PageContext* context = PageContextOf(page);
    if (!context) {
        return;
    }
    const int buttons[] = {IDC_TYPICAL, IDC_MINIMAL, IDC_CUSTOM};
    for (const int button : buttons) {
        if (IsDlgButtonChecked(page, button) == BST_CHECKED) {
            context->setupType = static_cast<std::uint32_t>(button);
            ReportAnswer(page, WizardPage::SetupType, PageAnswer::Next);
            return;
        }
    }
}

INT_PTR HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, AttachPageContext(page, lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            OnNext(page);
            return TRUE;
        case IDC_BACK:
            ReportAnswer(page, WizardPage::SetupType, PageAnswer::Back);
            return TRUE;
        case IDC_CANCEL:
            OnPageCancel(page, WizardPage::SetupType);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

const DLGPROC SetupTypePageProc = GuardedPageProc<HandleMessage>;

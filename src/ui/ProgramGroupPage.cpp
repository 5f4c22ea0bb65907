#include "ui/ProgramGroupPage.h"

#include "integration/ProgramManager.h"
#include "resources/ResourceIds.h"
#include "ui/GuardedProcedures.h"
#include "ui/MessageBoxes.h"
#include "ui/PageCommon.h"
#include "resources/ResourceText.h"

#include <string>

namespace {

// The flow shows this page only when the script names exactly one group.
TextBlock& FirstGroup(SetupScript& script) {
    return script.programGroups.at(0);
}

INT_PTR OnInitDialog(HWND page, PageContext& context) {
    InstallSideBitmapProc(page);
    SetWindowTextA(
        page,
        FormatResourceText(IDS_GROUP_PAGE_CAPTION, 256, context.script.productName.CStr()).c_str());
    SetDlgItemTextA(page, IDC_GROUP_NAME, std::string(TextOf(FirstGroup(context.script))).c_str());
    ListExistingGroups(GetDlgItem(page, IDC_EXISTING_GROUPS));
    return TRUE;
}

// A group chosen from the list replaces what was typed.
void OnExistingGroupChosen(HWND page) {
    HWND list = GetDlgItem(page, IDC_EXISTING_GROUPS);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) {
        return;
    }
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        return;
    }
    std::string name(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(name.data()));
    SetDlgItemTextA(page, IDC_GROUP_NAME, name.data());
}

void OnNext(HWND page, PageContext& context) {
    const bool noGroup = IsDlgButtonChecked(page, IDC_NO_GROUP) == BST_CHECKED;
    context.createGroups = !noGroup;
    if (!noGroup) {
        char name[256];
        GetControlText(page, IDC_GROUP_NAME, name);
        if (name[0] == '\0') {
            ResourceMessageBox(page, IDS_GROUP_REQUIRED, IDS_SETUP_CAPTION, MB_OK);
            return;
        }
        FirstGroup(context.script) = FixedText(name);
    }
    ReportAnswer(page, WizardPage::ProgramGroup, PageAnswer::Next);
}

INT_PTR OnCommand(HWND page, WPARAM wParam) {
    PageContext* context = PageContextOf(page);
    if (!context) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDC_EXISTING_GROUPS:
        if (HIWORD(wParam) != LBN_SELCHANGE) {
            return FALSE;
        }
        OnExistingGroupChosen(page);
        return TRUE;
    case IDC_NEXT:
        OnNext(page, *context);
        return TRUE;
    case IDC_BACK:
        ReportAnswer(page, WizardPage::ProgramGroup, PageAnswer::Back);
        return TRUE;
    case IDC_CANCEL:
        OnPageCancel(page, WizardPage::ProgramGroup);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, AttachPageContext(page, lParam));
    case WM_COMMAND:
        return OnCommand(page, wParam);
    default:
        return FALSE;
    }
}

} // namespace

const DLGPROC ProgramGroupPageProc = GuardedPageProc<HandleMessage>;

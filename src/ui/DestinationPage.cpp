#include "ui/DestinationPage.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/BrowseDirectoryDialog.h"
#include "ui/GuardedProcedures.h"
#include "ui/MessageBoxes.h"
#include "ui/PageCommon.h"

namespace {

INT_PTR OnInitDialog(HWND page, const PageContext& context) {
    InstallSideBitmapProc(page);
    SetWindowTextA(page, context.script.destinationTitle.CStr());
    SetDlgItemTextA(page, IDC_DESTINATION_DIRECTORY, context.destination.CStr());
    SetDlgItemTextA(page, IDC_DESTINATION_TEXT, context.script.destinationText.CStr());
    return TRUE;
}

void OnNext(HWND page, PageContext& context) {
    char shown[256];
    GetControlText(page, IDC_DESTINATION_DIRECTORY, shown);
    std::string fullPath;
    if (!ValidatePath(fullPath, shown)) {
        ResourceMessageBox(page, IDS_INVALID_PATH, IDS_SETUP_CAPTION, MB_OK);
        return;
    }
    context.destination.Assign(fullPath);
    ReportAnswer(page, WizardPage::Destination, PageAnswer::Next);
}

void OnBrowse(HWND page, PageContext& context) {
    char shown[256];
    GetControlText(page, IDC_DESTINATION_DIRECTORY, shown);
    if (BrowseDirectoryDialog(page, shown, context.script.productName.CStr(),
                              context.destination)) {
        SetDlgItemTextA(page, IDC_DESTINATION_DIRECTORY, context.destination.CStr());
    }
}

INT_PTR OnCommand(HWND page, WPARAM wParam) {
    PageContext* context = PageContextOf(page);
    if (!context) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDC_NEXT:
        OnNext(page, *context);
        return TRUE;
    case IDC_BACK:
        ReportAnswer(page, WizardPage::Destination, PageAnswer::Back);
        return TRUE;
    case IDC_BROWSE:
        OnBrowse(page, *context);
        return TRUE;
    case IDC_CANCEL:
        OnPageCancel(page, WizardPage::Destination);
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

const DLGPROC DestinationPageProc = GuardedPageProc<HandleMessage>;

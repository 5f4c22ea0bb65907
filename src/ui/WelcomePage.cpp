#include "ui/WelcomePage.h"

#include "resources/ResourceIds.h"
#include "ui/GuardedProcedures.h"
#include "ui/PageCommon.h"
#include "ui/WindowPlacement.h"

namespace {

INT_PTR OnInitDialog(HWND page, const PageContext& context) {
    InstallSideBitmapProc(page);
    SetWindowTextA(page, context.script.welcomeTitle.CStr());
    SetDlgItemTextA(page, IDC_WELCOME_TEXT, context.script.welcomeText.CStr());
    CentreOverParent(page, CentreVariant::Page);
    return TRUE;
}

INT_PTR HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, AttachPageContext(page, lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            ReportAnswer(page, WizardPage::Welcome, PageAnswer::Next);
            return TRUE;
        case IDC_CANCEL:
            OnPageCancel(page, WizardPage::Welcome);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

const DLGPROC WelcomePageProc = GuardedPageProc<HandleMessage>;

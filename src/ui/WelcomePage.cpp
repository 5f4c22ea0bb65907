#include "ui/WelcomePage.h"

#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"
#include "shell/SetupState.h"
#include "ui/PageCommon.h"
#include "ui/WindowPlacement.h"

namespace {

INT_PTR OnInitDialog(HWND page) {
    InstallSideBitmapProc(page);
    SetWindowTextA(page, g_setup.script.welcomeTitle.CStr());
    SetDlgItemTextA(page, IDC_WELCOME_TEXT, g_setup.script.welcomeText.CStr());
    CentreOverParent(page, CentreVariant::Page);
    return TRUE;
}

} // namespace

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            PostFlowMessage(WM_SHOW_README, 1);
            return TRUE;
        case IDC_CANCEL:
            OnPageCancel(page);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

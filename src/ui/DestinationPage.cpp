#include "ui/DestinationPage.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"
#include "shell/SetupState.h"
#include "ui/BrowseDirectoryDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/PageCommon.h"

namespace {

INT_PTR OnInitDialog(HWND page) {
    InstallSideBitmapProc(page);
    SetWindowTextA(page, g_setup.script.destinationTitle.CStr());
    SetDlgItemTextA(page, IDC_DESTINATION_DIRECTORY, g_setup.DestinationDirectory().CStr());
    SetDlgItemTextA(page, IDC_DESTINATION_TEXT, g_setup.script.destinationText.CStr());
    return TRUE;
}

void OnNext(HWND page) {
    char shown[256];
    GetControlText(page, IDC_DESTINATION_DIRECTORY, shown);
    std::string fullPath;
    if (!ValidatePath(fullPath, shown)) {
        ResourceMessageBox(page, IDS_INVALID_PATH, IDS_SETUP_CAPTION, MB_OK);
        return;
    }
    g_setup.DestinationDirectory().Assign(fullPath);
    PostFlowMessage(WM_DESTINATION_CHOSEN);
}

void OnBrowse(HWND page) {
    char shown[256];
    GetControlText(page, IDC_DESTINATION_DIRECTORY, shown);
    if (BrowseDirectoryDialog(page, shown)) {
        SetDlgItemTextA(page, IDC_DESTINATION_DIRECTORY, g_setup.DestinationDirectory().CStr());
    }
}

} // namespace

INT_PTR CALLBACK DestinationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            OnNext(page);
            return TRUE;
        case IDC_BACK:
            PostFlowMessage(WM_SHOW_README, 0);
            return TRUE;
        case IDC_BROWSE:
            OnBrowse(page);
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

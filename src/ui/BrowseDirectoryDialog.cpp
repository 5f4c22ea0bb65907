#include "ui/BrowseDirectoryDialog.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "shell/SetupState.h"
#include "ui/MessageBoxes.h"
#include "ui/PageCommon.h"

#include <commdlg.h>

namespace {

// OK validates the typed or navigated directory; a valid one becomes the destination and ends
// the dialog with success. Every command is also left to the system dialog (the hook returns
// 0), so the directory and drive lists and Cancel keep working.
void OnOk(HWND dialog) {
    char typed[256];
    GetControlText(dialog, IDC_BROWSE_PATH, typed);
    std::string fullPath;
    if (!ValidatePath(fullPath, typed)) {
        ResourceMessageBox(dialog, IDS_INVALID_PATH, IDS_SETUP_CAPTION, MB_OK);
        return;
    }
    g_setup.DestinationDirectory().Assign(fullPath);
    EndDialog(dialog, 1);
}

UINT_PTR CALLBACK BrowseHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            OnOk(dialog);
        }
        return 0;
    default:
        return 0;
    }
}

} // namespace

bool BrowseDirectoryDialog(HWND owner, const char* initialDirectory) {
    char file[256] = {};
    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // 76 bytes: the classic layout
    request.hwndOwner = owner;
    request.hInstance = g_setup.instance;
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrTitle = g_setup.script.productName.CStr();
    request.lpstrInitialDir = initialDirectory;
    request.Flags = OFN_NONETWORKBUTTON | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_NOCHANGEDIR;
    request.lpTemplateName = MAKEINTRESOURCEA(IDD_BROWSE_DIRECTORY);
    request.lpfnHook = BrowseHookProc;
    return GetOpenFileNameA(&request) != 0;
}

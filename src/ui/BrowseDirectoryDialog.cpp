#include "ui/BrowseDirectoryDialog.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/MessageBoxes.h"
#include "ui/PageCommon.h"

#include <commdlg.h>

namespace {

// OK validates the typed or navigated directory; a valid one becomes the destination and ends
// the dialog with success. Every command is also left to the system dialog (the hook returns
// 0), so the directory and drive lists and Cancel keep working.
void OnOk(HWND dialog, FixedText& destination) {
    char typed[256];
    GetControlText(dialog, IDC_BROWSE_PATH, typed);
    std::string fullPath;
    if (!ValidatePath(fullPath, typed)) {
        ResourceMessageBox(dialog, IDS_INVALID_PATH, IDS_SETUP_CAPTION, MB_OK);
        return;
    }
    destination.Assign(fullPath);
    EndDialog(dialog, 1);
}

// What the hook works on, in the request's lCustData; kept with the dialog as a property (the
// dialog's own user data is the system's).
struct BrowseState {
    FixedText& destination;
};

constexpr char kStateProperty[] = "SetupBrowseState";

BrowseState* StateOf(HWND dialog) {
    return reinterpret_cast<BrowseState*>(GetPropA(dialog, kStateProperty));
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const auto* request = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetPropA(dialog, kStateProperty, reinterpret_cast<HANDLE>(request->lCustData));
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (BrowseState* state = StateOf(dialog)) {
                OnOk(dialog, state->destination);
            }
        }
        return 0;
    case WM_DESTROY:
        RemovePropA(dialog, kStateProperty);
        return 0;
    default:
        return 0;
    }
}

UINT_PTR CALLBACK BrowseHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return static_cast<UINT_PTR>(HandleMessage(dialog, message, wParam, lParam));
}

} // namespace

bool BrowseDirectoryDialog(HWND owner, const char* initialDirectory, const char* productName,
                           FixedText& destination) {
    char file[256] = {};
    OPENFILENAMEA request{};
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400A; // 76 bytes: the classic layout
    request.hwndOwner = owner;
    request.hInstance = GetModuleHandleA(nullptr);
    request.lpstrFile = file;
    request.nMaxFile = sizeof file;
    request.lpstrTitle = productName;
    request.lpstrInitialDir = initialDirectory;
    request.Flags = OFN_NONETWORKBUTTON | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_NOCHANGEDIR;
    request.lpTemplateName = MAKEINTRESOURCEA(IDD_BROWSE_DIRECTORY);
    request.lpfnHook = BrowseHookProc;
    BrowseState state{destination};
    request.lCustData = reinterpret_cast<LPARAM>(&state);
    return GetOpenFileNameA(&request) != 0;
}

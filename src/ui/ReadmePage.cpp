#include "ui/ReadmePage.h"

#include "engine/FileOperations.h"
#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"
#include "shell/FlowController.h"
#include "ui/SetupMessages.h"
#include "shell/SetupState.h"
#include "ui/PageCommon.h"

namespace {

INT_PTR OnInitDialog(HWND page) {
    const std::string text =
        ReadWholeFile(JoinPath(g_setup.sourceDirectory.View(), g_setup.script.readmeFile.View()));
    SetDlgItemTextA(page, IDC_README_TEXT, text.c_str());
    return TRUE;
}

} // namespace

INT_PTR CALLBACK ReadmePageProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // A read-me that cannot be read ends the run through the flow's failure report; the
        // error must not unwind through the dialog manager.
        try {
            return OnInitDialog(page);
        } catch (const SetupError& error) {
            ReportSetupError(error.code());
            return TRUE;
        }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            PostFlowMessage(WM_SHOW_DESTINATION);
            return TRUE;
        case IDC_BACK:
            PostFlowMessage(WM_SHOW_WELCOME);
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

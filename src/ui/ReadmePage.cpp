#include "ui/ReadmePage.h"

#include "engine/FileOperations.h"
#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/GuardedProcedures.h"
#include "ui/PageCommon.h"

namespace {

// A read-me that cannot be read ends the run with the failure report.
INT_PTR OnInitDialog(HWND page, const PageContext& context) {
    std::string text;
    if (Failure failure = ReadWholeFile(
            JoinPath(context.sourceDirectory.View(), context.script.readmeFile.View()), text)) {
        ReportFailure(failure->code());
        return TRUE;
    }
    SetDlgItemTextA(page, IDC_README_TEXT, text.c_str());
    return TRUE;
}

INT_PTR HandleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(page, AttachPageContext(page, lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_NEXT:
            ReportAnswer(page, WizardPage::Readme, PageAnswer::Next);
            return TRUE;
        case IDC_BACK:
            ReportAnswer(page, WizardPage::Readme, PageAnswer::Back);
            return TRUE;
        case IDC_CANCEL:
            OnPageCancel(page, WizardPage::Readme);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

const DLGPROC ReadmePageProc = GuardedPageProc<HandleMessage>;

#include "ui/FileDetailsDialog.h"

#include "engine/PathOperations.h"
#include "resources/ResourceIds.h"
#include "ui/FormatThousands.h"
#include "ui/ModalDialog.h"

namespace {

struct FileDetailsState : ModalDialogState {
    const FileExistsRecord* record = nullptr;
};

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    const FileExistsRecord& record = *AttachDialogState<FileDetailsState>(dialog, parameter).record;
    SetDlgItemTextA(dialog, IDC_DETAILS_FILE_NAME, FileNamePart(record.existingPath).c_str());
    SetDlgItemTextA(dialog, IDC_NEW_DATE, record.newDate.CStr());
    SetDlgItemTextA(dialog, IDC_EXISTING_DATE, record.existingDate.CStr());
    SetDlgItemTextA(dialog, IDC_NEW_SIZE, FormatThousands(record.newSize).c_str());
    SetDlgItemTextA(dialog, IDC_EXISTING_SIZE, FormatThousands(record.existingSize).c_str());
    return TRUE;
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        // Only a click on OK closes it (the whole wParam is IDOK): not Esc, not the close
        // box.
        if (wParam == IDOK) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

Failure FileDetailsDialog(HWND owner, const FileExistsRecord& record, INT_PTR& result) {
    FileDetailsState state;
    state.record = &record;
    return RunModalDialog(IDD_FILE_DETAILS, owner, GuardedDialogProc<HandleMessage>, state, result);
}

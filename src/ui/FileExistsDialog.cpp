#include "ui/FileExistsDialog.h"

#include "common/Win32Handles.h"
#include "engine/FileOperations.h"
#include "engine/LzExpand.h"
#include "resources/ResourceIds.h"
#include "ui/FileDetailsDialog.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalDialog.h"
#include "ui/WindowPlacement.h"

namespace {

struct FileExistsState : ModalDialogState {
    FileExistsRecord* record = nullptr;
};

Failure ReadFileInformation(const char* path, BY_HANDLE_FILE_INFORMATION& information) {
    UniqueFile file;
    if (Failure failure = OpenFileExclusive(path, GENERIC_READ, OPEN_EXISTING, file)) {
        return failure;
    }
    information = {};
    GetFileInformationByHandle(file.get(), &information);
    return std::nullopt;
}

// The date as the user's short date format writes it. The time is taken as it is stored, not
// converted to local time.
void FormatShortDate(const FILETIME& time, FixedText& date) {
    SYSTEMTIME systemTime{};
    FileTimeToSystemTime(&time, &systemTime);
    date.Buffer()[0] = '\0';
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &systemTime, nullptr, date.Buffer(),
                   FixedText::kFieldSize);
    date.Sync();
}

INT_PTR OnInitDialog(HWND dialog, LPARAM parameter) {
    const FileExistsState& state = AttachDialogState<FileExistsState>(dialog, parameter);
    const SetupScript* script = state.record->script;
    SetWindowTextA(dialog, script ? script->productName.CStr() : "");
    SetDlgItemTextA(dialog, IDC_EXISTING_PATH, state.record->existingPath);
    CheckRadioButton(dialog, IDC_REPLACE, IDC_ABORT_INSTALL, IDC_REPLACE);
    CentreOverParent(dialog, CentreVariant::Popup);
    return TRUE;
}

bool IsChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

void OnOk(HWND dialog) {
    FileExistsRecord& record = *DialogState<FileExistsState>(dialog)->record;
    const bool applyToAll = IsChecked(dialog, IDC_APPLY_TO_ALL);
    if (record.remembered) {
        record.remembered->applyToAll = applyToAll;
    }
    if (IsChecked(dialog, IDC_REPLACE)) {
        record.decision = kFileExistsReplace;
    }
    if (IsChecked(dialog, IDC_ABORT_INSTALL)) {
        if (ConfirmCancel(dialog, record.script) == IDNO) {
            return;
        }
        record.decision = kFileExistsAbort;
    }
    if (IsChecked(dialog, IDC_DO_NOT_INSTALL)) {
        record.decision = kFileExistsDoNotInstall;
    }
    if (record.remembered) {
        record.remembered->choice = record.decision;
    }
    EndDialog(dialog, 1);
}

void OnDetails(HWND dialog) {
    INT_PTR result = 0;
    if (Failure failure =
            FileDetailsDialog(dialog, *DialogState<FileExistsState>(dialog)->record, result)) {
        FailModalDialog(dialog, std::move(*failure));
    }
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        // No Cancel: Esc and every other command leave the dialog open.
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDC_DETAILS:
            OnDetails(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

} // namespace

Failure AskFileExists(HWND owner, const SetupScript* script, const char* existingPath,
                      const char* newPath, RememberedChoice& remembered, std::uint32_t& answer) {
    RestoreMainWindow(owner);
    FileExistsRecord record;
    record.script = script;
    record.remembered = &remembered;
    record.newPath = newPath;
    record.existingPath = existingPath;

    // Both files are opened exclusively, one after the other, and closed again before the
    // expanded size is read, which opens the new file once more.
    BY_HANDLE_FILE_INFORMATION newFile{};
    BY_HANDLE_FILE_INFORMATION existingFile{};
    std::int32_t newSize = 0;
    if (Failure failure = ReadFileInformation(newPath, newFile)) {
        return failure;
    }
    if (Failure failure = ReadFileInformation(existingPath, existingFile)) {
        return failure;
    }
    if (Failure failure = LzExpandedSize(newPath, newSize)) {
        return failure;
    }
    record.newSize = static_cast<std::uint32_t>(newSize);
    record.existingSize = existingFile.nFileSizeLow;
    FormatShortDate(newFile.ftLastWriteTime, record.newDate);
    FormatShortDate(existingFile.ftLastWriteTime, record.existingDate);

    INT_PTR result = 0;
    if (Failure failure = FileExistsDialog(owner, record, result)) {
        return failure;
    }
    answer = record.decision;
    return std::nullopt;
}

Failure FileExistsDialog(HWND owner, FileExistsRecord& record, INT_PTR& result) {
    FileExistsState state;
    state.record = &record;
    record.decision = kFileExistsUndecided;
    return RunModalDialog(IDD_FILE_EXISTS, owner, GuardedDialogProc<HandleMessage>, state, result);
}

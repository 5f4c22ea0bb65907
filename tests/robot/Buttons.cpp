#include "robot/Buttons.h"

namespace robot {

bool Press(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    return button && PostMessageA(button, BM_CLICK, 0, 0);
}

bool Click(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (!button) {
        return false;
    }
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool IsChecked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

} // namespace robot

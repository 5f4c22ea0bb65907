#include "ui/PageCommon.h"

#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"
#include "ui/MainWindowPainting.h"
#include "ui/MessageBoxes.h"
#include "shell/SetupState.h"

namespace {

// Every side-picture control is a static, so one kept procedure serves them all.
WNDPROC g_staticProc = nullptr;

LRESULT CALLBACK SideBitmapProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    // Without a side picture the static paints itself (nothing, being empty).
    if (message == WM_PAINT && PaintBitmapStretched(&SideImage(), control)) {
        return 0;
    }
    return CallWindowProcA(g_staticProc, control, message, wParam, lParam);
}

} // namespace

void OnPageCancel(HWND page) {
    if (ConfirmCancel(page, g_setup.LoadedScript()) == IDYES) {
        PostFlowMessage(WM_SETUP_ABORT);
    }
}

void InstallSideBitmapProc(HWND page) {
    HWND control = GetDlgItem(page, IDC_SIDE_BITMAP);
    if (!control) {
        return;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SideBitmapProc)));
    if (previous != SideBitmapProc) {
        g_staticProc = previous;
    }
}

void GetControlText(HWND page, int id, char (&text)[256]) {
    text[0] = '\0';
    GetDlgItemTextA(page, id, text, sizeof text);
}

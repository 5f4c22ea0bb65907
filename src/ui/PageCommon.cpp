#include "ui/PageCommon.h"

#include "resources/ResourceIds.h"
#include "ui/GuardedProcedures.h"
#include "ui/MessageBoxes.h"

namespace {

// Every side-picture control is a static, so one kept procedure serves them all.
WNDPROC g_staticProc = nullptr;

LRESULT SideBitmapMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    // Without a side picture the static paints itself (nothing, being empty).
    if (message == WM_PAINT) {
        const PageContext* context = PageContextOf(GetParent(control));
        if (context && PaintBitmapStretched(&context->sidePicture, control)) {
            return 0;
        }
    }
    return CallWindowProcA(g_staticProc, control, message, wParam, lParam);
}

constexpr WNDPROC kSideBitmapProc = GuardedWindowProc<SideBitmapMessage>;

} // namespace

PageContext& AttachPageContext(HWND page, LPARAM parameter) {
    auto* context = reinterpret_cast<PageContext*>(parameter);
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
    return *context;
}

PageContext* PageContextOf(HWND page) {
    return page ? reinterpret_cast<PageContext*>(GetWindowLongPtrA(page, DWLP_USER)) : nullptr;
}

void ReportAnswer(HWND page, WizardPage which, PageAnswer answer) {
    if (PageContext* context = PageContextOf(page)) {
        context->host.PageAnswered(which, answer);
    }
}

void OnPageCancel(HWND page, WizardPage which) {
    const PageContext* context = PageContextOf(page);
    if (!context) {
        return;
    }
    // Pages exist only once the script is loaded.
    if (ConfirmCancel(page, &context->script) == IDYES) {
        ReportAnswer(page, which, PageAnswer::Cancel);
    }
}

void InstallSideBitmapProc(HWND page) {
    HWND control = GetDlgItem(page, IDC_SIDE_BITMAP);
    if (!control) {
        return;
    }
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kSideBitmapProc)));
    if (previous != kSideBitmapProc) {
        g_staticProc = previous;
    }
}

void GetControlText(HWND page, int id, char (&text)[256]) {
    text[0] = '\0';
    GetDlgItemTextA(page, id, text, sizeof text);
}

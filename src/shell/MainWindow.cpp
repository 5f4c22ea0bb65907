#include "shell/MainWindow.h"

#include "resources/ResourceIds.h"
#include "shell/Completion.h"
#include "shell/FlowController.h"
#include "ui/SetupMessages.h"
#include "shell/SetupState.h"
#include "ui/BitmapControl.h"
#include "ui/DestinationPage.h"
#include "ui/MainWindowPainting.h"
#include "ui/MessageBoxes.h"
#include "ui/GuardedProcedures.h"
#include "ui/PageContext.h"
#include "ui/ProgressDialog.h"
#include "ui/ReadmePage.h"
#include "ui/WelcomePage.h"
#include "ui/WindowPlacement.h"

#include <optional>

namespace {

// What the current page works on. Made again for every page: the destination is the first
// directory of the script loaded last.
std::optional<PageContext> g_pageContext;

PageContext& FreshPageContext() {
    g_pageContext.emplace(PageContext{
        g_setup.script, g_setup.DestinationDirectory(), g_setup.sourceDirectory, g_setup.setupType,
        g_setup.createGroups, g_setup.drives, SideImage(), WizardFlowHost()});
    return *g_pageContext;
}

} // namespace

void CreateAndShowPage(int templateId, DLGPROC procedure) {
    HWND page =
        CreateDialogParamA(g_setup.instance, MAKEINTRESOURCEA(templateId), g_setup.mainWindow,
                           procedure, reinterpret_cast<LPARAM>(&FreshPageContext()));
    // A page whose initialisation failed has already ended the run and is gone.
    if (page && IsWindow(page)) {
        ShowPage(page);
    }
}

namespace {

void OnShowReadme(WPARAM forward) {
    if (!g_setup.script.readmeFile.Empty()) {
        CreateAndShowPage(IDD_README, ReadmePageProc);
    } else {
        SkipReadme(forward);
    }
}

void OnSetupAbort() {
    DestroyCurrentPage();
    FinishSetup(FinishFlag::Incomplete);
}

// The close box and Alt+F4 ask the same question as a page's Cancel, so that closing never
// destroys the window behind the flow's back: with a page shown the page's cancel protocol
// applies; while files are copied the progress window's Cancel stops the run between items;
// at any other moment (start-up, completion) the request is ignored. So is a request while the
// page waits for a modal window of its own (the browser, a message box, the cancel question
// itself): a Yes then would destroy the page under the running modal loop.
void OnClose() {
    if (g_setup.currentPage && IsWindow(g_setup.currentPage)) {
        if (!IsWindowEnabled(g_setup.currentPage)) {
            return;
        }
        if (ConfirmCancel(g_setup.currentPage, g_setup.LoadedScript()) == IDYES) {
            PostFlowMessage(WM_SETUP_ABORT);
        }
    } else if (g_setup.progressWindow) {
        PostMessageA(g_setup.progressWindow, WM_COMMAND, IDCANCEL, 0);
    }
}

void OnSizeOrMove(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    if (g_setup.progressWindow) {
        PlaceProgressDialog(g_setup.progressWindow);
    }
    if (g_setup.bitmapControl) {
        CentreBitmapControl(*g_setup.bitmapControl);
    }
}

} // namespace

void PostFlowMessage(UINT message, WPARAM wParam) {
    PostMessageA(g_setup.mainWindow, message, wParam, 0);
}

bool RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.style = 0;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SETUP));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, bool shown) {
    HWND window = CreateWindowExA(0, kMainWindowClass, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  shown ? nullptr : HWND_MESSAGE, nullptr, instance, nullptr);
    if (window && shown) {
        ShowWindow(window, SW_SHOWMAXIMIZED);
        UpdateWindow(window);
    }
    return window;
}

void ShowPage(HWND page) {
    CentreOverParent(page, CentreVariant::Page);
    HWND old = g_setup.currentPage;
    const bool oldExists = old && IsWindow(old);
    ShowWindow(page, SW_SHOW);
    if (oldExists) {
        ShowWindow(old, SW_HIDE);
        DestroyWindow(old);
    }
    g_setup.currentPage = page;
}

void DestroyCurrentPage() {
    if (g_setup.currentPage && IsWindow(g_setup.currentPage)) {
        DestroyWindow(g_setup.currentPage);
    }
    g_setup.currentPage = nullptr;
}

namespace {

LRESULT HandleMainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETUP_START:
        StartSetup();
        return 0;
    case WM_SHOW_WELCOME:
        CreateAndShowPage(IDD_WELCOME, WelcomePageProc);
        return 0;
    case WM_SHOW_README:
        OnShowReadme(wParam);
        return 0;
    case WM_SHOW_DESTINATION:
        CreateAndShowPage(IDD_DESTINATION, DestinationPageProc);
        return 0;
    case WM_SHOW_CUSTOM:
        ShowCustomPage();
        return 0;
    case WM_SHOW_SETUP_TYPE:
        ShowSetupTypePage();
        return 0;
    case WM_DESTINATION_CHOSEN:
        AfterDestination();
        return 0;
    case WM_GROUP_STEP:
        GroupStep();
        return 0;
    case WM_GROUP_CHOSEN:
        DestroyCurrentPage();
        BeginInstall();
        return 0;
    case WM_SETUP_ABORT:
        OnSetupAbort();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SIZE:
    case WM_MOVE:
        OnSizeOrMove(window);
        return 0;
    case WM_PAINT:
        if (PaintMainWindow(window, g_setup.script)) {
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        if (EraseMainBackground(window, reinterpret_cast<HDC>(wParam), g_setup.script)) {
            return 1;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_DESTROY:
        // The billboard control goes with its parent; nothing may reach it after this.
        g_setup.bitmapControl = nullptr;
        g_setup.bitmapWindow = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

const WNDPROC MainWndProc = GuardedWindowProc<HandleMainMessage>;

#include "PageTest.h"

#include "engine/PathOperations.h"
#include "engine/Accounting.h"
#include "ui/SetupMessages.h"

#include <utility>

namespace {

constexpr const char* kMainWindowClass = "PageTestMain";

std::vector<UINT> g_flowMessages;

LRESULT CALLBACK RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message > WM_USER && message <= WM_SHOW_README) {
        g_flowMessages.push_back(message);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMainWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = RecordingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kMainWindowClass;
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return RegisterClassA(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

InstallItem DeleteItem(const char* name, std::uint32_t size, std::int32_t count) {
    InstallItem item;
    item.dirIndex = 1;
    item.diskNumber = 1;
    item.action = static_cast<std::uint8_t>(ItemAction::Delete);
    item.name.Assign(name);
    item.size = size;
    item.installCount = count;
    return item;
}

Component MakeComponent(const char* name, const char* description, std::vector<std::uint32_t> files,
                        bool typical, bool minimal) {
    Component component;
    component.name.Assign(name);
    component.description.Assign(description);
    component.files = std::move(files);
    component.inTypical = typical;
    component.inMinimal = minimal;
    return component;
}

} // namespace

void PageTest::SetUp() {
    g_setup = SetupState{};
    g_setup.instance = GetModuleHandleA(nullptr);
    g_setup.scriptLoaded = true;
    g_setup.script.productName.Assign("Page Product");
    g_setup.script.cancelCaption.Assign("Stop Page Setup");
    g_setup.script.cancelText.Assign("Stop it?");
    DirectoryEntry destination;
    destination.templatePath.Assign("C:\\PAGETEST");
    destination.path.Assign("C:\\PAGETEST");
    g_setup.script.directories = {destination};
    g_flowMessages.clear();

    RegisterMainWindowClass();
    mainWindow = CreateWindowA(kMainWindowClass, "Page Product", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                               600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
    g_setup.mainWindow = mainWindow;
}

void PageTest::TearDown() {
    if (page && IsWindow(page)) {
        DestroyWindow(page);
    }
    g_setup.mainWindow = nullptr;
    if (mainWindow) {
        DestroyWindow(mainWindow);
    }
    FlowMessages();
}

HWND PageTest::OpenPage(int templateId, DLGPROC procedure) {
    page = CreateDialogParamA(g_setup.instance, MAKEINTRESOURCEA(templateId), mainWindow, procedure,
                              0);
    EXPECT_NE(page, nullptr) << "template " << templateId;
    if (page) {
        ShowWindow(page, SW_SHOW);
        UpdateWindow(page);
    }
    return page;
}

std::vector<UINT> PageTest::FlowMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return std::exchange(g_flowMessages, {});
}

void PageTest::Command(int id, WORD notification) {
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

std::string PageTest::Text(int id) const {
    char text[512] = {};
    GetDlgItemTextA(page, id, text, sizeof text);
    return text;
}

bool PageTest::Shown(int id) const {
    return (GetWindowLongA(GetDlgItem(page, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool PageTest::Enabled(int id) const {
    return IsWindowEnabled(GetDlgItem(page, id)) != FALSE;
}

bool PageTest::Checked(int id) const {
    return IsDlgButtonChecked(page, id) == BST_CHECKED;
}

void UseComponentScript() {
    SetupScript& script = g_setup.script;
    script.installItems = {DeleteItem("C:\\PAGETEST\\CORE", 1'500'000, 1),
                           DeleteItem("C:\\PAGETEST\\HELP", 250'999, 1),
                           DeleteItem("C:\\PAGETEST\\SHARED", 40'000, 2),
                           DeleteItem("C:\\PAGETEST\\SAMPLES", 3'000'000, 1),
                           DeleteItem("C:\\PAGETEST\\ALWAYS", 7'000, kInstallAlways)};
    script.components = {
        MakeComponent("Program Files", "The program itself.", {0}, true, true),
        MakeComponent("Help Files", "Help and the tutorial.", {1, 2}, true, false),
        MakeComponent("Samples", "Sample documents.", {3, 2}, false, false),
    };
    for (Component& component : script.components) {
        for (std::uint32_t index : component.files) {
            component.totalSize += script.installItems[index].size;
        }
    }
    BuildDriveList(script, g_setup.drives, VolumeRoot, [](const std::string&) {});
}

#include "PageTest.h"

#include "TestWindows.h"

#include "engine/Accounting.h"
#include "engine/PathOperations.h"

namespace {

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
    script.productName.Assign("Page Product");
    script.cancelCaption.Assign("Stop Page Setup");
    script.cancelText.Assign("Stop it?");
    DirectoryEntry destination;
    destination.templatePath.Assign("C:\\PAGETEST");
    destination.path.Assign("C:\\PAGETEST");
    script.directories = {destination};

    mainWindow = CreateWindowA(PlainTestWindowClass(), "Page Product", WS_OVERLAPPEDWINDOW, 0, 0,
                               800, 600, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mainWindow, nullptr);
    ShowWindow(mainWindow, SW_SHOWNORMAL);
}

void PageTest::TearDown() {
    if (page && IsWindow(page)) {
        DestroyWindow(page);
    }
    if (mainWindow) {
        DestroyWindow(mainWindow);
    }
    Answers();
}

HWND PageTest::OpenPage(int templateId, DLGPROC procedure) {
    context.emplace(PageContext{script, script.directories.at(0).path, sourceDirectory, setupType,
                                createGroups, drives, sidePicture, *this});
    page = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), mainWindow,
                              procedure, reinterpret_cast<LPARAM>(&*context));
    EXPECT_NE(page, nullptr) << "template " << templateId;
    if (page) {
        ShowWindow(page, SW_SHOW);
        UpdateWindow(page);
    }
    return page;
}

std::vector<std::pair<WizardPage, PageAnswer>> PageTest::Answers() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return std::exchange(answers, {});
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

void PageTest::UseComponentScript() {
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
    EXPECT_FALSE(BuildDriveList(script, drives, VolumeRoot, [](const std::string&) {}));
}

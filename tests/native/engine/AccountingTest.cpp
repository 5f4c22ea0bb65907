#include "script/SetupError.h"
#include "engine/Accounting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Volume roots as a system with drives C: and D: gives them; anything else has no volume.
Failure FakeVolumeRoot(std::string_view path, std::string& root) {
    if (path.size() >= 2 && path[1] == ':' &&
        (path[0] == 'C' || path[0] == 'c' || path[0] == 'D')) {
        root = std::string(path.substr(0, 2)) + "\\";
        return std::nullopt;
    }
    return SetupError(kErrorNoFullPath, "no volume");
}

// For the tests that do not look at the current directory.
void KeepDirectory(const std::string&) {}

const MacroValues kMacros{.sourceDirectory = "A:\\",
                          .windowsDirectory = "C:\\WINDOWS",
                          .systemDirectory = "C:\\WINDOWS\\SYSTEM",
                          .destinationDirectory = "C:\\APP",
                          .programFilesDirectory = "C:\\Program Files"};

InstallItem Item(std::uint8_t dirIndex, std::uint32_t size) {
    InstallItem item;
    item.dirIndex = dirIndex;
    item.size = size;
    item.action = static_cast<std::uint8_t>(ItemAction::Copy);
    return item;
}

Component MakeComponent(std::vector<std::uint32_t> files, bool typical, bool minimal) {
    Component component;
    component.files = std::move(files);
    component.inTypical = typical;
    component.inMinimal = minimal;
    return component;
}

// Loads counts and totals the way the script loader does.
void CountComponents(SetupScript& script) {
    for (Component& component : script.components) {
        component.totalSize = 0;
        for (std::uint32_t index : component.files) {
            InstallItem& item = script.installItems[index];
            component.totalSize += item.size;
            if (item.installCount == kInstallAlways) {
                item.installCount = 0;
            }
            ++item.installCount;
        }
    }
}

SetupScript TwoDriveScript() {
    SetupScript script;
    for (const char* path : {"C:\\APP", "C:\\APP\\DATA", "D:\\SHARED"}) {
        DirectoryEntry entry;
        entry.path.Assign(path);
        entry.templatePath.Assign(path);
        script.directories.push_back(entry);
    }
    script.installItems = {Item(1, 1000), Item(2, 200), Item(3, 30), Item(1, 4), Item(0, 5000)};
    // Item 0 in both components; item 1 only in Extras; item 2 only in Shared; item 3 in none;
    // item 4 has no directory.
    script.components = {MakeComponent({0}, true, true), MakeComponent({0, 1}, false, false),
                         MakeComponent({2}, true, false)};
    CountComponents(script);
    return script;
}

std::uint64_t Required(const std::vector<DriveEntry>& drives, std::string_view root) {
    const auto index = FindDrive(drives, root);
    return index ? drives[*index].requiredBytes : ~0ull;
}

} // namespace

TEST(Accounting, SharedFilesCountOncePerDriveAndVolumesGiveDrives) {
    SetupScript script = TwoDriveScript();
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    ASSERT_EQ(drives.size(), 2u) << "two directories on C: share one drive";
    EXPECT_EQ(drives[0].rootPath, "C:");
    EXPECT_EQ(script.directories[1].driveIndex, 0u);
    EXPECT_EQ(script.directories[2].driveIndex, 1u);
    // Item 0 is listed by two components but counted once; item 3 (no component) always;
    // item 4 has no directory and counts nowhere.
    EXPECT_EQ(Required(drives, "C:"), 1000u + 200u + 4u);
    EXPECT_EQ(Required(drives, "c:"), 1000u + 200u + 4u) << "roots compare case-insensitively";
    EXPECT_EQ(Required(drives, "D:"), 30u);
}

TEST(Accounting, LaterDirectoriesWithoutADriveLieOnTheFirstDirectorysDrive) {
    // A path without a drive resolves against the current directory's drive, which starts on
    // Z: (where the program was started) and is what the changes made it.
    std::string current = "Z:";
    const auto volumeRoot = [&current](std::string_view path, std::string& root) -> Failure {
        root = path.substr(0, 1) == "\\" ? current + "\\" : std::string(path.substr(0, 2)) + "\\";
        return std::nullopt;
    };
    const auto changeDirectory = [&current](const std::string& root) { current = root; };
    SetupScript script;
    for (const char* path : {"C:\\APP", "\\SHARED"}) {
        DirectoryEntry entry;
        entry.path.Assign(path);
        script.directories.push_back(entry);
    }
    script.installItems = {Item(2, 70)};
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, volumeRoot, changeDirectory));
    ASSERT_EQ(drives.size(), 1u);
    EXPECT_EQ(drives[0].rootPath, "C:");
    EXPECT_EQ(Required(drives, "C:"), 70u);
    EXPECT_EQ(current, "C:");
}

TEST(Accounting, BuildDriveListRefusesADirectoryWithoutVolume) {
    SetupScript script = TwoDriveScript();
    script.directories[2].path.Assign("Q:\\NOWHERE");
    std::vector<DriveEntry> drives;
    const Failure failure = BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code(), static_cast<std::uint32_t>(kErrorNoFullPath));
}

TEST(Accounting, TotalsAreWideEnoughForHugeProducts) {
    SetupScript script;
    DirectoryEntry entry;
    entry.path.Assign("C:\\APP");
    script.directories.push_back(entry);
    for (int i = 0; i < 3; ++i) {
        script.installItems.push_back(Item(1, 0xFFFFFFFFu));
    }
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    EXPECT_EQ(drives[0].requiredBytes, 3ull * 0xFFFFFFFFull);
}

TEST(Accounting, ResolveDirectoriesExpandsPrefixesOrKeeps) {
    SetupScript script;
    for (const char* path : {"C:\\APP", "?W\\SYSTEM", "\\TOOLS", "DATA\\X", "D:\\ABS", "?x"}) {
        DirectoryEntry entry;
        entry.templatePath.Assign(path);
        entry.path.Assign(path);
        script.directories.push_back(entry);
    }
    script.directories[0].path.Assign("E:\\CHOSEN");
    ResolveDirectories(script, "E:\\", kMacros);
    EXPECT_EQ(script.directories[0].path.View(), "E:\\CHOSEN") << "the destination is not touched";
    EXPECT_EQ(script.directories[1].path.View(), "C:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(script.directories[2].path.View(), "E:\\TOOLS") << "one leading backslash dropped";
    EXPECT_EQ(script.directories[3].path.View(), "E:\\DATA\\X")
        << "below the root, not the destination";
    EXPECT_EQ(script.directories[4].path.View(), "D:\\ABS");
    EXPECT_EQ(script.directories[5].path.View(), "?x")
        << "a question mark means expand, even unknown";
    EXPECT_EQ(script.directories[2].templatePath.View(), "\\TOOLS");
}

TEST(Accounting, ExpandStartupStringsUsesTheExpandedDestination) {
    SetupScript script;
    DirectoryEntry entry;
    entry.path.Assign("?F\\Sample");
    script.directories.push_back(entry);
    script.welcomeText.Assign("Installs into ?D.");
    script.productName.Assign("Sample ?P");
    script.cancelText.Assign("?D stays");
    MacroValues macros = kMacros;
    macros.destinationDirectory = script.directories[0].path.View();
    ExpandStartupStrings(script, macros);
    EXPECT_EQ(script.directories[0].path.View(), "C:\\Program Files\\Sample");
    EXPECT_EQ(script.welcomeText.View(), "Installs into C:\\Program Files\\Sample.");
    EXPECT_EQ(script.productName.View(), "Sample ");
    EXPECT_EQ(script.cancelText.View(), "?D stays") << "the cancel text is never expanded";
}

TEST(Accounting, TypicalAndMinimalFollowMembership) {
    SetupScript script = TwoDriveScript();
    ApplySetupType(script, kSetupTypical);
    EXPECT_EQ(script.installItems[0].installCount, 1) << "listed twice, one Typical component";
    EXPECT_EQ(script.installItems[1].installCount, 0);
    EXPECT_EQ(script.installItems[2].installCount, 1);
    EXPECT_EQ(script.installItems[3].installCount, kInstallAlways);
    ApplySetupType(script, kSetupMinimal);
    EXPECT_EQ(script.installItems[0].installCount, 1);
    EXPECT_EQ(script.installItems[2].installCount, 0);
    EXPECT_EQ(script.installItems[3].installCount, kInstallAlways);
    EXPECT_EQ(script.components[0].selected, 1);
    EXPECT_EQ(script.components[2].selected, 0) << "the ticks follow the type";
}

TEST(Accounting, ResetKeepsComponentTotals) {
    SetupScript script = TwoDriveScript();
    ApplySetupType(script, kSetupTypical);
    EXPECT_EQ(script.components[1].totalSize, 1200u);
}

TEST(Accounting, CustomKeepsTheCountsThePageLeft) {
    SetupScript script = TwoDriveScript();
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    ToggleComponent(script, drives, script.components[2]);
    ApplySetupType(script, kSetupCustom);
    EXPECT_EQ(script.installItems[2].installCount, 0);
    EXPECT_EQ(script.installItems[0].installCount, 2);
}

TEST(Accounting, TogglingKeepsDriveTotalsInStep) {
    SetupScript script = TwoDriveScript();
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    Component& first = script.components[0];
    Component& second = script.components[1];

    ToggleComponent(script, drives, first);
    EXPECT_EQ(first.selected, 0);
    EXPECT_EQ(Required(drives, "C:"), 1204u) << "item 0 still held by the second component";
    ToggleComponent(script, drives, second);
    EXPECT_EQ(Required(drives, "C:"), 4u) << "clearing both owners subtracts once";
    EXPECT_EQ(script.installItems[0].installCount, 0);
    ToggleComponent(script, drives, first);
    EXPECT_EQ(Required(drives, "C:"), 1004u);

    // The invariant: totals equal a fresh count of the selected items.
    std::vector<DriveEntry> fresh;
    ASSERT_FALSE(BuildDriveList(script, fresh, FakeVolumeRoot, KeepDirectory));
    EXPECT_EQ(fresh[0].requiredBytes, drives[0].requiredBytes);
    EXPECT_EQ(fresh[1].requiredBytes, drives[1].requiredBytes);
}

TEST(Accounting, ComponentDriveIsTheDriveOfItsFirstItem) {
    SetupScript script = TwoDriveScript();
    script.components.push_back(MakeComponent({}, false, false));
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    EXPECT_EQ(ComponentDrive(script, drives, script.components[2])->rootPath, "D:");
    EXPECT_EQ(ComponentDrive(script, drives, script.components[3]), nullptr)
        << "a component without files has no drive";
}

// Typical, Back from the space check, then Custom: the custom page's ticks show what the
// counts install, and toggling works from there.
TEST(Accounting, TypicalBackThenCustomStartsFromTypicalTicksAndCounts) {
    SetupScript script = TwoDriveScript();
    ApplySetupType(script, kSetupTypical);
    std::vector<DriveEntry> drives;
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    EXPECT_EQ(Required(drives, "C:"), 1004u);
    ApplySetupType(script, kSetupCustom);
    ASSERT_FALSE(BuildDriveList(script, drives, FakeVolumeRoot, KeepDirectory));
    EXPECT_EQ(Required(drives, "C:"), 1004u);
    EXPECT_EQ(script.components[1].selected, 0) << "Extras is not Typical: shown unticked";
    ToggleComponent(script, drives, script.components[1]);
    EXPECT_EQ(Required(drives, "C:"), 1204u) << "ticking it adds its own item";
    EXPECT_EQ(script.installItems[1].installCount, 1);
}

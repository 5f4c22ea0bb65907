#include "engine/ItemPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Relative names resolve against C:\CWD, as the platform's full path would.
std::optional<std::string> InCurrentDirectory(std::string_view path, std::size_t capacity) {
    const bool relative = path.size() < 2 || path[1] != ':';
    return PathAsWritten(relative ? "C:\\CWD\\" + std::string(path) : std::string(path), capacity);
}

InstallItem Item(ItemAction action, std::string_view name, std::string_view subdir = {},
                 bool compressed = false, std::uint8_t dirIndex = 1) {
    InstallItem item;
    item.action = static_cast<std::uint8_t>(action);
    item.name.Assign(name);
    item.sourceSubdir.Assign(subdir);
    item.compressed = compressed ? 1 : 0;
    item.dirIndex = dirIndex;
    return item;
}

SetupScript TwoDirectories() {
    SetupScript script;
    script.directories.resize(2);
    script.directories[0].path.Assign("C:\\APP");
    script.directories[1].path.Assign("C:\\APP\\BIN\\");
    return script;
}

} // namespace

TEST(ItemPaths, SourceJoinsBaseSubdirAndTheOnDiskName) {
    EXPECT_EQ(ItemSourcePath(Item(ItemAction::Copy, "README.TXT"), "A:\\", InCurrentDirectory),
              "A:\\README.TXT");
    EXPECT_EQ(ItemSourcePath(Item(ItemAction::Copy, "README.TXT", "DOCS"), "Z:\\DISK1",
                             InCurrentDirectory),
              "Z:\\DISK1\\DOCS\\README.TXT");
    // A compressed item is looked for under its compressed name.
    EXPECT_EQ(ItemSourcePath(Item(ItemAction::Copy, "REGISTER.EXE", "BIN", true), "A:\\",
                             InCurrentDirectory),
              "A:\\BIN\\REGISTER.EX_");
    EXPECT_EQ(ItemSourcePath(Item(ItemAction::ShowBitmap, "LOGO.BMP", "", true), "A:\\",
                             InCurrentDirectory),
              "A:\\LOGO.BM_");
    // Without a base the path is relative to the source directory: what the disk prompt looks
    // for.
    EXPECT_EQ(
        ItemSourcePath(Item(ItemAction::Copy, "REGISTER.EXE", "BIN", true), "", InCurrentDirectory),
        "BIN\\REGISTER.EX_");
    EXPECT_EQ(ItemSourcePath(Item(ItemAction::Copy, "A.TXT"), "", InCurrentDirectory), "A.TXT");
}

TEST(ItemPaths, ActionsThatReadNoFileHaveNoSourceOrDestination) {
    const SetupScript script = TwoDirectories();
    for (ItemAction action : {ItemAction::Delete, ItemAction::RunNormal, ItemAction::RunMaximized,
                              ItemAction::RunMinimized, ItemAction::HideBitmap}) {
        const InstallItem item = Item(action, "C:\\APP\\OLD.DLL", "SUB");
        EXPECT_FALSE(ItemReadsSource(item));
        EXPECT_EQ(ItemSourcePath(item, "A:\\", InCurrentDirectory), "");
        EXPECT_EQ(ItemDestinationPath(script, item), "");
    }
    // Codes the interpreter does not know still build both paths.
    InstallItem unknown = Item(ItemAction::Copy, "X.TXT");
    for (std::uint8_t code : {0, 8, 255}) {
        unknown.action = code;
        EXPECT_TRUE(ItemReadsSource(unknown));
        EXPECT_EQ(ItemSourcePath(unknown, "A:\\", InCurrentDirectory), "A:\\X.TXT");
        EXPECT_EQ(ItemDestinationPath(script, unknown), "C:\\APP\\X.TXT");
    }
}

TEST(ItemPaths, DestinationIsTheNumberedDirectoryAndTheName) {
    const SetupScript script = TwoDirectories();
    EXPECT_EQ(ItemDestinationPath(script, Item(ItemAction::Copy, "A.EXE", "", false, 1)),
              "C:\\APP\\A.EXE");
    EXPECT_EQ(ItemDestinationPath(script, Item(ItemAction::Copy, "B.DLL", "", false, 2)),
              "C:\\APP\\BIN\\B.DLL");
}

TEST(ItemPaths, DirectoryNumbersOutsideTheListNameNoDirectory) {
    const SetupScript script = TwoDirectories();
    EXPECT_EQ(ItemDirectoryPath(script, Item(ItemAction::Copy, "A", "", false, 1)), "C:\\APP");
    EXPECT_EQ(ItemDirectoryPath(script, Item(ItemAction::Copy, "A", "", false, 2)),
              "C:\\APP\\BIN\\");
    EXPECT_FALSE(ItemDirectoryPath(script, Item(ItemAction::Copy, "A", "", false, 0)));
    EXPECT_FALSE(ItemDirectoryPath(script, Item(ItemAction::Copy, "A", "", false, 3)));
    EXPECT_FALSE(ItemDirectoryPath(script, Item(ItemAction::Copy, "A", "", false, 255)));
    EXPECT_FALSE(ItemDirectoryPath(SetupScript{}, Item(ItemAction::Copy, "A", "", false, 1)));
    // The failure message still names the file.
    EXPECT_EQ(ItemDestinationPath(script, Item(ItemAction::Copy, "A.EXE", "", false, 9)), "A.EXE");
}

TEST(ItemPaths, RunShowModes) {
    EXPECT_EQ(RunShowMode(static_cast<std::uint8_t>(ItemAction::RunNormal)), 1);
    EXPECT_EQ(RunShowMode(static_cast<std::uint8_t>(ItemAction::RunMaximized)), 3);
    EXPECT_EQ(RunShowMode(static_cast<std::uint8_t>(ItemAction::RunMinimized)), 2);
    for (std::uint8_t other : {0, 1, 2, 3, 7, 8, 255}) {
        EXPECT_EQ(RunShowMode(other), 1) << int(other);
    }
}

TEST(ItemPaths, SplitPiecesTakeNumberedExtensions) {
    EXPECT_EQ(SplitPiecePath("", "SETUP.EX_", 2, InCurrentDirectory), "SETUP.~01");
    EXPECT_EQ(SplitPiecePath("", "SETUP.EX_", 3, InCurrentDirectory), "SETUP.~02");
    EXPECT_EQ(SplitPiecePath("BIN", "BIG.DA_", 11, InCurrentDirectory), "BIN\\BIG.~10");
    EXPECT_EQ(SplitPiecePath("BIN\\", "BIG.DA_", 2, InCurrentDirectory), "BIN\\BIG.~01");
    // Past 99 pieces the number simply grows; a name without extension gets one.
    EXPECT_EQ(SplitPiecePath("", "DATA", 102, InCurrentDirectory), "DATA.~101");
}

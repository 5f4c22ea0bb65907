#include "engine/ActionInterpreter.h"

#include "InstallTestSupport.h"
#include "script/SetupError.h"

namespace {

using ActionInterpreterTest = InstallTest;

InstallItem Item(ItemAction action, const std::string& name, std::uint8_t dirIndex = 1) {
    InstallItem item;
    item.action = static_cast<std::uint8_t>(action);
    item.dirIndex = dirIndex;
    item.diskNumber = 1;
    item.name.Assign(name);
    return item;
}

} // namespace

TEST_F(ActionInterpreterTest, CopyWithoutADirectoryAsksAndYesGoesOn) {
    InstallItem item = Item(ItemAction::Copy, "TEXT.TXT", 7);
    item.compressed = 1;
    host.continueAfterFailure = true;
    EXPECT_FALSE(ProcessInstallItem(context, item));
    // The file is not on the disk in the drive: the disk is asked for again first, and given up.
    EXPECT_EQ(host.diskChecks, std::vector<std::string>{"TEXT.TX_"});
    EXPECT_EQ(host.failureTexts,
              std::vector<std::string>{"Setup was unable to install\n" + fixtures +
                                       "TEXT.TX_ to\nTEXT.TXT.\nDo you wish "
                                       "to continue?"});
    EXPECT_FALSE(allFilesInstalled);
    EXPECT_EQ(item.done, 0);
    EXPECT_TRUE(FilesIn(scratch).empty());
}

TEST_F(ActionInterpreterTest, NoToTheQuestionCancels) {
    InstallItem item = Item(ItemAction::RunNormal, scratch + "NOPE.EXE /quiet");
    std::uint32_t code = 0;
    host.continueAfterFailure = false;
    if (const Failure failure = ProcessInstallItem(context, item)) {
        code = failure->code();
    }
    EXPECT_EQ(host.failureTexts,
              std::vector<std::string>{"Unable to execute " + scratch +
                                       "NOPE.EXE /quiet.  Do you wish to continue?"});
    EXPECT_EQ(code, static_cast<std::uint32_t>(kErrorCancelled));
}

TEST_F(ActionInterpreterTest, ARunWithoutADirectoryStartsInTheCurrentOne) {
    // The sleeper makes its marker, a relative name, in its working directory.
    SetCurrentDirectoryA(scratch.c_str());
    InstallItem item = Item(ItemAction::RunMinimized,
                            "\"" + ProgramDirectory() + "engine_sleeper.exe\" 10 ran.txt", 0);
    EXPECT_FALSE(ProcessInstallItem(context, item));
    EXPECT_TRUE(Exists(scratch + "ran.txt"));
    EXPECT_TRUE(allFilesInstalled);
    SetCurrentDirectoryA(ProgramDirectory().c_str());
}

TEST_F(ActionInterpreterTest, DeleteMarksOnlyAFileItDeleted) {
    WriteAll(scratch + "old.txt", "old");
    InstallItem present = Item(ItemAction::Delete, scratch + "old.txt");
    EXPECT_FALSE(ProcessInstallItem(context, present));
    EXPECT_EQ(present.done, 1);
    EXPECT_FALSE(Exists(scratch + "old.txt"));
    InstallItem missing = Item(ItemAction::Delete, scratch + "old.txt");
    EXPECT_FALSE(ProcessInstallItem(context, missing));
    EXPECT_EQ(missing.done, 0);
    EXPECT_TRUE(allFilesInstalled);
}

TEST_F(ActionInterpreterTest, UnknownActionsDoNothing) {
    for (std::uint8_t code : {0, 8, 200}) {
        InstallItem item = Item(ItemAction::Copy, "TEXT.TXT");
        item.action = code;
        EXPECT_FALSE(ProcessInstallItem(context, item));
        EXPECT_EQ(item.done, 0);
    }
    EXPECT_TRUE(FilesIn(scratch).empty());
    EXPECT_TRUE(allFilesInstalled);
}

// The disk asked for is the item's own, also past disks a Custom installation left out; going
// back to the current disk asks nothing.
TEST_F(ActionInterpreterTest, TheDiskAskedForIsTheItemsOwn) {
    InstallItem onFour = Item(ItemAction::Delete, scratch + "none.txt");
    onFour.diskNumber = 4;
    EXPECT_FALSE(ProcessInstallItem(context, onFour));
    InstallItem alsoOnFour = onFour;
    EXPECT_FALSE(ProcessInstallItem(context, alsoOnFour));
    InstallItem onTwo = onFour;
    onTwo.diskNumber = 2;
    EXPECT_FALSE(ProcessInstallItem(context, onTwo));
    EXPECT_EQ(host.disksAsked, (std::vector<std::uint32_t>{4, 2}));
    EXPECT_EQ(currentDisk, 2u);
}

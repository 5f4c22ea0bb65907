#include "engine/ActionInterpreter.h"

#include "InstallTestSupport.h"
#include "script/SetupError.h"
#include "shell/SetupState.h"

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

std::function<void(Person&)> AnswerQuestion(int button) {
    return [=](Person& person) {
        HWND box = person.WaitForDialog("Setup");
        person.Note("text", Person::Text(box, kMessageBoxTextId));
        person.Press(box, button);
        person.WaitUntilClosed(box);
    };
}

} // namespace

TEST_F(ActionInterpreterTest, CopyWithoutADirectoryAsksAndYesGoesOn) {
    InstallItem item = Item(ItemAction::Copy, "TEXT.TXT", 7);
    item.compressed = 1;
    {
        Answering answering(person, AnswerQuestion(IDYES));
        ProcessInstallItem(item);
    }
    EXPECT_EQ(person.Saw("text"), "Setup was unable to install\n" + fixtures +
                                      "TEXT.TX_ to\nTEXT.TXT.\nDo you wish to continue?");
    EXPECT_FALSE(g_setup.allFilesInstalled);
    EXPECT_EQ(item.done, 0);
    EXPECT_TRUE(FilesIn(scratch).empty());
}

TEST_F(ActionInterpreterTest, NoToTheQuestionCancels) {
    InstallItem item = Item(ItemAction::RunNormal, scratch + "NOPE.EXE /quiet");
    std::uint32_t code = 0;
    {
        Answering answering(person, AnswerQuestion(IDNO));
        try {
            ProcessInstallItem(item);
        } catch (const SetupError& error) {
            code = error.code();
        }
    }
    EXPECT_EQ(person.Saw("text"),
              "Unable to execute " + scratch + "NOPE.EXE /quiet.  Do you wish to continue?");
    EXPECT_EQ(code, static_cast<std::uint32_t>(kErrorCancelled));
}

TEST_F(ActionInterpreterTest, ARunWithoutADirectoryStartsInTheCurrentOne) {
    // The sleeper makes its marker, a relative name, in its working directory.
    SetCurrentDirectoryA(scratch.c_str());
    InstallItem item = Item(ItemAction::RunMinimized,
                            "\"" + ProgramDirectory() + "engine_sleeper.exe\" 10 ran.txt", 0);
    ProcessInstallItem(item);
    EXPECT_TRUE(Exists(scratch + "ran.txt"));
    EXPECT_TRUE(g_setup.allFilesInstalled);
    SetCurrentDirectoryA(ProgramDirectory().c_str());
}

TEST_F(ActionInterpreterTest, DeleteMarksOnlyAFileItDeleted) {
    WriteAll(scratch + "old.txt", "old");
    InstallItem present = Item(ItemAction::Delete, scratch + "old.txt");
    ProcessInstallItem(present);
    EXPECT_EQ(present.done, 1);
    EXPECT_FALSE(Exists(scratch + "old.txt"));
    InstallItem missing = Item(ItemAction::Delete, scratch + "old.txt");
    ProcessInstallItem(missing);
    EXPECT_EQ(missing.done, 0);
    EXPECT_TRUE(g_setup.allFilesInstalled);
}

TEST_F(ActionInterpreterTest, UnknownActionsDoNothing) {
    for (std::uint8_t code : {0, 8, 200}) {
        InstallItem item = Item(ItemAction::Copy, "TEXT.TXT");
        item.action = code;
        ProcessInstallItem(item);
        EXPECT_EQ(item.done, 0);
    }
    EXPECT_TRUE(FilesIn(scratch).empty());
    EXPECT_TRUE(g_setup.allFilesInstalled);
}

#include "integration/ProgramGroups.h"

#include "robot/BoxAnswerer.h"
#include "CompletionTestSupport.h"

using robot::BoxAnswerer;
using robot::SeenBox;

namespace {

constexpr const char* kGroupOne = "Setupkit Completion One";
constexpr const char* kGroupTwo = "Setupkit Completion Two";

ProgramItem Item(const std::string& name, std::uint8_t group, std::uint8_t iconIndex = 0) {
    ProgramItem item;
    item.name.Assign(name);
    item.groupNumber = group;
    // Wine's shell (8.0) makes a link only when the whole command line names a program that
    // it finds on the search path: no arguments here.
    item.commandLine.Assign("notepad.exe");
    item.iconPath.Assign("notepad.exe");
    item.iconIndex = iconIndex;
    item.workingDirectory.Assign("C:\\windows");
    return item;
}

struct Expected {
    std::string command;
    DWORD timeoutMs;
};

void ExpectExecutes(const std::vector<DdeExecute>& executes,
                    const std::vector<Expected>& expected) {
    ASSERT_EQ(executes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "command " << i << ": " << expected[i].command);
        EXPECT_EQ(executes[i].command, expected[i].command);
        EXPECT_EQ(executes[i].timeoutMs, expected[i].timeoutMs);
        // Sent as CF_TEXT with the terminating NUL, with no item name.
        EXPECT_EQ(executes[i].size, expected[i].command.size() + 1);
        EXPECT_EQ(executes[i].format, static_cast<UINT>(CF_TEXT));
        EXPECT_TRUE(executes[i].withoutItem);
    }
}

class ProgramGroups : public CompletionTest {
protected:
    void SetUp() override {
        CompletionTest::SetUp();
        RemoveGroupFolder(kGroupOne);
        RemoveGroupFolder(kGroupTwo);
    }
    void TearDown() override {
        RemoveGroupFolder(kGroupOne);
        RemoveGroupFolder(kGroupTwo);
        CompletionTest::TearDown();
    }
};

} // namespace

TEST_F(ProgramGroups, EachGroupGetsItsItemsBeforeTheNextIsCreated) {
    script.programGroups = {FixedText(kGroupOne), FixedText(kGroupTwo)};
    script.programItems = {Item("Alpha", 1), Item("Beta", 2, 3), Item("Nowhere", 0),
                           Item("Beyond", 3), Item("Gamma", 1)};
    DdeRecorder recorder;
    std::vector<SeenBox> boxes;
    {
        BoxAnswerer person(mainWindow, {});
        CreateProgramGroups(script, log, record, mainWindow);
        boxes = person.Finish();
    }
    CloseGroupWindows({kGroupOne, kGroupTwo});

    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(recorder.connects, 1);
    const std::string one = kGroupOne;
    const std::string two = kGroupTwo;
    ExpectExecutes(recorder.executes,
                   {
                       {"[CreateGroup(" + one + ")]", 1000},
                       {"[ShowGroup(" + one + ",1)]", 1000},
                       {"[DeleteItem(\"Alpha\")]", 10000},
                       {"[AddItem(notepad.exe,Alpha,notepad.exe,0,-1,-1,C:\\windows)]", 10000},
                       {"[DeleteItem(\"Gamma\")]", 10000},
                       {"[AddItem(notepad.exe,Gamma,notepad.exe,0,-1,-1,C:\\windows)]", 10000},
                       {"[CreateGroup(" + two + ")]", 1000},
                       {"[ShowGroup(" + two + ",1)]", 1000},
                       {"[DeleteItem(\"Beta\")]", 10000},
                       {"[AddItem(notepad.exe,Beta,notepad.exe,3,-1,-1,C:\\windows)]", 10000},
                       {"[ExitProgram(1)]", 1000},
                   });

    // What Wine's shell made of it: one folder per group holding that group's links.
    EXPECT_EQ(FilesIn(ProgramsFolder() + "\\" + kGroupOne),
              (std::vector<std::string>{"Alpha.lnk", "Gamma.lnk"}));
    EXPECT_EQ(FilesIn(ProgramsFolder() + "\\" + kGroupTwo), std::vector<std::string>{"Beta.lnk"});

    EXPECT_EQ(LogLines(), (std::vector<std::string>{
                              "CreatedGroup  " + one,
                              "\tCreated GroupItem  Alpha",
                              "\tCreated GroupItem  Gamma",
                              "CreatedGroup  " + two,
                              "\tCreated GroupItem  Beta",
                          }));
}

TEST_F(ProgramGroups, DeleteItemRemovesAnOlderLinkOfTheSameName) {
    script.programGroups = {FixedText(kGroupOne)};
    script.programItems = {Item("Alpha", 1)};
    // The new item names a program that Wine's shell cannot find, so it makes no link: what
    // is left of the older link shows whether the DeleteItem before the AddItem removed it.
    script.programItems[0].commandLine.Assign("C:\\NOWHERE\\MISSING.EXE");
    const std::string folder = ProgramsFolder() + "\\" + kGroupOne;
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(folder + "\\Alpha.lnk", "old"));

    DdeRecorder recorder;
    std::vector<SeenBox> boxes;
    {
        BoxAnswerer person(mainWindow, {});
        CreateProgramGroups(script, log, record, mainWindow);
        boxes = person.Finish();
    }
    CloseGroupWindows({kGroupOne});
    EXPECT_TRUE(boxes.empty());

    EXPECT_FALSE(FileIsThere(folder + "\\Alpha.lnk"));
    ASSERT_EQ(recorder.executes.size(), 5u);
    EXPECT_EQ(recorder.executes[2].command, "[DeleteItem(\"Alpha\")]");
    EXPECT_EQ(recorder.executes[3].command,
              "[AddItem(C:\\NOWHERE\\MISSING.EXE,Alpha,notepad.exe,0,-1,-1,C:\\windows)]");
    // The refusal goes unnoticed: the item is logged all the same.
    EXPECT_EQ(LogLines().back(), "\tCreated GroupItem  Alpha");
}

TEST_F(ProgramGroups, NoGroupsStillOpenAndCloseTheConversation) {
    script.programItems = {Item("Orphan", 1)};
    DdeRecorder recorder;
    std::vector<SeenBox> boxes;
    {
        BoxAnswerer person(mainWindow, {});
        CreateProgramGroups(script, log, record, mainWindow);
        boxes = person.Finish();
    }
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(recorder.connects, 1);
    ExpectExecutes(recorder.executes, {{"[ExitProgram(1)]", 1000}});
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(ProgramGroups, NoConnectionIsReportedAndNothingIsCreated) {
    script.programGroups = {FixedText(kGroupOne)};
    script.programItems = {Item("Alpha", 1)};
    DdeRecorder recorder;
    recorder.refuseConnection = true;
    std::vector<SeenBox> boxes;
    {
        BoxAnswerer person(mainWindow, {IDOK});
        CreateProgramGroups(script, log, record, mainWindow);
        boxes = person.Finish();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Setup");
    EXPECT_EQ(boxes[0].text, "Unable to establish DDE connection with Progman.");
    EXPECT_EQ(boxes[0].buttons, std::vector<int>{IDOK});
    EXPECT_TRUE(boxes[0].exclamationIcon);
    EXPECT_TRUE(boxes[0].ownedByMainWindow);
    EXPECT_TRUE(recorder.executes.empty());
    EXPECT_TRUE(LogLines().empty());
    EXPECT_FALSE(FileIsThere(ProgramsFolder() + "\\" + kGroupOne));
}

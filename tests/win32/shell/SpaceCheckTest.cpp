#include "shell/SpaceCheck.h"

#include "PromptTest.h"
#include "resources/ResourceIds.h"
#include "ui/SetupMessages.h"
#include "shell/SetupState.h"

#include <map>
#include <vector>

namespace {

// Free bytes by query root, and the roots asked in order.
std::map<std::string, std::uint64_t> g_free;
std::vector<std::string> g_asked;

std::uint64_t FakeFreeSpace(const std::string& root) {
    g_asked.push_back(root);
    return g_free[root];
}

class SpaceCheckTest : public PromptTest {
protected:
    void SetUp() override {
        PromptTest::SetUp();
        // The check is the shell's: it finds the script and MainWindow in the program's state.
        g_setup.instance = GetModuleHandleA(nullptr);
        g_setup.script = script;
        g_setup.scriptLoaded = true;
        g_setup.mainWindow = mainWindow;
        g_free.clear();
        g_asked.clear();
        previous_ = SetFreeSpaceQuery(FakeFreeSpace);
        DrainFlowMessages();
    }
    void TearDown() override {
        SetFreeSpaceQuery(previous_);
        g_setup.drives.clear();
        g_setup.mainWindow = nullptr;
        PromptTest::TearDown();
    }

    // The flow messages posted to the main window since the last call.
    std::vector<UINT> DrainFlowMessages() {
        std::vector<UINT> posted;
        MSG message;
        while (PeekMessageA(&message, mainWindow, WM_USER, WM_USER + 100, PM_REMOVE)) {
            posted.push_back(message.message);
        }
        return posted;
    }

private:
    FreeSpaceFunction previous_ = nullptr;
};

// Answers the Not Enough Space dialogs in turn with the given buttons (IDC_EXIT confirmed
// with Yes), noting each message as "message 1", "message 2", ...
std::function<void(Person&)> Answer(std::vector<int> buttons) {
    return [=](Person& person) {
        int shown = 0;
        for (int button : buttons) {
            HWND dialog = person.WaitForDialog(PromptTest::kProductName);
            person.Note("message " + std::to_string(++shown),
                        Person::Text(dialog, IDC_SPACE_MESSAGE));
            person.Press(dialog, button);
            if (button == IDC_EXIT) {
                HWND question = person.WaitForDialog(PromptTest::kCancelCaption);
                person.Press(question, IDYES);
                person.WaitUntilClosed(question);
            }
            person.WaitUntilClosed(dialog);
        }
    };
}

} // namespace

TEST_F(SpaceCheckTest, EnoughSpaceAsksNothing) {
    g_setup.drives = {{"C:", 5000}, {"D:", 4'294'967'296ull + 5000}};
    g_free["C:\\"] = 5000; // exactly enough
    // Past 32 bits on both sides: a product of 32-bit figures would read this as 1000 free.
    g_free["D:\\"] = 4'294'967'296ull * 2 + 1000;
    bool goOn = false;
    EXPECT_FALSE(CheckAllDrivesSpace(goOn));
    EXPECT_TRUE(goOn);
    EXPECT_EQ(g_asked, (std::vector<std::string>{"C:\\", "D:\\"}));
    EXPECT_TRUE(DrainFlowMessages().empty());
}

TEST_F(SpaceCheckTest, ContinueGoesOnToTheNextDriveAndExitEnds) {
    g_setup.drives = {{"D:", 2'000'999}, {"E:", 10'000}, {"F:", 1}};
    g_free["D:\\"] = 1'500'000;
    g_free["E:\\"] = 0;
    bool goOn = true;
    {
        Answering answering(person, Answer({IDC_CONTINUE, IDC_EXIT}));
        EXPECT_FALSE(CheckAllDrivesSpace(goOn));
    }
    EXPECT_FALSE(goOn);
    EXPECT_EQ(
        person.Saw("message 1"),
        "Drive D: contains 1500 KB of free disk space.\nSetup requires a minimum of 2000 KB.");
    EXPECT_EQ(person.Saw("message 2"),
              "Drive E: contains 0 KB of free disk space.\nSetup requires a minimum of 10 KB.");
    // The drive after the one the user left at is not checked.
    EXPECT_EQ(g_asked, (std::vector<std::string>{"D:\\", "E:\\"}));
    EXPECT_EQ(DrainFlowMessages(), std::vector<UINT>{WM_SETUP_ABORT});
}

TEST_F(SpaceCheckTest, BackReturnsToTheDestinationPage) {
    g_setup.drives = {{"\\\\SERVER\\SHARE", 4'294'967'296ull * 3}};
    g_free["\\\\SERVER\\SHARE\\"] = 4'294'967'296ull;
    bool goOn = true;
    {
        Answering answering(person, Answer({IDC_SPACE_BACK}));
        EXPECT_FALSE(CheckAllDrivesSpace(goOn));
    }
    EXPECT_FALSE(goOn);
    EXPECT_EQ(person.Saw("message 1"),
              "Drive \\\\SERVER\\SHARE contains 4294967 KB of free disk space.\n"
              "Setup requires a minimum of 12884901 KB.");
    EXPECT_EQ(DrainFlowMessages(), std::vector<UINT>{WM_SHOW_DESTINATION});
}

TEST_F(SpaceCheckTest, ThePlatformQueryReadsARealVolume) {
    // Drive C: of the prefix has room; a drive letter without a volume has none.
    EXPECT_GT(VolumeFreeBytes("C:\\"), 0u);
    EXPECT_EQ(VolumeFreeBytes("Q:\\"), 0u);
}

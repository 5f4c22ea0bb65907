#include "PageTest.h"

#include "robot/Person.h"
#include "resources/ResourceIds.h"
#include "ui/ProgramGroupPage.h"

#include <ddeml.h>
#include <shlobj.h>

using robot::Answering;
using robot::kMessageBoxTextId;
using robot::Person;

namespace {

constexpr const char* kExistingGroup = "Setupkit Pages Existing";

HDDEDATA CALLBACK NoAnswer(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

// Wine's shell starts answering PROGMAN a moment after the desktop comes up; the page's own
// connect would show its failure box to nobody. Waits up to ten seconds.
bool ProgmanAnswers() {
    DWORD instance = 0;
    if (DdeInitializeA(&instance, NoAnswer, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        return false;
    }
    HSZ name = DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    bool answered = false;
    for (int tries = 0; tries < 100 && !answered; ++tries) {
        if (HCONV conversation = DdeConnect(instance, name, name, nullptr)) {
            DdeDisconnect(conversation);
            answered = true;
        } else {
            Sleep(100);
        }
    }
    DdeFreeStringHandle(instance, name);
    DdeUninitialize(instance);
    return answered;
}

// The shell's group of that name, as a folder of the user's programs menu.
std::string GroupFolder(const std::string& group) {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    return std::string(programs) + "\\" + group;
}

std::function<void(Person&)> AnswerBox(const std::string& caption, HWND owner) {
    return [=](Person& person) {
        HWND box = person.WaitForDialog(caption);
        person.Note("text", Person::Text(box, kMessageBoxTextId));
        person.Note("owner is the page", GetWindow(box, GW_OWNER) == owner);
        person.Press(box, IDOK);
        person.WaitUntilClosed(box);
    };
}

class ProgramGroupPage : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        script.programGroups = {FixedText("Page Product Group")};
        CreateDirectoryA(GroupFolder(kExistingGroup).c_str(), nullptr);
        ASSERT_TRUE(ProgmanAnswers()) << "the shell does not answer PROGMAN";
        OpenPage(IDD_PROGRAM_GROUP, ProgramGroupPageProc);
        ASSERT_NE(page, nullptr);
    }
    void TearDown() override {
        PageTest::TearDown();
        RemoveDirectoryA(GroupFolder(kExistingGroup).c_str());
    }

    HWND Groups() const { return GetDlgItem(page, IDC_EXISTING_GROUPS); }

    std::string FirstGroup() const { return std::string(TextOf(script.programGroups.at(0))); }

    Person person{GetCurrentThreadId()};
};

} // namespace

TEST_F(ProgramGroupPage, ShowsTheGroupNameAndTheShellsGroups) {
    char caption[256] = {};
    GetWindowTextA(page, caption, sizeof caption);
    EXPECT_STREQ(caption, "Page Product - Choose Program Group");
    EXPECT_EQ(Text(IDC_GROUP_NAME), "Page Product Group");
    const LRESULT found = SendMessageA(Groups(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(kExistingGroup));
    ASSERT_NE(found, LB_ERR) << "the existing group is not listed";
    // Names come without the line ends of the shell's answer.
    const LRESULT count = SendMessageA(Groups(), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char name[512] = {};
        SendMessageA(Groups(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(std::string(name).find_first_of("\r\n"), std::string::npos) << name;
        EXPECT_NE(name[0], '\0');
    }
}

TEST_F(ProgramGroupPage, ChoosingAnExistingGroupReplacesTheTypedName) {
    SetDlgItemTextA(page, IDC_GROUP_NAME, "Typed By Hand");
    const LRESULT found = SendMessageA(Groups(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(kExistingGroup));
    ASSERT_NE(found, LB_ERR);
    SendMessageA(Groups(), LB_SETCURSEL, found, 0);
    Command(IDC_EXISTING_GROUPS, LBN_SELCHANGE);
    EXPECT_EQ(Text(IDC_GROUP_NAME), kExistingGroup);
    Command(IDC_NEXT);
    EXPECT_EQ(FirstGroup(), kExistingGroup);
    EXPECT_TRUE(createGroups);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::ProgramGroup, PageAnswer::Next}}));
}

TEST_F(ProgramGroupPage, EmptyNameIsRefusedAndThePageStays) {
    SetDlgItemTextA(page, IDC_GROUP_NAME, "");
    {
        Answering answering(person, AnswerBox("Setup", page));
        Command(IDC_NEXT);
    }
    EXPECT_EQ(person.Saw("text"), "A Program Group is required");
    EXPECT_EQ(person.Saw("owner is the page"), "yes");
    EXPECT_TRUE(Answers().empty());
    EXPECT_EQ(FirstGroup(), "Page Product Group");
    EXPECT_TRUE(IsWindow(page));
}

TEST_F(ProgramGroupPage, OptingOutKeepsTheStoredNameAndClearsCreateGroups) {
    SetDlgItemTextA(page, IDC_GROUP_NAME, "");
    SendDlgItemMessageA(page, IDC_NO_GROUP, BM_CLICK, 0, 0);
    // The box leaves the edit and the list usable.
    EXPECT_TRUE(Enabled(IDC_GROUP_NAME));
    EXPECT_TRUE(Enabled(IDC_EXISTING_GROUPS));
    Command(IDC_NEXT);
    EXPECT_FALSE(createGroups);
    EXPECT_EQ(FirstGroup(), "Page Product Group");
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::ProgramGroup, PageAnswer::Next}}));

    // Cleared again, Next takes the typed name and creates groups once more.
    SendDlgItemMessageA(page, IDC_NO_GROUP, BM_CLICK, 0, 0);
    SetDlgItemTextA(page, IDC_GROUP_NAME, "Renamed Group");
    Command(IDC_NEXT);
    EXPECT_TRUE(createGroups);
    EXPECT_EQ(FirstGroup(), "Renamed Group");
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::ProgramGroup, PageAnswer::Next}}));
}

TEST_F(ProgramGroupPage, BackIsReportedAndChangesNothing) {
    // Where Back leads (custom page, setup type or destination) is the page order's decision.
    SetDlgItemTextA(page, IDC_GROUP_NAME, "Typed But Not Taken");
    SendDlgItemMessageA(page, IDC_NO_GROUP, BM_CLICK, 0, 0);
    Command(IDC_BACK);
    EXPECT_EQ(Answers(), (AnswerList{{WizardPage::ProgramGroup, PageAnswer::Back}}));
    EXPECT_TRUE(createGroups);
    EXPECT_EQ(FirstGroup(), "Page Product Group");
}

#include "shell/FlowController.h"
#include "shell/MainWindow.h"
#include "shell/SetupState.h"

#include "resources/ResourceIds.h"
#include "robot/Person.h"
#include "ui/DestinationPage.h"
#include "ui/GuardedProcedures.h"
#include "ui/ProgramGroupPage.h"
#include "ui/SetupMessages.h"

#include <gtest/gtest.h>

// The real MainWindow with a page shown by the flow, the questions answered by a person on a
// second thread.

namespace {

using robot::Answering;
using robot::kMessageBoxTextId;
using robot::Person;

constexpr const char* kCancelCaption = "Stop Flow Setup";
constexpr const char* kFailureCaption = "Flow Setup Failed";
constexpr const char* kFailureText = "Flow Product was not installed.";

BOOL CALLBACK FindCancelQuestion(HWND window, LPARAM found) {
    if (Person::Caption(window) == kCancelCaption && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

class WizardFlow : public ::testing::Test {
protected:
    void SetUp() override {
        g_setup.instance = GetModuleHandleA(nullptr);
        static const bool registered = RegisterMainWindowClass(g_setup.instance);
        ASSERT_TRUE(registered);
        previousReport = SetFailureReport(ReportSetupError);
        SetupScript& script = g_setup.script;
        script.productName.Assign("Flow Product");
        script.cancelCaption.Assign(kCancelCaption);
        script.cancelText.Assign("Stop the flow?");
        script.failureCaption.Assign(kFailureCaption);
        script.failureText.Assign(kFailureText);
        DirectoryEntry destination;
        destination.path.Assign("C:\\FLOWTEST");
        script.directories = {destination};
        g_setup.scriptLoaded = true;
        mainWindow = CreateMainWindow(g_setup.instance);
        ASSERT_NE(mainWindow, nullptr);
        g_setup.mainWindow = mainWindow;
    }

    void TearDown() override {
        if (IsWindow(mainWindow)) {
            DestroyWindow(mainWindow);
        }
        g_setup.currentPage = nullptr;
        g_setup.mainWindow = nullptr;
        g_setup.scriptLoaded = false;
        g_setup.script = SetupScript{};
        SetFailureReport(previousReport);
        // Takes the flow messages and the quit message that MainWindow's end posts.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    HWND mainWindow = nullptr;
    FailureReport previousReport = nullptr;
    Person person{GetCurrentThreadId()};
};

} // namespace

TEST_F(WizardFlow, CloseBoxIsIgnoredWhileThePageWaitsForItsOwnBox) {
    CreateAndShowPage(IDD_DESTINATION, DestinationPageProc);
    HWND page = g_setup.currentPage;
    ASSERT_TRUE(IsWindow(page));
    SetDlgItemTextA(page, IDC_DESTINATION_DIRECTORY, "C:\\not*valid");
    {
        Answering answering(person, [this](Person& person) {
            HWND box = person.WaitForDialog("Setup");
            person.Note("box", Person::Text(box, kMessageBoxTextId));
            // The close box while "Invalid  path selected" waits: sent, so that it has been
            // handled when the call returns. The limit only keeps a wrong answer from hanging.
            DWORD_PTR result = 0;
            SendMessageTimeoutA(mainWindow, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &result);
            HWND question = nullptr;
            EnumThreadWindows(GetWindowThreadProcessId(mainWindow, nullptr), FindCancelQuestion,
                              reinterpret_cast<LPARAM>(&question));
            person.Note("asked to cancel", question != nullptr);
            if (question) {
                person.Press(question, IDNO);
                person.WaitUntilClosed(question);
            }
            person.Press(box, IDOK);
            person.WaitUntilClosed(box);
        });
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_NEXT, BN_CLICKED), 0);
    }
    EXPECT_EQ(person.Saw("box"), "Invalid  path selected");
    EXPECT_EQ(person.Saw("asked to cancel"), "no");
    EXPECT_TRUE(IsWindow(page));
    EXPECT_TRUE(IsWindow(mainWindow));
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, mainWindow, WM_SETUP_ABORT, WM_SETUP_ABORT, PM_NOREMOVE));
}

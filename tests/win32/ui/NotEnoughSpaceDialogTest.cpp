#include "ui/NotEnoughSpaceDialog.h"

#include "PromptTest.h"
#include "resources/ResourceIds.h"

namespace {

constexpr const char* kMessage =
    "Drive C: contains 1200 KB of free disk space.\nSetup requires a minimum of 5400 KB.";

using NotEnoughSpaceDialogTest = PromptTest;

HWND OpenDialog(Person& person, HWND mainWindow) {
    HWND dialog = person.WaitForDialog(PromptTest::kProductName);
    person.Note("main window minimised", IsIconic(mainWindow) != FALSE);
    person.Note("owner", GetWindow(dialog, GW_OWNER) == mainWindow);
    person.Note("message", Person::Text(dialog, IDC_SPACE_MESSAGE));
    RECT rect{};
    GetWindowRect(dialog, &rect);
    person.Note("left", static_cast<long>(rect.left));
    person.Note("top", static_cast<long>(rect.top));
    person.Note("width", static_cast<long>(rect.right - rect.left));
    person.Note("height", static_cast<long>(rect.bottom - rect.top));
    return dialog;
}

std::function<void(Person&)> PressButton(int id, HWND mainWindow) {
    return [=](Person& person) {
        HWND dialog = OpenDialog(person, mainWindow);
        person.Press(dialog, id);
        person.WaitUntilClosed(dialog);
    };
}

std::function<void(Person&)> Exit(int confirmation, HWND mainWindow) {
    return [=](Person& person) {
        HWND dialog = OpenDialog(person, mainWindow);
        person.Press(dialog, IDC_EXIT);
        HWND question = person.WaitForDialog(PromptTest::kCancelCaption);
        person.Note("question owner", GetWindow(question, GW_OWNER) == dialog);
        person.Press(question, confirmation);
        person.WaitUntilClosed(question);
        if (confirmation == IDNO) {
            person.Note("stays", person.StillOpen(dialog));
            person.Press(dialog, IDC_CONTINUE);
        }
        person.WaitUntilClosed(dialog);
    };
}

} // namespace

TEST_F(NotEnoughSpaceDialogTest, ContinueAnswers1AndShowsTheMessage) {
    INT_PTR result = 0;
    {
        Answering answering(person, PressButton(IDC_CONTINUE, mainWindow));
        EXPECT_FALSE(NotEnoughSpaceDialog(mainWindow, &script, kMessage, result));
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(person.Saw("message"), kMessage);
    EXPECT_EQ(person.Saw("owner"), "yes");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(NotEnoughSpaceDialogTest, IsCentredOverTheMainWindowsClientArea) {
    {
        Answering answering(person, PressButton(IDC_CONTINUE, mainWindow));
        INT_PTR result = 0;
        EXPECT_FALSE(NotEnoughSpaceDialog(mainWindow, &script, kMessage, result));
    }
    RECT owner{};
    GetWindowRect(mainWindow, &owner);
    POINT origin{0, 0};
    ClientToScreen(mainWindow, &origin);
    const long width = std::stol(person.Saw("width"));
    const long height = std::stol(person.Saw("height"));
    EXPECT_EQ(std::stol(person.Saw("left")), (owner.right - owner.left) / 2 - width / 2 + origin.x);
    EXPECT_EQ(std::stol(person.Saw("top")), (owner.bottom - owner.top) / 2 - height / 2 + origin.y);
}

TEST_F(NotEnoughSpaceDialogTest, BackAnswers1019) {
    INT_PTR result = 0;
    {
        Answering answering(person, PressButton(IDC_SPACE_BACK, mainWindow));
        EXPECT_FALSE(NotEnoughSpaceDialog(mainWindow, &script, kMessage, result));
    }
    EXPECT_EQ(result, 1019);
}

TEST_F(NotEnoughSpaceDialogTest, ExitConfirmedAnswers3) {
    INT_PTR result = 0;
    {
        Answering answering(person, Exit(IDYES, mainWindow));
        EXPECT_FALSE(NotEnoughSpaceDialog(mainWindow, &script, kMessage, result));
    }
    EXPECT_EQ(result, 3);
    EXPECT_EQ(person.Saw("question owner"), "yes");
}

TEST_F(NotEnoughSpaceDialogTest, ExitNotConfirmedStays) {
    INT_PTR result = 0;
    {
        Answering answering(person, Exit(IDNO, mainWindow));
        EXPECT_FALSE(NotEnoughSpaceDialog(mainWindow, &script, kMessage, result));
    }
    EXPECT_EQ(person.Saw("stays"), "yes");
    EXPECT_EQ(result, 1);
}

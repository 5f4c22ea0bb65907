#include "ui/MessageBoxes.h"

#include "PromptTest.h"
#include "resources/ResourceIds.h"

namespace {

using MessageBoxes = PromptTest;

// Answers the one message box with this caption by pressing button, noting what it showed.
std::function<void(Person&)> AnswerBox(const std::string& caption, int button, HWND mainWindow) {
    return [=](Person& person) {
        HWND box = person.WaitForDialog(caption);
        person.Note("text", Person::Text(box, kMessageBoxTextId));
        person.Note("owner", GetWindow(box, GW_OWNER) == mainWindow);
        person.Note("main window minimised", IsIconic(mainWindow) != FALSE);
        person.Note("yes no", GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) &&
                                  !GetDlgItem(box, IDCANCEL) && !GetDlgItem(box, IDOK));
        person.Press(box, button);
        person.WaitUntilClosed(box);
    };
}

} // namespace

TEST_F(MessageBoxes, ResourceMessageBoxTakesTextAndCaptionFromTheStringTable) {
    int result = 0;
    {
        Answering answering(person, AnswerBox("Setup", IDOK, mainWindow));
        result = ResourceMessageBox(mainWindow, IDS_GROUP_REQUIRED, IDS_SETUP_CAPTION, MB_OK);
    }
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(person.Saw("text"), "A Program Group is required");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(MessageBoxes, ResourceTextMessageBoxTakesTheCaptionAsGiven) {
    int result = 0;
    {
        Answering answering(person, AnswerBox("A caption of its own", IDOK, mainWindow));
        result =
            ResourceTextMessageBox(mainWindow, IDS_INVALID_PATH, "A caption of its own", MB_OK);
    }
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(person.Saw("text"), "Invalid  path selected");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(MessageBoxes, ConfirmCancelBeforeTheScriptIsLoadedSaysItCannotReadIt) {
    int result = 0;
    {
        Answering answering(person, AnswerBox("Setup", IDYES, mainWindow));
        result = ConfirmCancel(mainWindow, nullptr);
    }
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(person.Saw("text"), "Unable to read setup.inf");
    EXPECT_EQ(person.Saw("yes no"), "yes");
    EXPECT_EQ(person.Saw("owner"), "yes");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(MessageBoxes, ConfirmCancelAsksTheScriptsQuestionOnceLoaded) {
    int result = 0;
    {
        Answering answering(person, AnswerBox(kCancelCaption, IDNO, mainWindow));
        result = ConfirmCancel(mainWindow, &script);
    }
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(person.Saw("text"), kCancelText);
    EXPECT_EQ(person.Saw("yes no"), "yes");
    EXPECT_EQ(person.Saw("main window minimised"), "no");

    MinimiseMainWindow();
    {
        Answering answering(person, AnswerBox(kCancelCaption, IDYES, mainWindow));
        result = ConfirmCancel(mainWindow, &script);
    }
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(MessageBoxes, ConfirmCancelWithoutMainWindow) {
    int result = 0;
    {
        Answering answering(person, AnswerBox(kCancelCaption, IDYES, nullptr));
        result = ConfirmCancel(nullptr, &script);
    }
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(person.Saw("text"), kCancelText);
}

namespace {

constexpr const char* kLockedPath = "C:\\APP\\LOCKED.DLL";

// Answers the file-in-use question with button and, when a cancel question follows, with
// confirmation.
std::function<void(Person&)> AnswerFileInUse(int button, int confirmation, HWND mainWindow) {
    return [=](Person& person) {
        HWND box = person.WaitForDialog(PromptTest::kProductName);
        person.Note("text", Person::Text(box, kMessageBoxTextId));
        person.Note("owner", GetWindow(box, GW_OWNER) == mainWindow);
        person.Note("main window minimised", IsIconic(mainWindow) != FALSE);
        person.Note("buttons", GetDlgItem(box, IDABORT) && GetDlgItem(box, IDRETRY) &&
                                   GetDlgItem(box, IDIGNORE));
        person.Press(box, button);
        person.WaitUntilClosed(box);
        if (confirmation != 0) {
            HWND question = person.WaitForDialog(PromptTest::kCancelCaption);
            person.Note("question owner", GetWindow(question, GW_OWNER) == mainWindow);
            person.Press(question, confirmation);
            person.WaitUntilClosed(question);
        }
    };
}

} // namespace

TEST_F(MessageBoxes, FileInUsePromptNamesThePathUnderTheProductName) {
    int result = 0;
    {
        Answering answering(person, AnswerFileInUse(IDRETRY, 0, mainWindow));
        result = FileInUsePrompt(mainWindow, &script, kLockedPath);
    }
    EXPECT_EQ(result, IDRETRY);
    EXPECT_EQ(person.Saw("text"), "Setup Cannot Install C:\\APP\\LOCKED.DLL,\n it may be in use "
                                  "by another application");
    EXPECT_EQ(person.Saw("owner"), "yes");
    EXPECT_EQ(person.Saw("buttons"), "yes");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(MessageBoxes, FileInUsePromptIgnore) {
    int result = 0;
    {
        Answering answering(person, AnswerFileInUse(IDIGNORE, 0, mainWindow));
        result = FileInUsePrompt(mainWindow, &script, kLockedPath);
    }
    EXPECT_EQ(result, IDIGNORE);
}

TEST_F(MessageBoxes, FileInUsePromptAbortThenNoActsAsRetry) {
    int result = 0;
    {
        Answering answering(person, AnswerFileInUse(IDABORT, IDNO, mainWindow));
        result = FileInUsePrompt(mainWindow, &script, kLockedPath);
    }
    EXPECT_EQ(result, IDRETRY);
    EXPECT_EQ(person.Saw("question owner"), "yes");
}

TEST_F(MessageBoxes, FileInUsePromptAbortThenYesAborts) {
    int result = 0;
    {
        Answering answering(person, AnswerFileInUse(IDABORT, IDYES, mainWindow));
        result = FileInUsePrompt(mainWindow, &script, kLockedPath);
    }
    EXPECT_EQ(result, IDABORT);
}

TEST_F(MessageBoxes, FileInUsePromptKeepsAPathLongerThanItsFormat) {
    // The loaded format is cut at 255 characters; the path that fills it is not.
    const std::string longPath = "C:\\" + std::string(240, 'D') + "\\FILE.DLL";
    int result = 0;
    {
        Answering answering(person, AnswerFileInUse(IDIGNORE, 0, mainWindow));
        result = FileInUsePrompt(mainWindow, &script, longPath.c_str());
    }
    EXPECT_EQ(result, IDIGNORE);
    EXPECT_EQ(person.Saw("text"),
              "Setup Cannot Install " + longPath + ",\n it may be in use by another application");
}

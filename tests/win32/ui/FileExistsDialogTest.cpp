#include "ui/FileExistsDialog.h"

#include "FailureCode.h"
#include "PromptTest.h"
#include "resources/ResourceIds.h"
#include "script/SetupError.h"

namespace {

constexpr const char* kDetailsCaption = "File Already Exists";

class FileExistsDialogTest : public PromptTest {
protected:
    void SetUp() override {
        PromptTest::SetUp();
        const std::string directory = ScratchDirectory();
        existingPath = directory + "EXISTING.DLL";
        newPath = directory + "NEW.DLL";
        WriteTestFile(existingPath, std::string(2500, 'e'), 1999, 12, 31);
        WriteTestFile(newPath, std::string(1234567, 'n'), 2001, 2, 3);
    }

    // The code AskFileExists fails with; 0 when it does not.
    std::uint32_t AskFailureCode() {
        std::uint32_t answer = 0;
        return FailureCode(AskFileExists(mainWindow, &script, existingPath.c_str(), newPath.c_str(),
                                         remembered, answer));
    }

    std::uint32_t Ask() {
        std::uint32_t answer = 0;
        EXPECT_FALSE(AskFileExists(mainWindow, &script, existingPath.c_str(), newPath.c_str(),
                                   remembered, answer));
        return answer;
    }

    RememberedChoice remembered;
    std::string existingPath;
    std::string newPath;
};

// The short date of the user's locale, for a date written at noon.
std::string ShortDate(WORD year, WORD month, WORD day) {
    SYSTEMTIME date{};
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    date.wHour = 12;
    char text[256] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text);
    return text;
}

// Notes what the question shows when it opens.
HWND OpenQuestion(Person& person, HWND mainWindow) {
    HWND dialog = person.WaitForDialog(PromptTest::kProductName);
    person.Note("main window minimised", IsIconic(mainWindow) != FALSE);
    person.Note("owner", GetWindow(dialog, GW_OWNER) == mainWindow);
    person.Note("path", Person::Text(dialog, IDC_EXISTING_PATH));
    person.Note("replace ticked", Person::IsChecked(dialog, IDC_REPLACE) &&
                                      !Person::IsChecked(dialog, IDC_DO_NOT_INSTALL) &&
                                      !Person::IsChecked(dialog, IDC_ABORT_INSTALL));
    person.Note("for all ticked", Person::IsChecked(dialog, IDC_APPLY_TO_ALL));
    return dialog;
}

// Chooses the radio button choice (0: leave Replace), ticks the use-for-all box when asked,
// and presses OK.
std::function<void(Person&)> Choose(int choice, bool forAll, HWND mainWindow) {
    return [=](Person& person) {
        HWND dialog = OpenQuestion(person, mainWindow);
        if (choice != 0) {
            person.Click(dialog, choice);
        }
        if (forAll) {
            person.Click(dialog, IDC_APPLY_TO_ALL);
        }
        person.Press(dialog, IDOK);
        person.WaitUntilClosed(dialog);
    };
}

// Chooses Abort and answers the cancel question with confirmation; after a No, the dialog
// must still be open, and Replace then ends it.
std::function<void(Person&)> ChooseAbort(int confirmation, HWND mainWindow) {
    return [=](Person& person) {
        HWND dialog = OpenQuestion(person, mainWindow);
        person.Click(dialog, IDC_ABORT_INSTALL);
        person.Press(dialog, IDOK);
        HWND question = person.WaitForDialog(PromptTest::kCancelCaption);
        person.Note("question owner", GetWindow(question, GW_OWNER) == dialog);
        person.Note("question", Person::Text(question, kMessageBoxTextId));
        person.Press(question, confirmation);
        person.WaitUntilClosed(question);
        if (confirmation == IDNO) {
            person.Note("stays after no", person.StillOpen(dialog));
            person.Note("abort still ticked", Person::IsChecked(dialog, IDC_ABORT_INSTALL));
            person.Click(dialog, IDC_REPLACE);
            person.Press(dialog, IDOK);
        }
        person.WaitUntilClosed(dialog);
    };
}

} // namespace

TEST_F(FileExistsDialogTest, ReplaceIsTickedAtFirstAndAnswers4004) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, Choose(0, false, mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(decision, 4004u);
    EXPECT_EQ(remembered.choice, 4004u);
    EXPECT_FALSE(remembered.applyToAll);
    EXPECT_EQ(person.Saw("path"), existingPath);
    EXPECT_EQ(person.Saw("replace ticked"), "yes");
    EXPECT_EQ(person.Saw("for all ticked"), "no");
    EXPECT_EQ(person.Saw("owner"), "yes");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
}

TEST_F(FileExistsDialogTest, DoNotInstallAnswers5) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, Choose(IDC_DO_NOT_INSTALL, false, mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(decision, 5u);
    EXPECT_EQ(remembered.choice, 5u);
}

TEST_F(FileExistsDialogTest, AbortConfirmedAnswers3) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, ChooseAbort(IDYES, mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(decision, 3u);
    EXPECT_EQ(remembered.choice, 3u);
    EXPECT_EQ(person.Saw("question"), kCancelText);
    EXPECT_EQ(person.Saw("question owner"), "yes");
}

TEST_F(FileExistsDialogTest, AbortNotConfirmedLeavesTheDialogAsItWas) {
    remembered.choice = 77;
    std::uint32_t decision = 0;
    {
        Answering answering(person, ChooseAbort(IDNO, mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(person.Saw("stays after no"), "yes");
    EXPECT_EQ(person.Saw("abort still ticked"), "yes");
    EXPECT_EQ(decision, 4004u);
    EXPECT_EQ(remembered.choice, 4004u);
}

TEST_F(FileExistsDialogTest, UseForAllSetsTheFlagWithTheChoice) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, Choose(IDC_DO_NOT_INSTALL, true, mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(decision, 5u);
    EXPECT_TRUE(remembered.applyToAll);
    EXPECT_EQ(remembered.choice, 5u);

    // The box starts clear each time, and a clear box clears the flag again.
    MinimiseMainWindow();
    {
        Answering answering(person, Choose(0, false, mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(person.Saw("for all ticked"), "no");
    EXPECT_EQ(decision, 4004u);
    EXPECT_FALSE(remembered.applyToAll);
    EXPECT_EQ(remembered.choice, 4004u);
}

TEST_F(FileExistsDialogTest, UseForAllWithAbortConfirmed) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, [this](Person& person) {
            HWND dialog = OpenQuestion(person, mainWindow);
            person.Click(dialog, IDC_ABORT_INSTALL);
            person.Click(dialog, IDC_APPLY_TO_ALL);
            person.Press(dialog, IDOK);
            HWND question = person.WaitForDialog(kCancelCaption);
            person.Press(question, IDYES);
            person.WaitUntilClosed(dialog);
        });
        decision = Ask();
    }
    EXPECT_EQ(decision, 3u);
    EXPECT_TRUE(remembered.applyToAll);
    EXPECT_EQ(remembered.choice, 3u);
}

TEST_F(FileExistsDialogTest, EscapeDoesNotCloseIt) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, [this](Person& person) {
            HWND dialog = OpenQuestion(person, mainWindow);
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
            person.Note("stays", person.StillOpen(dialog));
            person.Click(dialog, IDC_DO_NOT_INSTALL);
            person.Press(dialog, IDOK);
            person.WaitUntilClosed(dialog);
        });
        decision = Ask();
    }
    EXPECT_EQ(person.Saw("stays"), "yes");
    EXPECT_EQ(decision, 5u);
}

namespace {

// Opens the details from the question, notes them, tries to close them other than by OK,
// closes them with OK and then answers the question with Replace.
std::function<void(Person&)> ReadDetails(HWND mainWindow) {
    return [=](Person& person) {
        HWND dialog = OpenQuestion(person, mainWindow);
        person.Press(dialog, IDC_DETAILS);
        HWND details = person.WaitForDialog(kDetailsCaption);
        person.Note("details owner", GetWindow(details, GW_OWNER) == dialog);
        person.Note("name", Person::Text(details, IDC_DETAILS_FILE_NAME));
        person.Note("existing size", Person::Text(details, IDC_EXISTING_SIZE));
        person.Note("new size", Person::Text(details, IDC_NEW_SIZE));
        person.Note("existing date", Person::Text(details, IDC_EXISTING_DATE));
        person.Note("new date", Person::Text(details, IDC_NEW_DATE));
        PostMessageA(details, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(details, WM_COMMAND, MAKEWPARAM(IDOK, 1), 0);
        person.Note("details stay", person.StillOpen(details));
        person.Press(details, IDOK);
        person.WaitUntilClosed(details);
        person.Note("question stays", person.StillOpen(dialog));
        person.Press(dialog, IDOK);
        person.WaitUntilClosed(dialog);
    };
}

} // namespace

TEST_F(FileExistsDialogTest, DetailsShowNameSizesAndDates) {
    std::uint32_t decision = 0;
    {
        Answering answering(person, ReadDetails(mainWindow));
        decision = Ask();
    }
    EXPECT_EQ(decision, 4004u);
    EXPECT_EQ(person.Saw("details owner"), "yes");
    EXPECT_EQ(person.Saw("name"), "EXISTING.DLL");
    EXPECT_EQ(person.Saw("existing size"), "2,500");
    EXPECT_EQ(person.Saw("new size"), "1,234,567");
    EXPECT_EQ(person.Saw("existing date"), ShortDate(1999, 12, 31));
    EXPECT_EQ(person.Saw("new date"), ShortDate(2001, 2, 3));
    EXPECT_NE(person.Saw("new date"), "");
    EXPECT_EQ(person.Saw("details stay"), "yes");
    EXPECT_EQ(person.Saw("question stays"), "yes");
}

TEST_F(FileExistsDialogTest, CompressedSourceShowsItsExpandedSize) {
    newPath = ScratchDirectory() + "NEW.DL_";
    const std::string compressed = CompressedBytes(70000);
    ASSERT_GT(compressed.size(), 70000u);
    WriteTestFile(newPath, compressed, 2001, 2, 3);
    WriteTestFile(existingPath, std::string(2500, 'e'), 1999, 12, 31);
    {
        Answering answering(person, ReadDetails(mainWindow));
        static_cast<void>(Ask());
    }
    EXPECT_EQ(person.Saw("new size"), "70,000");
    EXPECT_EQ(person.Saw("existing size"), "2,500");
}

TEST_F(FileExistsDialogTest, LockedFileGoesToTheFileInUseQuestion) {
    UniqueFile holder = HoldFile(existingPath);
    ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    std::uint32_t code = 0;
    {
        Answering answering(person, [](Person& person) {
            HWND box = person.WaitForDialog(kProductName);
            person.Note("text", Person::Text(box, kMessageBoxTextId));
            person.Press(box, IDIGNORE);
            person.WaitUntilClosed(box);
        });
        code = AskFailureCode();
    }
    holder.reset();
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(person.Saw("text"), "Setup Cannot Install " + existingPath +
                                      ",\n it may be in use by another application");
}

TEST_F(FileExistsDialogTest, MissingSourceFailsWithTheSystemError) {
    newPath = ScratchDirectory() + "MISSING.DLL";
    EXPECT_EQ(AskFailureCode(), static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

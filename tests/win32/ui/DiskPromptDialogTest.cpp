#include "ui/DiskPromptDialog.h"

#include "PromptTest.h"
#include "resources/ResourceIds.h"

namespace {

constexpr const char* kTitle = "Insert Disk";
constexpr const char* kPromptText = "Please insert the next disk of Sample Product";
constexpr const char* kLabel = "Sample Product Disk 2";

class DiskPromptDialogTest : public PromptTest {
protected:
    void SetUp() override {
        PromptTest::SetUp();
        script.diskPromptTitle.Assign(kTitle);
        script.diskPromptText.Assign(kPromptText);
        sourceDirectory.Assign("C:\\disks\\one\\");
    }

    INT_PTR AskForDisk(const char* label) {
        INT_PTR result = 0;
        EXPECT_FALSE(DiskPromptDialog(mainWindow, &script, label, sourceDirectory, result));
        return result;
    }

    FixedText sourceDirectory;
};

// Notes what the prompt shows when it opens.
HWND OpenPrompt(Person& person, HWND mainWindow) {
    HWND dialog = person.WaitForDialog(kTitle);
    person.Note("main window minimised", IsIconic(mainWindow) != FALSE);
    person.Note("owner", GetWindow(dialog, GW_OWNER) == mainWindow);
    person.Note("text", Person::Text(dialog, IDC_DISK_PROMPT_TEXT));
    person.Note("label", Person::Text(dialog, IDC_DISK_LABEL));
    person.Note("directory", Person::Text(dialog, IDC_SOURCE_DIRECTORY));
    return dialog;
}

// Types directory (unless empty) and presses OK.
std::function<void(Person&)> Enter(const std::string& directory, HWND mainWindow) {
    return [=](Person& person) {
        HWND dialog = OpenPrompt(person, mainWindow);
        if (!directory.empty()) {
            person.Type(dialog, IDC_SOURCE_DIRECTORY, directory);
        }
        person.Press(dialog, IDOK);
        person.WaitUntilClosed(dialog);
    };
}

std::string FullPath(const char* path) {
    char full[MAX_PATH] = {};
    GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return full;
}

} // namespace

TEST_F(DiskPromptDialogTest, ShowsTheScriptsTextsTheLabelAndTheDirectoryWithoutBackslash) {
    INT_PTR result = 0;
    {
        Answering answering(person, Enter("", mainWindow));
        result = AskForDisk(kLabel);
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(person.Saw("text"), kPromptText);
    EXPECT_EQ(person.Saw("label"), kLabel);
    EXPECT_EQ(person.Saw("directory"), "C:\\disks\\one");
    EXPECT_EQ(person.Saw("owner"), "yes");
    EXPECT_EQ(person.Saw("main window minimised"), "no");
    EXPECT_EQ(sourceDirectory.View(), "C:\\disks\\one");
}

TEST_F(DiskPromptDialogTest, OnlyOneTrailingBackslashIsRemoved) {
    sourceDirectory.Assign("C:\\disks\\two\\\\");
    {
        Answering answering(person, Enter("C:\\disks\\two", mainWindow));
        static_cast<void>(AskForDisk(kLabel));
    }
    EXPECT_EQ(person.Saw("directory"), "C:\\disks\\two\\");
}

TEST_F(DiskPromptDialogTest, DriveRootShowsAsLetterAndColon) {
    sourceDirectory.Assign("C:\\");
    {
        Answering answering(person, Enter("C:\\disks\\two", mainWindow));
        static_cast<void>(AskForDisk(kLabel));
    }
    EXPECT_EQ(person.Saw("directory"), "C:");
    EXPECT_EQ(sourceDirectory.View(), "C:\\disks\\two");
}

TEST_F(DiskPromptDialogTest, TypedRelativePathIsStoredAsFullPath) {
    INT_PTR result = 0;
    {
        Answering answering(person, Enter("disk2\\sub", mainWindow));
        result = AskForDisk(kLabel);
    }
    EXPECT_EQ(result, 1);
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string expected = current;
    if (expected.back() != '\\') {
        expected += '\\';
    }
    expected += "disk2\\sub";
    EXPECT_EQ(sourceDirectory.View(), expected);
    EXPECT_EQ(sourceDirectory.View(), FullPath("disk2\\sub"));
}

TEST_F(DiskPromptDialogTest, InvalidPathIsReportedAndTheDialogStays) {
    INT_PTR result = 0;
    {
        Answering answering(person, [this](Person& person) {
            HWND dialog = OpenPrompt(person, mainWindow);
            person.Type(dialog, IDC_SOURCE_DIRECTORY, "C:\\disks\\*.TXT");
            person.Press(dialog, IDOK);
            HWND box = person.WaitForDialog("Setup");
            person.Note("message", Person::Text(box, kMessageBoxTextId));
            person.Note("message owner", GetWindow(box, GW_OWNER) == dialog);
            person.Note("ok only", GetDlgItem(box, IDOK) && !GetDlgItem(box, IDCANCEL));
            person.Press(box, IDOK);
            person.WaitUntilClosed(box);
            person.Note("stays", person.StillOpen(dialog));
            person.Note("typed kept", Person::Text(dialog, IDC_SOURCE_DIRECTORY));
            person.Type(dialog, IDC_SOURCE_DIRECTORY, "C:\\disks\\three");
            person.Press(dialog, IDOK);
            person.WaitUntilClosed(dialog);
        });
        result = AskForDisk(kLabel);
    }
    EXPECT_EQ(person.Saw("message"), "Invalid  path selected");
    EXPECT_EQ(person.Saw("message owner"), "yes");
    EXPECT_EQ(person.Saw("ok only"), "yes");
    EXPECT_EQ(person.Saw("stays"), "yes");
    EXPECT_EQ(person.Saw("typed kept"), "C:\\disks\\*.TXT");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(sourceDirectory.View(), "C:\\disks\\three");
}

TEST_F(DiskPromptDialogTest, CancelConfirmedAnswers2AndKeepsTheSourceDirectory) {
    INT_PTR result = 0;
    {
        Answering answering(person, [this](Person& person) {
            HWND dialog = OpenPrompt(person, mainWindow);
            person.Type(dialog, IDC_SOURCE_DIRECTORY, "C:\\elsewhere");
            person.Press(dialog, IDCANCEL);
            HWND question = person.WaitForDialog(kCancelCaption);
            person.Note("question owner", GetWindow(question, GW_OWNER) == dialog);
            person.Press(question, IDYES);
            person.WaitUntilClosed(dialog);
        });
        result = AskForDisk(kLabel);
    }
    EXPECT_EQ(result, 2);
    EXPECT_EQ(person.Saw("question owner"), "yes");
    EXPECT_EQ(sourceDirectory.View(), "C:\\disks\\one\\");
}

TEST_F(DiskPromptDialogTest, CancelNotConfirmedStays) {
    INT_PTR result = 0;
    {
        Answering answering(person, [this](Person& person) {
            HWND dialog = OpenPrompt(person, mainWindow);
            person.Press(dialog, IDCANCEL);
            HWND question = person.WaitForDialog(kCancelCaption);
            person.Press(question, IDNO);
            person.WaitUntilClosed(question);
            person.Note("stays", person.StillOpen(dialog));
            person.Press(dialog, IDOK);
            person.WaitUntilClosed(dialog);
        });
        result = AskForDisk(kLabel);
    }
    EXPECT_EQ(person.Saw("stays"), "yes");
    EXPECT_EQ(result, 1);
}

TEST_F(DiskPromptDialogTest, RejectedPathLeavesTheSourceDirectoryThenCancel) {
    // A rejected entry is not stored: the run that is cancelled afterwards still sees the
    // directory it had.
    INT_PTR result = 0;
    {
        Answering answering(person, [this](Person& person) {
            HWND dialog = OpenPrompt(person, mainWindow);
            person.Type(dialog, IDC_SOURCE_DIRECTORY, "C:\\A?B");
            person.Press(dialog, IDOK);
            HWND box = person.WaitForDialog("Setup");
            person.Press(box, IDOK);
            person.WaitUntilClosed(box);
            person.Press(dialog, IDCANCEL);
            HWND question = person.WaitForDialog(kCancelCaption);
            person.Press(question, IDYES);
            person.WaitUntilClosed(dialog);
        });
        result = AskForDisk(kLabel);
    }
    EXPECT_EQ(result, 2);
    EXPECT_EQ(sourceDirectory.View(), "C:\\disks\\one\\");
}

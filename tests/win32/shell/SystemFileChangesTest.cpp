#include "robot/BoxAnswerer.h"
#include "CompletionTestSupport.h"
#include "shell/Completion.h"
#include "shell/SetupState.h"

using robot::BoxAnswerer;

namespace {

SystemFileChange Change(std::uint32_t code, const std::string& value) {
    SystemFileChange change;
    change.changeType = code;
    change.value.Assign(value);
    return change;
}

// RunSystemFileChanges with the reference EDITSYS.DLL (tools/editsys), which records every
// call in a file and edits AUTOEXEC.BAT and CONFIG.SYS in a folder of the test's choosing.
class SystemFileChanges : public ShellCompletionTest {
protected:
    void SetUp() override {
        ShellCompletionTest::SetUp();
        library = destination + "\\EDITSYS.DLL";
        record = destination + "\\calls.txt";
        files = destination + "\\boot";
        CreateDirectoryA(files.c_str(), nullptr);
        SetEnvironmentVariableA("EDITSYS_RECORD", record.c_str());
        SetEnvironmentVariableA("EDITSYS_DIRECTORY", files.c_str());
        SetEnvironmentVariableA("EDITSYS_RESULT", nullptr);
        SetEnvironmentVariableA("EDITSYS_TEXT", nullptr);
    }
    void TearDown() override {
        SetEnvironmentVariableA("EDITSYS_RECORD", nullptr);
        SetEnvironmentVariableA("EDITSYS_DIRECTORY", nullptr);
        SetEnvironmentVariableA("EDITSYS_RESULT", nullptr);
        SetEnvironmentVariableA("EDITSYS_TEXT", nullptr);
        ShellCompletionTest::TearDown();
    }

    // Installs a build of the library (EDITSYS, EDITSYS_NO_INIT or EDITSYS_NO_CHANGE) as
    // EDITSYS.DLL in the destination, as the script's install list would.
    void InstallLibrary(const std::string& build) {
        ASSERT_TRUE(
            CopyFileA((ProgramDirectory() + build + ".DLL").c_str(), library.c_str(), FALSE))
            << build;
    }

    std::vector<std::string> Calls() const {
        return SplitCrLfLines(ReadFileBytes(record).value_or(""));
    }

    std::string library;
    std::string record;
    std::string files;
};

} // namespace

TEST_F(SystemFileChanges, EveryArgumentRowReachesTheLibraryInListOrder) {
    InstallLibrary("EDITSYS");
    g_setup.script.systemChangesFirst = {
        Change(1, "REM appended"),
        Change(2, "REM in front"),
        Change(3, "DEVICE=X.SYS"),
        Change(4, "DOS=HIGH"),
        Change(5, " 30"),
        Change(6, "+20 buffers"),
        Change(7, "q"),
        Change(8, "9,256"),
        Change(9, "-4"),
        Change(10, "C:\\FRONT"),
        Change(11, "C:\\BACK"),
    };
    g_setup.script.systemChangesSecond = {
        Change(8, ",25"), Change(8, "80,,25"), Change(7, ""), Change(12, "5"), Change(0, "5"),
    };
    const std::uint32_t result = RunSystemFileChanges();

    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           "Init\twindow\t\"Completion Product\"",
                           "Change\t1\t\"REM appended\"\t0\t0\t0\t0",
                           "Change\t2\t\"REM in front\"\t1\t0\t0\t0",
                           "Change\t3\t\"DEVICE=X.SYS\"\t0\t0\t0\t0",
                           "Change\t4\t\"DOS=HIGH\"\t1\t0\t0\t0",
                           "Change\t5\tnull\t30\t0\t0\t0",
                           "Change\t6\tnull\t20\t0\t0\t0",
                           "Change\t7\tnull\t113\t0\t0\t0",
                           "Change\t8\tnull\t9\t256\t0\t0",
                           "Change\t9\tnull\t-4\t0\t0\t0",
                           "Change\t10\t\"C:\\FRONT\"\t1\t0\t0\t0",
                           "Change\t11\t\"C:\\BACK\"\t0\t0\t0\t0",
                           "Change\t8\tnull\t25\t0\t0\t0",
                           "Change\t8\tnull\t80\t0\t0\t0",
                           "Change\t7\tnull\t0\t0\t0\t0",
                           "Change\t12\tnull\t0\t0\t0\t0",
                           "Change\t0\tnull\t0\t0\t0\t0",
                           "Change\t1701\t\"Stop the completion?\"\t1\tbuffer\t1024\t0",
                       }));
    // The library answers 0 because some changes failed (FCBS -4, no drive letter, codes 12
    // and 0), and says so in the text that goes to the install log.
    EXPECT_EQ(result, 0u);
    EXPECT_EQ(LogLines(),
              std::vector<std::string>{"EDITSYS: 12 changes made, 4 failed, in " + files + "\\"});
    EXPECT_FALSE(FileIsThere(library));

    // What the reference library made of the changes.
    EXPECT_EQ(ReadFileBytes(files + "\\AUTOEXEC.BAT"),
              "REM in front\r\nREM appended\r\nSET PATH=C:\\FRONT;%PATH%;C:\\BACK\r\n");
    EXPECT_EQ(ReadFileBytes(files + "\\CONFIG.SYS"),
              "DOS=HIGH\r\nDEVICE=X.SYS\r\nFILES=30\r\nBUFFERS=20\r\nLASTDRIVE=Q\r\n"
              "STACKS=80,256\r\n");
}

TEST_F(SystemFileChanges, FinalAnswerAndTextComeFromTheLibrary) {
    InstallLibrary("EDITSYS");
    g_setup.script.systemChangesSecond = {Change(5, "40")};
    SetEnvironmentVariableA("EDITSYS_RESULT", "7");
    SetEnvironmentVariableA("EDITSYS_TEXT", "changed by the test");
    EXPECT_EQ(RunSystemFileChanges(), 7u);
    EXPECT_EQ(LogLines(), std::vector<std::string>{"changed by the test"});
    EXPECT_FALSE(FileIsThere(library));

    InstallLibrary("EDITSYS");
    SetEnvironmentVariableA("EDITSYS_RESULT", "0");
    SetEnvironmentVariableA("EDITSYS_TEXT", "");
    EXPECT_EQ(RunSystemFileChanges(), 0u);
    EXPECT_FALSE(FileIsThere(library));
    // Without a text of its own the library's default text is logged.
    EXPECT_EQ(LogLines().size(), 2u);
}

TEST_F(SystemFileChanges, LibraryWithoutInitIsNeverCalled) {
    InstallLibrary("EDITSYS_NO_INIT");
    g_setup.script.systemChangesFirst = {Change(5, "40")};
    EXPECT_EQ(RunSystemFileChanges(), 0u);
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(LogBytes().empty());
    EXPECT_FALSE(FileIsThere(library));
}

TEST_F(SystemFileChanges, LibraryWithoutMakeSystemFileChangeLogsAnEmptyLine) {
    InstallLibrary("EDITSYS_NO_CHANGE");
    g_setup.script.systemChangesFirst = {Change(5, "40"), Change(1, "REM x")};
    EXPECT_EQ(RunSystemFileChanges(), 0u);
    EXPECT_EQ(Calls(), std::vector<std::string>{"Init\twindow\t\"Completion Product\""});
    EXPECT_EQ(LogBytes(), "\r\n");
    EXPECT_FALSE(FileIsThere(library));
}

TEST_F(SystemFileChanges, MissingOrBrokenLibraryGivesZero) {
    g_setup.script.systemChangesFirst = {Change(5, "40")};
    EXPECT_EQ(RunSystemFileChanges(), 0u);
    EXPECT_TRUE(LogBytes().empty());

    // A file of that name that is no library is deleted too.
    ASSERT_TRUE(WriteFileBytes(library, "not a library"));
    EXPECT_EQ(RunSystemFileChanges(), 0u);
    EXPECT_FALSE(FileIsThere(library));
    EXPECT_TRUE(LogBytes().empty());
}

TEST_F(SystemFileChanges, NoChangesNeverTouchTheLibrary) {
    InstallLibrary("EDITSYS");
    EXPECT_EQ(RunSystemFileChanges(), 1u);
    EXPECT_TRUE(FileIsThere(library));
    EXPECT_FALSE(FileIsThere(record));
    EXPECT_TRUE(LogBytes().empty());
}

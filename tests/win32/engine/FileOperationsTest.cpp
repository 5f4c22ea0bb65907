#include "engine/FileOperations.h"

#include "FailureCode.h"
#include "EngineTestFiles.h"
#include "script/SetupError.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The code of the failure of action on path; 0 when it succeeds.
std::uint32_t ErrorCodeOf(Failure (*action)(const std::string&), const std::string& path) {
    return FailureCode(action(path));
}

Failure OpenForReading(const std::string& path) {
    UniqueFile file;
    return OpenFileExclusive(path, GENERIC_READ, OPEN_EXISTING, file);
}

// The file opened as OpenFileExclusive opens it; invalid (and the test failed) when it fails.
UniqueFile OpenedFile(const std::string& path, DWORD access, DWORD disposition) {
    UniqueFile file;
    EXPECT_FALSE(OpenFileExclusive(path, access, disposition, file));
    return file;
}

// The whole file as ReadWholeFile reads it; the test fails when it cannot.
std::string WholeFile(const std::string& path) {
    std::string contents;
    EXPECT_FALSE(ReadWholeFile(path, contents));
    return contents;
}

// CompareLastWrite's order; the test fails when a file cannot be opened.
int LastWriteOrder(const std::string& existing, const std::string& source) {
    int order = 2;
    EXPECT_FALSE(CompareLastWrite(existing, source, order));
    return order;
}

// The prompt as the tests answer it: records each question, runs the test's action once the
// chosen number of questions has been asked, then gives the chosen answer.
struct PromptScript {
    int answer = IDABORT;
    int actAtCall = 1;
    void (*action)() = nullptr;
    std::vector<std::string> paths;
};

PromptScript g_script;
UniqueFile g_lock;

int ScriptedPrompt(const char* path) {
    g_script.paths.emplace_back(path);
    if (g_script.action != nullptr &&
        static_cast<int>(g_script.paths.size()) == g_script.actAtCall) {
        g_script.action();
    }
    return g_script.answer;
}

void ReleaseLock() {
    g_lock.reset();
}

class OpenFileExclusiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_script = PromptScript{};
        previous_ = SetFileInUsePrompt(ScriptedPrompt);
        directory_ = ScratchDirectory("engine-open");
        path_ = directory_ + "locked.dat";
        WRITE_TEST_FILE(path_, "contents");
    }
    void TearDown() override {
        ReleaseLock();
        SetFileInUsePrompt(previous_);
    }

    FileInUsePromptFunction previous_ = nullptr;
    std::string directory_;
    std::string path_;
};

} // namespace

TEST_F(OpenFileExclusiveTest, LockedFileIsRetriedUntilTheLockIsGone) {
    g_lock = HoldFile(path_);
    ASSERT_NE(g_lock.get(), INVALID_HANDLE_VALUE);
    g_script.answer = IDRETRY;
    g_script.actAtCall = 2;
    g_script.action = ReleaseLock;

    const UniqueFile file = OpenedFile(path_, GENERIC_READ, OPEN_EXISTING);
    EXPECT_TRUE(file.valid());
    EXPECT_EQ(g_script.paths, (std::vector<std::string>{path_, path_}));
}

TEST_F(OpenFileExclusiveTest, IgnoreFailsWith5AndAbortWith3) {
    g_lock = HoldFile(path_);
    ASSERT_NE(g_lock.get(), INVALID_HANDLE_VALUE);
    g_script.answer = IDIGNORE;
    EXPECT_EQ(ErrorCodeOf(OpenForReading, path_), kErrorSkipLockedFile);
    g_script.answer = IDABORT;
    EXPECT_EQ(ErrorCodeOf(OpenForReading, path_), kErrorCancelled);
    EXPECT_EQ(g_script.paths.size(), 2u);
}

TEST_F(OpenFileExclusiveTest, WithoutAnInstalledPromptALockedFileAborts) {
    g_lock = HoldFile(path_);
    ASSERT_NE(g_lock.get(), INVALID_HANDLE_VALUE);
    SetFileInUsePrompt(nullptr);
    EXPECT_EQ(ErrorCodeOf(OpenForReading, path_), kErrorCancelled);
}

TEST_F(OpenFileExclusiveTest, AccessDeniedAlsoAsks) {
    // A directory in the file's place denies access. (A read-only file would too on Windows,
    // but Wine running as root writes it anyway.)
    const std::string blocked = directory_ + "blocked.dat";
    RemoveDirectoryA(blocked.c_str());
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
    g_script.answer = IDRETRY;
    g_script.action = [] { RemoveDirectoryA(g_script.paths.front().c_str()); };
    const UniqueFile file = OpenedFile(blocked, GENERIC_WRITE, CREATE_ALWAYS);
    EXPECT_TRUE(file.valid());
    EXPECT_EQ(g_script.paths, std::vector<std::string>{blocked});
}

TEST_F(OpenFileExclusiveTest, OtherErrorsFailWithTheirCodeWithoutAsking) {
    EXPECT_EQ(ErrorCodeOf(OpenForReading, directory_ + "missing.dat"),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(ErrorCodeOf(OpenForReading, directory_ + "no-dir\\missing.dat"),
              static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_TRUE(g_script.paths.empty());
}

TEST_F(OpenFileExclusiveTest, OpenFileSharesNothing) {
    const UniqueFile file = OpenedFile(path_, GENERIC_READ, OPEN_EXISTING);
    ASSERT_TRUE(file.valid());
    const UniqueFile other(CreateFileA(path_.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_EQ(other.get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
}

TEST(FileExists, WildcardsMatchAnyFile) {
    const std::string directory = ScratchDirectory("engine-exists");
    WRITE_TEST_FILE(directory + "match-one.txt", "x");
    EXPECT_TRUE(FileExists(directory + "match-one.txt"));
    EXPECT_TRUE(FileExists(directory + "match-*.txt"));
    EXPECT_TRUE(FileExists(directory + "match-???.txt"));
    EXPECT_FALSE(FileExists(directory + "match-??.txt"));
    EXPECT_FALSE(FileExists(directory + "other-*.txt"));
    EXPECT_FALSE(FileExists(directory + "no-dir\\*"));
}

TEST(DeleteIfNamed, DeletesOnlyANamedFile) {
    const std::string directory = ScratchDirectory("engine-delete");
    const std::string path = directory + "temporary.bmp";
    WRITE_TEST_FILE(path, "x");
    DeleteIfNamed("");
    EXPECT_TRUE(FileExists(path));
    DeleteIfNamed(path);
    EXPECT_FALSE(FileExists(path));
    DeleteIfNamed(path);
    DeleteIfNamed(std::string(400, 'x'));
}

TEST(ReadWholeFile, EmptyFileGivesNoBytesAndANul) {
    const std::string path = ScratchDirectory("engine-read") + "empty.txt";
    WRITE_TEST_FILE(path, "");
    const std::string contents = WholeFile(path);
    EXPECT_EQ(contents.size(), 0u);
    EXPECT_EQ(contents.c_str()[0], '\0');
}

TEST(ReadWholeFile, ReadsEveryByte) {
    const std::string path = ScratchDirectory("engine-read") + "readme.txt";
    std::string bytes = std::string("line one\r\nNUL:\0:FF:\xff\r\n", 22);
    for (int i = 0; i < 70000; ++i) {
        bytes += static_cast<char>(i * 7);
    }
    WRITE_TEST_FILE(path, bytes);
    const std::string contents = WholeFile(path);
    EXPECT_EQ(contents, bytes);
    EXPECT_EQ(contents.c_str()[contents.size()], '\0');
}

TEST(ReadWholeFile, MissingFileFailsWithTheSystemCode) {
    const std::string path = ScratchDirectory("engine-read") + "missing.txt";
    EXPECT_EQ(ErrorCodeOf(
                  [](const std::string& p) {
                      std::string contents;
                      return ReadWholeFile(p, contents);
                  },
                  path),
              static_cast<std::uint32_t>(ERROR_FILE_NOT_FOUND));
}

namespace {

void SetLastWrite(const std::string& path, std::uint64_t time) {
    const UniqueFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    FILETIME written{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    EXPECT_TRUE(SetFileTime(file.get(), nullptr, nullptr, &written));
}

} // namespace

TEST(CompareLastWrite, OlderSameAndNewerExistingFile) {
    const std::string directory = ScratchDirectory("engine-times");
    const std::string existing = directory + "existing.dll";
    const std::string source = directory + "source.dll";
    WRITE_TEST_FILE(existing, "old");
    WRITE_TEST_FILE(source, "new");
    // 2001-01-01 and one day later, in 100 ns units since 1601.
    const std::uint64_t day = 864'000'000'000ull;
    const std::uint64_t base = 126'227'808'000'000'000ull;

    SetLastWrite(existing, base);
    SetLastWrite(source, base + day);
    EXPECT_EQ(LastWriteOrder(existing, source), -1);
    SetLastWrite(source, base);
    EXPECT_EQ(LastWriteOrder(existing, source), 0);
    SetLastWrite(existing, base + 2 * day);
    EXPECT_EQ(LastWriteOrder(existing, source), 1);
}

#include "InstallTestSupport.h"

int InUseAnswers::calls = 0;
std::string InUseAnswers::lastPath;
int (*InUseAnswers::answer_)(int) = nullptr;

void InstallTest::SetUp() {
    PromptTest::SetUp();
    fixtures = ProgramDirectory() + "copy-fixtures\\";
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = std::string(temporary) + "install-tests\\";
    CreateDirectoryA(scratch.c_str(), nullptr);
    scratch += std::string(test->name()) + "\\";
    CreateDirectoryA(scratch.c_str(), nullptr);
    DeleteFilesIn(scratch);
    script.directories.assign(1, DirectoryEntry{});
    script.directories[0].path.Assign(scratch.substr(0, scratch.size() - 1));
    temporaryDirectory.Assign(scratch);
    sourceDirectory.Assign(fixtures);
}

Failure RecordingInstallHost::AskForDisk(std::uint32_t disk, std::string_view relativePath) {
    diskPrompts.emplace_back(relativePath);
    disksAsked.push_back(disk);
    currentDisk_ = disk;
    return std::nullopt;
}

bool RecordingInstallHost::AskForDiskAgain(std::string_view relativePath) {
    diskChecks.emplace_back(relativePath);
    return false;
}

Failure RecordingInstallHost::AskFileExists(const char*, const char*, RememberedChoice&,
                                            std::uint32_t& answer) {
    ADD_FAILURE() << "no test of the engine asks whether to replace a file";
    answer = kChoiceAbort;
    return std::nullopt;
}

bool RecordingInstallHost::AskContinueAfterFailure(const std::string& text) {
    failureTexts.push_back(text);
    return continueAfterFailure;
}

void RecordingInstallHost::ShowProgressFiles(const char*, const char*) {}

Failure RecordingInstallHost::ShowBillboard(const char*) {
    return std::nullopt;
}

void RecordingInstallHost::HideBillboard() {}

void RecordingInstallHost::RaiseSharedCount(std::string_view path) {
    sharedCounts.emplace_back(path);
}

void RecordingInstallHost::LogItemDone(const InstallItem&) {}

std::string ReadAll(const std::string& path) {
    return ReadTestFile(path).value_or("<cannot open " + path + ">");
}

void WriteAll(const std::string& path, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(path, bytes));
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return CompareFileTime(&a, &b) == 0;
}

InUseAnswers::InUseAnswers(int (*answer)(int call)) {
    calls = 0;
    lastPath.clear();
    answer_ = answer;
    previous_ = SetFileInUsePrompt(Prompt);
}

InUseAnswers::~InUseAnswers() {
    SetFileInUsePrompt(previous_);
}

int InUseAnswers::Prompt(const char* path) {
    ++calls;
    lastPath = path;
    return answer_(calls);
}

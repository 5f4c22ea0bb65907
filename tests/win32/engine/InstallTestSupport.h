#pragma once

#include "PromptTest.h"
#include "TestFiles.h"
#include "engine/FileOperations.h"
#include "engine/InstallHost.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The engine's host in the tests: writes down every question, notice and record, and gives
// the answers set beforehand. Its disk prompt finds every disk at once; asked for
// the current disk again, it gives up at once.
class RecordingInstallHost final : public InstallHost {
public:
    explicit RecordingInstallHost(std::uint32_t& currentDisk) : currentDisk_(currentDisk) {}

    Failure AskForDisk(std::uint32_t disk, std::string_view relativePath) override;
    bool AskForDiskAgain(std::string_view relativePath) override;
    Failure AskFileExists(const char* existingPath, const char* newPath,
                          RememberedChoice& remembered, std::uint32_t& answer) override;
    bool AskContinueAfterFailure(const std::string& text) override;
    void ShowProgressFiles(const char* source, const char* destination) override;
    Failure ShowBillboard(const char* path) override;
    void HideBillboard() override;
    void RaiseSharedCount(std::string_view path) override;
    void LogItemDone(const InstallItem& item) override;

    bool continueAfterFailure = true;
    std::vector<std::string> diskPrompts;  // the relative paths asked for
    std::vector<std::uint32_t> disksAsked; // the disks asked for
    std::vector<std::string> diskChecks;   // the same for the current disk, never found
    std::vector<std::string> failureTexts; // the texts of the failure question
    std::vector<std::string> sharedCounts; // the paths whose counts were raised

private:
    std::uint32_t& currentDisk_;
};

// What the tests of the installation share: the prompt test's state (resources, a script, a
// main window, a person to answer prompts), a scratch directory as the destination and the
// temporary directory, the compressed fixtures made at build time beside the test program as
// the source directory, and an install context over them with a recording host.
class InstallTest : public PromptTest {
protected:
    void SetUp() override;

    // A directory of its own for each test, empty; ends in "\".
    std::string scratch;
    // The fixtures: text.txt, its mscompress form text.txt_ and ours ours.tx_; ends in "\".
    std::string fixtures;

    FixedText sourceDirectory;
    FixedText temporaryDirectory;
    std::uint32_t currentDisk = 1;
    RememberedChoice fileExists;
    bool allFilesInstalled = true;
    RecordingInstallHost host{currentDisk};
    const InstallContext context{script,      sourceDirectory, temporaryDirectory,
                                 currentDisk, fileExists,      allFilesInstalled,
                                 host};
};

// The whole file, or "<cannot open PATH>" when it cannot be opened.
std::string ReadAll(const std::string& path);
// Creates or replaces the file with the bytes; fails the test when it cannot.
void WriteAll(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

FILETIME LastWrite(const std::string& path);
bool SameTime(const FILETIME& a, const FILETIME& b);

// Installs prompt as the file-in-use question for the scope, and counts and records its calls.
class InUseAnswers {
public:
    // answer(call number from 1) -> IDABORT, IDRETRY or IDIGNORE.
    explicit InUseAnswers(int (*answer)(int call));
    ~InUseAnswers();
    InUseAnswers(const InUseAnswers&) = delete;
    InUseAnswers& operator=(const InUseAnswers&) = delete;

    static int calls;
    static std::string lastPath;

private:
    static int Prompt(const char* path);
    static int (*answer_)(int call);
    FileInUsePromptFunction previous_;
};

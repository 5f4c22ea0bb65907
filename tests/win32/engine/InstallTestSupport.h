#pragma once

#include "PromptTest.h"
#include "engine/FileOperations.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What the tests of the installation share: the prompt test's program state (resources, a
// loaded script, a main window, a person to answer prompts), a scratch directory as the
// destination, and the compressed fixtures made at build time beside the test program.
class InstallTest : public PromptTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A directory of its own for each test, empty; ends in "\".
    std::string scratch;
    // The fixtures: text.txt, its mscompress form text.txt_ and ours ours.tx_; ends in "\".
    std::string fixtures;
};

// The directory of this test program, with its trailing backslash.
std::string ProgramDirectory();

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// The names of the files in a directory, sorted, without "." and "..".
std::vector<std::string> FilesIn(const std::string& directory);

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

#pragma once

#include "TestFiles.h"
#include "robot/Person.h"
#include "script/ScriptModel.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// The prompt tests answer their prompts as the robot's person.
using robot::Answering;
using robot::kMessageBoxTextId;
using robot::Person;

// The state a prompt meets in the program: the module with the resources, a loaded script
// with its product name and cancel texts, the file-in-use prompt installed in the engine,
// and a main window, minimised before each prompt so that every test sees it restored. The
// prompts get script and mainWindow as parameters; the pages still find them in the
// program's state, which is set to the same values.
class PromptTest : public ::testing::Test {
public:
    static constexpr const char* kProductName = "Sample Product";
    static constexpr const char* kCancelCaption = "Stop Sample Setup";
    static constexpr const char* kCancelText = "Do you really want to stop?";

protected:
    void SetUp() override;
    void TearDown() override;

    void MinimiseMainWindow();

    HWND mainWindow = nullptr;
    SetupScript script;
    Person person{GetCurrentThreadId()};

private:
    static int AskFileInUse(const char* path);
    static PromptTest* current_;
};

// A scratch directory under the temporary directory, made empty for each test; ends in "\".
std::string ScratchDirectory();

// Writes bytes to path (replacing it) and gives it a last-write time of the given UTC date
// at noon.
void WriteTestFile(const std::string& path, const std::string& bytes, WORD year, WORD month,
                   WORD day);

// An LZ-compressed file (the SZDD format the distribution disks use) that expands to
// `expandedSize` bytes; stored as literals only, so it is larger on the disk than expanded.
std::string CompressedBytes(std::uint32_t expandedSize);
